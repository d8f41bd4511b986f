#include "controls/create_controls.hpp"

#include <commctrl.h>
#include <uxtheme.h>

#include <vector>

#include "controls/common_message.hpp"
#include "theme/fonts.hpp"
#include "theme/theme.hpp"
#include "theme/window_theme.hpp"
#include "win/wide.hpp"

namespace quarn::controls {
namespace {

// Kept in the button's user data, which the button class leaves to its owner.
constexpr LONG_PTR k_link_marker = 0x4C696E6B; // "Link"
constexpr LONG_PTR k_menu_marker = 0x4D656E75; // "Menu"

struct Shape {
    const wchar_t* class_name;
    DWORD style;
    DWORD ex_style;
};

Shape shape_of(ControlKind kind) noexcept {
    constexpr DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::Heading:
        return {WC_STATICW, SS_LEFT, 0};
    case ControlKind::Caption:
        return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0};
    case ControlKind::PathLabel:
        return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 0};
    case ControlKind::MessageText:
        return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0};
    case ControlKind::Icon:
        return {WC_STATICW, SS_ICON | SS_REALSIZECONTROL, 0};
    // A text longer than its row (a larger font, another language) wraps
    // into the height the row gives rather than being cut.
    case ControlKind::CheckBox:
        return {WC_BUTTONW, BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0};
    case ControlKind::RadioButton:
        return {WC_BUTTONW, BS_AUTORADIOBUTTON | BS_MULTILINE, 0};
    case ControlKind::NumberEdit:
        return {WC_EDITW, edit | ES_NUMBER, WS_EX_CLIENTEDGE};
    case ControlKind::UpperEdit:
        return {WC_EDITW, edit | ES_UPPERCASE, WS_EX_CLIENTEDGE};
    case ControlKind::TextEdit:
        return {WC_EDITW, edit, WS_EX_CLIENTEDGE};
    case ControlKind::TextViewer:
        return {WC_EDITW, ES_READONLY | ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CodeEdit:
        return {WC_EDITW,
                WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                    WS_HSCROLL,
                WS_EX_CLIENTEDGE};
    case ControlKind::DropDownList:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::ResultList:
        return {WC_LISTBOXW, LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::Link:
    case ControlKind::PushButton:
    case ControlKind::MenuButton:
        return {WC_BUTTONW, BS_OWNERDRAW | WS_TABSTOP, 0};
    case ControlKind::Custom:
        return {L"", 0, WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, SS_LEFT, 0};
}

bool is_edit(ControlKind kind) noexcept {
    return kind == ControlKind::NumberEdit || kind == ControlKind::UpperEdit ||
           kind == ControlKind::TextEdit || kind == ControlKind::TextViewer || kind == ControlKind::CodeEdit;
}

constexpr UINT_PTR k_code_edit_subclass = 0x436F6465; // "Code"

// The clipboard's text with its line breaks made CR LF, in place of the
// selection. Text from a Unix terminal breaks lines with LF alone, which an
// edit would run together.
void paste_with_crlf(HWND edit) noexcept {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(edit)) return;
    try {
        std::wstring text;
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
                text = win::with_crlf(chars);
                ::GlobalUnlock(data);
            }
        }
        ::CloseClipboard();
        ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    } catch (...) {
        ::CloseClipboard(); // out of memory: nothing pasted
    }
}

