#include "theme/theme.hpp"

#include <cwchar>

#include "theme/theme_state.hpp"
#include "theme/window_theme.hpp"

namespace quarn::theme {
namespace {

constexpr wchar_t k_personalize_key[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// uxtheme's unnamed entries, by ordinal.
constexpr WORD k_app_mode_entry = 135; // see app_mode_entry
constexpr WORD k_flush_menu_themes = 136;
constexpr int k_force_dark = 2;
constexpr int k_force_light = 3;

using SetPreferredAppModeFn = int(WINAPI*)(int mode);
using AllowDarkModeForAppFn = BOOL(WINAPI*)(BOOL allow);
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW* info);

constexpr unsigned long k_build_1809 = 17763;
constexpr unsigned long k_build_1903 = 18362;
using FlushMenuThemesFn = void(WINAPI*)();

// GetProcAddress hands back a generic function pointer; going through
// void(*)() is the cast the compiler accepts for any signature.
template <class Fn>
Fn entry(HMODULE module, const char* name) noexcept {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace

ThemeChoice theme_choice() noexcept {
    return detail::state().choice;
}
bool is_dark() noexcept {
    return detail::state().dark;
}

std::optional<std::uint32_t> read_apps_use_light_theme() noexcept {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, k_personalize_key, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return std::nullopt;
    win::UniqueKey key(raw);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExW(key.get(), L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_DWORD || size != sizeof(value)) return std::nullopt;
    return value;
}

AppsThemeReader set_apps_theme_reader(AppsThemeReader reader) noexcept {
    auto& state = detail::state();
    AppsThemeReader previous = state.reader;
    state.reader = reader;
    return previous;
}

bool resolve_dark(ThemeChoice choice) noexcept {
    if (choice != ThemeChoice::System) return resolve_dark(choice, std::nullopt);
    AppsThemeReader reader = detail::state().reader;
    return resolve_dark(choice, reader != nullptr ? reader() : read_apps_use_light_theme());
}

AppModeEntry app_mode_entry(unsigned long build) noexcept {
    if (build >= k_build_1903) return AppModeEntry::SetPreferredAppMode;
    if (build >= k_build_1809) return AppModeEntry::AllowDarkModeForApp;
    return AppModeEntry::None;
}

unsigned long windows_build() noexcept {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto get_version = ntdll != nullptr ? entry<RtlGetVersionFn>(ntdll, "RtlGetVersion") : nullptr;
    if (get_version == nullptr) return 0;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (get_version(&info) != 0) return 0; // not STATUS_SUCCESS
    return info.dwBuildNumber;
}

bool set_preferred_app_mode(bool dark) noexcept {
    AppModeEntry kind = app_mode_entry(windows_build());
    if (kind == AppModeEntry::None) return false;
    auto& state = detail::state();
    if (!state.uxtheme) {
        // Held for the life of the thread: the mode is state of the loaded
        // library and would go with it.
        state.uxtheme.reset(::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        if (!state.uxtheme) return false;
    }
    HMODULE uxtheme = state.uxtheme.get();
    if (::GetProcAddress(uxtheme, "OpenThemeDataForDpi") == nullptr) return false;
    auto flush = entry<FlushMenuThemesFn>(uxtheme, MAKEINTRESOURCEA(k_flush_menu_themes));
    if (kind == AppModeEntry::SetPreferredAppMode) {
        auto set_mode = entry<SetPreferredAppModeFn>(uxtheme, MAKEINTRESOURCEA(k_app_mode_entry));
        if (set_mode == nullptr) return false;
        set_mode(dark ? k_force_dark : k_force_light);
    } else {
        auto allow = entry<AllowDarkModeForAppFn>(uxtheme, MAKEINTRESOURCEA(k_app_mode_entry));
        if (allow == nullptr) return false;
        allow(dark ? TRUE : FALSE);
    }
    if (flush != nullptr) flush();
    return true;
}

bool init_theme(ThemeChoice choice) noexcept {
    auto& state = detail::state();
    state.choice = choice;
    state.high_contrast = state.contrast_reader != nullptr ? state.contrast_reader() : read_high_contrast();
    state.contrast_colors.reset();
    state.dark = resolve_dark(choice);
    set_preferred_app_mode(state.dark);
    return state.dark;
}

ThemeChange apply_theme_choice(ThemeChoice choice, const ThemeChoiceHooks& hooks) noexcept {
    auto& state = detail::state();
    ThemeChange change;
    change.choice_changed = choice != state.choice;
    state.choice = choice;
    bool dark = resolve_dark(choice);
    change.dark_changed = dark != state.dark;
    state.dark = dark;
    set_preferred_app_mode(dark);
    if (hooks.store_choice) hooks.store_choice(choice);
    if (change.dark_changed) {
        if (hooks.dark_changed) hooks.dark_changed(dark);
        retheme_windows();
    }
    return change;
}

bool system_theme_changed() noexcept {
    auto& state = detail::state();
    bool contrast = state.contrast_reader != nullptr ? state.contrast_reader() : read_high_contrast();
    // A change between two high-contrast themes changes the colours too.
    bool contrast_changed = contrast != state.high_contrast || contrast;
    state.high_contrast = contrast;
    if (contrast_changed) state.contrast_colors.reset();
    if (state.choice != ThemeChoice::System) return contrast_changed;
    bool dark = resolve_dark(ThemeChoice::System);
    if (dark == state.dark) return contrast_changed;
    state.dark = dark;
    set_preferred_app_mode(dark);
    return true;
}

bool read_high_contrast() noexcept {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (!::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool is_high_contrast() noexcept {
    return detail::state().high_contrast;
}

HighContrastReader set_high_contrast_reader(HighContrastReader reader) noexcept {
    auto& state = detail::state();
    HighContrastReader previous = state.contrast_reader;
    state.contrast_reader = reader;
    return previous;
}

Palette scene_palette() noexcept {
    auto& state = detail::state();
    if (!state.high_contrast) return state.dark ? k_dark_palette : k_light_palette;
    auto rgb = [](int index) {
        COLORREF color = ::GetSysColor(index);
        return Rgb{GetRValue(color), GetGValue(color), GetBValue(color)};
    };
    return Palette{
        .background = rgb(COLOR_WINDOW),
        .panel = rgb(COLOR_WINDOW),
        .frame = rgb(COLOR_WINDOWTEXT),
        .face = rgb(COLOR_WINDOW),
        .text = rgb(COLOR_WINDOWTEXT),
        .highlight = rgb(COLOR_HIGHLIGHT),
    };
}

namespace {

BOOL CALLBACK retheme_one(HWND window, LPARAM) noexcept {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    // Only the program's own windows: the thread also owns IME and tooltip
    // windows that must be left alone.
    if (std::wcsncmp(name, L"Quarn", 5) == 0) retheme_window(window);
    return TRUE;
}

} // namespace

void retheme_windows() noexcept {
    ::EnumThreadWindows(::GetCurrentThreadId(), &retheme_one, 0);
}

} // namespace quarn::theme
