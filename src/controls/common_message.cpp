#include "controls/common_message.hpp"

#include <commctrl.h>

#include <cwchar>

#include "controls/create_controls.hpp"
#include "theme/fonts.hpp"
#include "theme/theme_colors.hpp"
#include "win/unique.hpp"

namespace quarn::controls {
namespace {

constexpr int k_max_button_text = 128;

bool class_is(HWND window, const wchar_t* expected) noexcept {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return ::_wcsicmp(name, expected) == 0;
}

bool is_owner_drawn_button(HWND window) noexcept {
    return class_is(window, WC_BUTTONW) &&
           (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

LRESULT color_control(HDC dc, COLORREF text, COLORREF background, HBRUSH brush) noexcept {
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(brush);
}

} // namespace

std::optional<LRESULT> control_color_message(UINT msg, WPARAM wparam, LPARAM lparam,
                                             ReadOnlyEdits read_only) noexcept {
    const theme::ThemeColors& colors = theme::theme_colors();
    auto dc = reinterpret_cast<HDC>(wparam);
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return color_control(dc, colors.text, colors.field_background, colors.field_brush);
    case WM_CTLCOLORSTATIC:
        if (read_only == ReadOnlyEdits::AsFields && class_is(reinterpret_cast<HWND>(lparam), WC_EDITW))
            return color_control(dc, colors.text, colors.field_background, colors.field_brush);
        return color_control(dc, colors.text, colors.background, colors.window_brush);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        return color_control(dc, colors.text, colors.background, colors.window_brush);
    default:
        return std::nullopt;
    }
}

void draw_button(const DRAWITEMSTRUCT& item) noexcept {
    const theme::ThemeColors& colors = theme::theme_colors();
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    bool link = is_link(item.hwndItem);
    bool disabled = (item.itemState & ODS_DISABLED) != 0;

    int saved = ::SaveDC(dc);
    if (link) {
        ::FillRect(dc, &rect, colors.window_brush);
    } else {
        // A pressed button sinks into the panel shade.
        bool pressed = (item.itemState & ODS_SELECTED) != 0;
        ::FillRect(dc, &rect, pressed ? colors.shade_brush : colors.button_brush);
        ::FrameRect(dc, &rect, colors.border_brush);
    }

    auto font = reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    if (font != nullptr) ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? colors.disabled_text : link ? colors.link : colors.text);