LRESULT CALLBACK code_edit_proc(HWND edit, UINT msg, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                DWORD_PTR) noexcept {
    switch (msg) {
    case WM_GETDLGCODE: {
        // A multi-line edit wants every key; Tab and Escape go back to the
        // dialog, which moves the focus or cancels.
        LRESULT code = ::DefSubclassProc(edit, msg, wparam, lparam);
        const auto* key = reinterpret_cast<const MSG*>(lparam);
        if (key != nullptr && key->message == WM_KEYDOWN &&
            (key->wParam == VK_TAB || key->wParam == VK_ESCAPE))
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code;
    }
    case WM_CHAR:
        if (wparam == 1) { // Ctrl+A
            ::SendMessageW(edit, EM_SETSEL, 0, -1);
            return 0;
        }
        break;
    case WM_PASTE:
        if (::GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) return 0;
        paste_with_crlf(edit);
        return 0;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(edit, &code_edit_proc, id);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(edit, msg, wparam, lparam);
}

BOOL CALLBACK set_font_on_child(HWND child, LPARAM font) noexcept {
    ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

} // namespace

UINT window_dpi(HWND window) noexcept {
    UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void mark_as_link(HWND button) noexcept {
    ::SetWindowLongPtrW(button, GWLP_USERDATA, k_link_marker);
}

bool is_link(HWND window) noexcept {
    return window != nullptr && ::GetWindowLongPtrW(window, GWLP_USERDATA) == k_link_marker &&
           (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

bool is_menu_button(HWND window) noexcept {
    return window != nullptr && ::GetWindowLongPtrW(window, GWLP_USERDATA) == k_menu_marker &&
           (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

void set_font_on_all(HWND window, HFONT font) noexcept {
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::EnumChildWindows(window, &set_font_on_child, reinterpret_cast<LPARAM>(font));
}

CreatedControls create_controls(HWND window, std::span<const ControlRow> table) noexcept {
    return create_controls(window, table, window_dpi(window));
}

CreatedControls create_controls(HWND window, std::span<const ControlRow> table, UINT dpi,
                                void* custom_object) noexcept {
    CreatedControls created;
    try {
        created.handles.reserve(table.size());
    } catch (...) {
        return created; // out of memory: nothing made
    }
    auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));
    HFONT normal = theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Plain);
    HFONT heading = theme::dialog_font(dpi, theme::k_heading_size, theme::FontLine::Plain);
    HFONT underlined = theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Underlined);
    HFONT code = theme::code_font(dpi, theme::k_text_size);

    created.all_created = true;
    remember_placed_dpi(window, dpi);
    bool previous_was_radio = false;
    for (const ControlRow& row : table) {
        Shape shape = shape_of(row.kind);
        DWORD style = WS_CHILD | WS_VISIBLE | shape.style;
        bool radio = row.kind == ControlKind::RadioButton;
        // A radio group runs from its first button to the next control that
        // starts a group: the row after the last radio button.
        if (radio != previous_was_radio) style |= WS_GROUP;
        if (radio && !previous_was_radio) style |= WS_TABSTOP;
        previous_was_radio = radio;

        const wchar_t* class_name = row.kind == ControlKind::Custom ? row.text : shape.class_name;
        const wchar_t* text = row.text;
        if (row.kind == ControlKind::TextViewer || row.kind == ControlKind::Custom) text = L"";
        if (row.kind == ControlKind::Icon) text = nullptr; // a text would name an icon resource
        void* param = row.kind == ControlKind::Custom ? custom_object : nullptr;
        HWND control =
            ::CreateWindowExW(shape.ex_style, class_name, text, style, scale_units(row.x, dpi),
                              scale_units(row.y, dpi), scale_units(row.w, dpi), scale_units(row.h, dpi),
                              window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, param);
        created.handles.push_back(control); // reserved: cannot throw
        if (control == nullptr) {
            created.all_created = false;
            continue;
        }
        if (row.kind == ControlKind::Link) mark_as_link(control);
        if (row.kind == ControlKind::MenuButton) ::SetWindowLongPtrW(control, GWLP_USERDATA, k_menu_marker);
        if (row.kind == ControlKind::TextViewer || (row.kind == ControlKind::CodeEdit && row.limit <= 0))
            ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // 0: as much as the control can hold
        else if (is_edit(row.kind) && row.limit > 0)
            ::SendMessageW(control, EM_SETLIMITTEXT, static_cast<WPARAM>(row.limit), 0);
        if (row.kind == ControlKind::CodeEdit)
            (void)::SetWindowSubclass(control, &code_edit_proc, k_code_edit_subclass, 0);
        if (is_edit(row.kind)) theme::theme_edit(control);
        // Without visual style the text takes the colours of WM_CTLCOLORSTATIC.
        if (row.kind == ControlKind::CheckBox || row.kind == ControlKind::RadioButton)
            (void)::SetWindowTheme(control, L"", L"");
        if (row.kind == ControlKind::DropDownList && theme::is_dark())
            (void)::SetWindowTheme(control, L"DarkMode_CFD", nullptr);
    }

    // Headings, links and code after the ordinary font, which reaches every
    // child.
    set_font_on_all(window, normal);
    for (std::size_t i = 0; i < table.size(); ++i) {
        ControlKind kind = table[i].kind;
        if (created.handles[i] == nullptr ||
            (kind != ControlKind::Heading && kind != ControlKind::Link && kind != ControlKind::CodeEdit))
            continue;
        HFONT font = kind == ControlKind::Link ? underlined : kind == ControlKind::CodeEdit ? code : heading;
        ::SendMessageW(created.handles[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return created;
}

} // namespace quarn::controls
