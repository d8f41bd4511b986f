#include "dark_dialog/dark_dialog.hpp"

#include <commctrl.h>
#include <uxtheme.h>

#include <cwchar>

#include "controls/common_message.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "theme/window_theme.hpp"
#include "win/unique.hpp"

namespace quarn::dark_dialog {
namespace {

constexpr UINT_PTR k_subclass_id = 0x51444C47; // "QDLG"

bool class_is(const wchar_t* name, const wchar_t* expected) noexcept {
    return ::_wcsicmp(name, expected) == 0;
}

enum class Painted { Static, Check, Radio };

// The check mark or dot of a check box or radio button, drawn in the theme's
// colours instead of the classic white box.
void draw_mark(HDC dc, const RECT& box, Painted kind, LRESULT state, bool enabled) noexcept {
    const theme::ThemeColors& colors = theme::theme_colors();
    COLORREF ink = enabled ? colors.text : colors.disabled_text;
    win::UniqueBrush ink_brush(::CreateSolidBrush(ink));
    if (kind == Painted::Radio) {
        win::UniquePen outline(::CreatePen(PS_SOLID, 1, ink));
        win::SelectGuard pen(dc, outline.get());
        win::SelectGuard brush(dc, colors.field_brush);
        ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (state & BST_CHECKED) {
            int inset = (box.right - box.left) / 4;
            win::SelectGuard dot(dc, ink_brush.get());
            ::Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
        }
        return;
    }
    ::FillRect(dc, &box, colors.field_brush);
    ::FrameRect(dc, &box, ink_brush.get());
    int size = box.right - box.left;
    if (state & BST_INDETERMINATE) {
        RECT inner = box;
        ::InflateRect(&inner, -size / 4, -size / 4);
        ::FillRect(dc, &inner, ink_brush.get());
    } else if (state & BST_CHECKED) {
        win::UniquePen tick(::CreatePen(PS_SOLID, size >= 16 ? 2 : 1, ink));
        win::SelectGuard pen(dc, tick.get());
        POINT points[3] = {
            {box.left + size / 5, box.top + size / 2},
            {box.left + size * 2 / 5, box.bottom - size / 4 - 1},
            {box.right - size / 5, box.top + size / 4},
        };
        ::Polyline(dc, points, 3);
    }
}

// Text in `text` on `background`, as the classic controls cannot do for
// themselves once a dialog is dark.
void paint(HWND control, HDC dc, Painted kind) noexcept {
    const theme::ThemeColors& colors = theme::theme_colors();
    RECT client{};
    ::GetClientRect(control, &client);
    ::FillRect(dc, &client, colors.window_brush);

    LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    bool enabled = ::IsWindowEnabled(control) != FALSE;
    int saved = ::SaveDC(dc);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (font != nullptr) ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, enabled ? colors.text : colors.disabled_text);

    wchar_t text[512] = {};
    int length = ::GetWindowTextW(control, text, 512);
    RECT area = client;
    UINT format = 0;
    if (kind == Painted::Static) {
        switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format = DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format = DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            format = DT_SINGLELINE;
            break;
        default:
            format = DT_LEFT | DT_WORDBREAK;
            break;
        }
        if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
        ::DrawTextW(dc, text, length, &area, format | DT_EXPANDTABS);
    } else {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        int box_size = metrics.tmAscent > 8 ? metrics.tmAscent : 13;
        RECT box{client.left, (client.top + client.bottom - box_size) / 2, client.left + box_size, 0};
        box.bottom = box.top + box_size;
        draw_mark(dc, box, kind, ::SendMessageW(control, BM_GETCHECK, 0, 0), enabled);
        area.left = box.right + box_size / 3;
        format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        ::DrawTextW(dc, text, length, &area, format);
        if (::GetFocus() == control) {
            RECT measured = area;
            ::DrawTextW(dc, text, length, &measured, format | DT_CALCRECT);
            measured.top = area.top + (area.bottom - area.top - (measured.bottom - measured.top)) / 2;
            measured.bottom = measured.top + (::GetWindowTextLengthW(control) > 0 ? metrics.tmHeight : 0);
            ::InflateRect(&measured, 1, 0);
            ::DrawFocusRect(dc, &measured);
        }
    }
    ::RestoreDC(dc, saved);
}

// Messages after which a classic button or static draws itself directly,
// outside WM_PAINT: the subclass paints over it at once.
bool repaints_itself(UINT msg) noexcept {
    switch (msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK subclass_proc(HWND control, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                               DWORD_PTR kind) noexcept {
    switch (msg) {
    case WM_PAINT: {
        win::PaintDc painting(control);
        if (painting.get() != nullptr) paint(control, painting.get(), static_cast<Painted>(kind));
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(control, reinterpret_cast<HDC>(wparam), static_cast<Painted>(kind));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(control, &subclass_proc, id);
        return ::DefSubclassProc(control, msg, wparam, lparam);
    default:
        break;
    }
    LRESULT result = ::DefSubclassProc(control, msg, wparam, lparam);
    if (repaints_itself(msg) && ::IsWindow(control))
        ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}

void subclass(HWND control, Painted kind) noexcept {
    ::SetWindowSubclass(control, &subclass_proc, k_subclass_id, static_cast<DWORD_PTR>(kind));
    ::InvalidateRect(control, nullptr, TRUE);
}

void theme_button(HWND button) noexcept {
    LONG_PTR type = ::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        (void)::SetWindowTheme(button, L"DarkMode_Explorer", nullptr);
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        (void)::SetWindowTheme(button, L"", L"");
        subclass(button, Painted::Check);
        break;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        (void)::SetWindowTheme(button, L"", L"");
        subclass(button, Painted::Radio);
        break;
    case BS_GROUPBOX:
        (void)::SetWindowTheme(button, L"", L"");
        break;
    default:
        break;
    }
}

void theme_static(HWND control) noexcept {
    switch (::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        subclass(control, Painted::Static);
        break;
    default:
        break;
    }
}

BOOL CALLBACK theme_child(HWND child, LPARAM) noexcept {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    if (class_is(name, WC_EDITW) || class_is(name, WC_LISTBOXW) || class_is(name, WC_SCROLLBARW) ||
        class_is(name, UPDOWN_CLASSW))
        (void)::SetWindowTheme(child, L"DarkMode_Explorer", nullptr);
    else if (class_is(name, WC_COMBOBOXW))
        (void)::SetWindowTheme(child, L"DarkMode_CFD", nullptr);
    else if (class_is(name, WC_BUTTONW))
        theme_button(child);
    else if (class_is(name, WC_STATICW))
        theme_static(child);
    return TRUE;
}

} // namespace

UINT_PTR CALLBACK dark_dialog_hook(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
    // The hook's answer to WM_INITDIALOG is the dialog's: TRUE lets it set
    // the default focus, in either theme.
    if (msg == WM_INITDIALOG) {
        if (theme::is_dark()) {
            theme::apply_dark_title_bar(dialog, true);
            ::EnumChildWindows(dialog, &theme_child, 0);
        }
        return TRUE;
    }
    if (!theme::is_dark()) return 0;
    auto handled = controls::control_color_message(msg, wparam, lparam, controls::ReadOnlyEdits::AsLabels);
    return handled ? static_cast<UINT_PTR>(*handled) : 0;
}

} // namespace quarn::dark_dialog
