#include "controls/icons.hpp"

namespace quarn::controls {
namespace {

using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

} // namespace

win::UniqueIcon load_icon(HINSTANCE instance, const wchar_t* name, int size) noexcept {
    // Common Controls 6 has the better scaler; MinGW's import library lacks
    // it, so it is looked up.
    HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
    if (comctl != nullptr) {
        auto scale_down = reinterpret_cast<LoadIconWithScaleDownFn>(
            reinterpret_cast<void (*)()>(::GetProcAddress(comctl, "LoadIconWithScaleDown")));
        HICON icon = nullptr;
        if (scale_down != nullptr && SUCCEEDED(scale_down(instance, name, size, size, &icon)))
            return win::UniqueIcon(icon);
    }
    // Not shared, so that it comes at the size asked for and is ours to free.
    return win::UniqueIcon(static_cast<HICON>(::LoadImageW(instance, name, IMAGE_ICON, size, size, 0)));
}

} // namespace quarn::controls
