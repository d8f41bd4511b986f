#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

#include "test_support/dialog_driver.hpp"

namespace quarn::testing {

// What a window shows badly at its DPI, one line per fault: two visible
// sibling controls that overlap, a control that reaches out of its parent's
// client area, and a text that does not fit its control (a label's words
// wrapped at its width must fit its height; a button's or a check box's one
// line must fit beside its frame or box). Labels that shorten their text
// with an ellipsis are cut on purpose and left alone. Empty: all is well.
namespace window_fit_detail {

using testing::class_of;
using testing::text_of;

inline std::wstring name_of(HWND control) {
    std::wstring text = text_of(control);
    if (text.size() > 24) text = text.substr(0, 24) + L"...";
    return L"#" + std::to_wstring(::GetDlgCtrlID(control)) + L" \"" + text + L"\"";
}

inline bool shown(HWND window) {
    return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The child's place in its parent's client coordinates.
inline RECT place_in_parent(HWND child, HWND parent) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The text as it stands in a control of `width` x `height` pixels, measured
// with the control's own font: the size it needs.
inline SIZE needed(HWND control, const std::wstring& text, UINT format, int width) {
    HDC dc = ::GetDC(control);
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    RECT rect{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    if (old != nullptr) ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

inline void check_text(HWND control, std::vector<std::wstring>& faults) {
    std::wstring text = text_of(control);
    RECT client{};
    ::GetClientRect(control, &client);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    const std::wstring kind = class_of(control);
    const UINT dpi = ::GetDpiForWindow(control) != 0 ? ::GetDpiForWindow(control) : USER_DEFAULT_SCREEN_DPI;
    int room_w = client.right;
    int room_h = client.bottom;
    UINT format = 0;
    if (text.empty() && _wcsicmp(kind.c_str(), WC_EDITW) != 0) return;
    if (_wcsicmp(kind.c_str(), WC_STATICW) == 0) {
        const DWORD type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP) return;
        if ((style & SS_ELLIPSISMASK) != 0) return;
        format = DT_EXPANDTABS | (type == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK) |
                 ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0) |
                 ((style & SS_EDITCONTROL) != 0 ? DT_EDITCONTROL : 0);
    } else if (_wcsicmp(kind.c_str(), WC_BUTTONW) == 0) {
        const DWORD type = style & BS_TYPEMASK;
        format = (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
        if (type == BS_OWNERDRAW || type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            room_w -= 2; // inside the frame
        } else if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
                   type == BS_RADIOBUTTON || type == BS_AUTO3STATE || type == BS_3STATE) {
            room_w -= ::MulDiv(17, static_cast<int>(dpi), 96); // the box and the gap after it
        } else {
            return;
        }
    } else if (_wcsicmp(kind.c_str(), WC_EDITW) == 0) {
        // A one-line field shows one line of its font.
        if ((style & ES_MULTILINE) != 0) return;
        SIZE line = needed(control, L"Ag", DT_SINGLELINE, client.right);
        if (line.cy > client.bottom)
            faults.push_back(name_of(control) + L" shows " + std::to_wstring(client.bottom) +
                             L" of its line's " + std::to_wstring(line.cy) + L" pixels");
        return;
    } else {
        return;
    }
    SIZE size = needed(control, text, format, room_w);
    if (size.cx > room_w || size.cy > room_h)
        faults.push_back(name_of(control) + L" needs " + std::to_wstring(size.cx) + L"x" +
                         std::to_wstring(size.cy) + L", has " + std::to_wstring(room_w) + L"x" +
                         std::to_wstring(room_h));
}

inline void check_children(HWND parent, std::vector<std::wstring>& faults) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (shown(child)) children.push_back(child);
    RECT client{};
    ::GetClientRect(parent, &client);
    std::vector<RECT> places;
    for (HWND child : children) {
        RECT place = place_in_parent(child, parent);
        places.push_back(place);
        if (place.left < 0 || place.top < 0 || place.right > client.right || place.bottom > client.bottom)
            faults.push_back(name_of(child) + L" reaches out of its parent's " +
                             std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom));
        check_text(child, faults);
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            RECT common{};
            if (::IntersectRect(&common, &places[i], &places[j]))
                faults.push_back(name_of(children[i]) + L" overlaps " + name_of(children[j]));
        }
    }
    // The program's own windows inside windows (the canvas, the preview)
    // hold controls too; the system's controls keep their parts in order.
    for (HWND child : children) {
        std::wstring kind = class_of(child);
        if (kind.rfind(L"Quarn", 0) == 0) check_children(child, faults);
    }
}

} // namespace window_fit_detail

inline std::vector<std::wstring> window_fit_faults(HWND window) {
    std::vector<std::wstring> faults;
    window_fit_detail::check_children(window, faults);
    return faults;
}

} // namespace quarn::testing