    wchar_t text[k_max_button_text + 1] = {};
    int length = ::GetWindowTextW(item.hwndItem, text, k_max_button_text + 1);
    RECT focus = rect;
    if (link) {
        // Addresses may hold '&': no prefix characters in links.
        UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX;
        ::DrawTextW(dc, text, length, &rect, format);
        RECT measured = rect;
        ::DrawTextW(dc, text, length, &measured, format | DT_CALCRECT);
        focus = measured;
        focus.right = focus.right < rect.right ? focus.right : rect.right;
    } else {
        // Access keys are underlined only while Windows shows keyboard cues
        // (after Alt, or always when the user turned them on). The button
        // itself says so with ODS_NOACCEL; its window's UI state says the
        // same for buttons that leave the flag out.
        bool hide_cues = (item.itemState & ODS_NOACCEL) != 0 ||
                         (::SendMessageW(item.hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
        UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER | (hide_cues ? DT_HIDEPREFIX : 0);
        wchar_t shown[k_max_button_text + 2] = {};
        if (is_menu_button(item.hwndItem) && length > 0) {
            // A menu bar keeps its texts plain; the first letter is the key.
            shown[0] = L'&';
            ::wmemcpy(shown + 1, text, static_cast<std::size_t>(length));
            ::DrawTextW(dc, shown, length + 1, &rect, format);
        } else {
            ::DrawTextW(dc, text, length, &rect, format);
        }
        ::InflateRect(&focus, -3, -3);
    }
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &focus);
    ::RestoreDC(dc, saved);
}

namespace {

// The DPI a window's controls were last placed for, kept on the window.
constexpr wchar_t k_placed_dpi[] = L"QuarnPlacedDpi";

struct Rescale {
    UINT from;
    UINT to;
    HDWP batch;
};

// The window's own controls only: their children (a combo box's edit, a
// list view's header) follow them.
BOOL rescale_child(HWND child, LPARAM param) noexcept {
    auto& rescale = *reinterpret_cast<Rescale*>(param);
    HWND parent = ::GetParent(child);
    RECT place{};
    ::GetWindowRect(child, &place);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
    auto scale = [&](LONG value) {
        return ::MulDiv(value, static_cast<int>(rescale.to), static_cast<int>(rescale.from));
    };
    rescale.batch = ::DeferWindowPos(rescale.batch, child, nullptr, scale(place.left), scale(place.top),
                                     scale(place.right) - scale(place.left),
                                     scale(place.bottom) - scale(place.top), SWP_NOZORDER | SWP_NOACTIVATE);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
    HFONT scaled = theme::font_for_dpi(font, rescale.from, rescale.to);
    if (scaled != font) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
    return TRUE;
}

} // namespace

void remember_placed_dpi(HWND window, UINT dpi) noexcept {
    ::SetPropW(window, k_placed_dpi, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void rescale_for_dpi(HWND window, UINT dpi, const RECT& suggested) noexcept {
    auto placed = static_cast<UINT>(reinterpret_cast<UINT_PTR>(::GetPropW(window, k_placed_dpi)));
    if (placed == 0) placed = USER_DEFAULT_SCREEN_DPI;
    ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (placed == dpi) return;
    int count = 0;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ++count;
    Rescale rescale{placed, dpi, ::BeginDeferWindowPos(count)};
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (rescale.batch != nullptr) (void)rescale_child(child, reinterpret_cast<LPARAM>(&rescale));
    if (rescale.batch != nullptr) ::EndDeferWindowPos(rescale.batch);
    remember_placed_dpi(window, dpi);
    ::InvalidateRect(window, nullptr, TRUE);
}

std::optional<LRESULT> common_window_message(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    switch (msg) {
    case WM_DPICHANGED:
        rescale_for_dpi(window, HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
        return 0;
    case WM_NCDESTROY:
        ::RemovePropW(window, k_placed_dpi);
        return std::nullopt;
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(window, &client);
        ::FillRect(reinterpret_cast<HDC>(wparam), &client, theme::theme_colors().window_brush);
        return 1;
    }
    case WM_SETCURSOR: {
        auto under = reinterpret_cast<HWND>(wparam);
        if (under != window && LOWORD(lparam) == HTCLIENT && is_link(under)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return std::nullopt;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item == nullptr || item->CtlType != ODT_BUTTON) return std::nullopt;
        draw_button(*item);
        return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        return control_color_message(msg, wparam, lparam, ReadOnlyEdits::AsFields);
    case WM_NEXTDLGCTL: {
        // The dialog navigation sends this for the access key of a label:
        // focus the label, then the control after it. The system's dialog
        // class answers it; the program's windows are plain windows and
        // answer it as that class documents.
        HWND target = nullptr;
        if (LOWORD(lparam) != 0)
            target = reinterpret_cast<HWND>(wparam);
        else
            target = ::GetNextDlgTabItem(window, ::GetFocus(), wparam != 0 ? TRUE : FALSE);
        if (target == nullptr || (target != window && !::IsChild(window, target))) return 0;
        ::SetFocus(target);
        if (class_is(target, WC_EDITW)) ::SendMessageW(target, EM_SETSEL, 0, -1);
        return 0;
    }
    case DM_GETDEFID: {
        // Enter presses the button that has the focus, as in the system's
        // dialogs; elsewhere the window decides (OK by default).
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::GetParent(focus) == window && is_owner_drawn_button(focus) &&
            ::IsWindowEnabled(focus))
            return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace quarn::controls
