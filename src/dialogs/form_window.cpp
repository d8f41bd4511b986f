#include "dialogs/form_window.hpp"

#include <commctrl.h>
#include <uxtheme.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "dialogs/form_text.hpp"
#include "dialogs/switch_preview.hpp"
#include "theme/fonts.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;

std::optional<ControlKind> shared_kind(FormKind kind) noexcept {
    switch (kind) {
    case FormKind::Label:
        return ControlKind::Label;
    case FormKind::TextEdit:
        return ControlKind::TextEdit;
    case FormKind::NumberEdit:
        return ControlKind::NumberEdit;
    case FormKind::CheckBox:
        return ControlKind::CheckBox;
    case FormKind::PushButton:
        return ControlKind::PushButton;
    default:
        return std::nullopt;
    }
}

HWND create_child(HWND window, const FormControl& row, const wchar_t* class_name, DWORD style, DWORD ex_style,
                  UINT dpi) noexcept {
    auto scale = [dpi](int units) { return scale_units(units, dpi); };
    return ::CreateWindowExW(ex_style, class_name, row.text, WS_CHILD | WS_VISIBLE | style, scale(row.x),
                             scale(row.y), scale(row.w), scale(row.h), window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

// A label or check box whose text is wider than its box (a font wider than
// the one the table was made for, such as a substitute for Segoe UI) gets
// as many lines as the text needs, centred on its row, rather than losing
// its last words.
void fit_text(HWND control, const FormControl& row, UINT dpi, HFONT font) noexcept {
    wchar_t text[256] = {};
    int length = ::GetWindowTextW(control, text, 256);
    if (length <= 0) return;
    bool check_box = row.kind == FormKind::CheckBox;
    // The box and the gap before the text, as the button draws them.
    int lead = check_box ? ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + scale_units(4, dpi) : 0;
    int width = scale_units(row.w, dpi) - lead;
    int height = scale_units(row.h, dpi);
    win::WindowDc dc(control);
    if (dc.get() == nullptr || width <= 0) return;
    win::SelectGuard keep(dc.get(), font);
    RECT line{0, 0, 0, 0};
    ::DrawTextW(dc.get(), text, length, &line, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (line.right <= width) return;
    RECT wrapped{0, 0, width, 0};
    ::DrawTextW(dc.get(), text, length, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    int needed = wrapped.bottom;
    if (needed <= height) return;
    if (check_box)
        ::SetWindowLongPtrW(control, GWL_STYLE, ::GetWindowLongPtrW(control, GWL_STYLE) | BS_MULTILINE);
    int top = scale_units(row.y, dpi) - (needed - height) / 2;
    ::SetWindowPos(control, nullptr, scale_units(row.x, dpi), top, scale_units(row.w, dpi), needed,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void create_form_controls(HWND window, std::span<const FormControl> table) noexcept {
    UINT dpi = controls::window_dpi(window);
    std::vector<std::pair<HWND, const FormControl*>> texts; // labels and check boxes to fit
    for (const FormControl& row : table) {
        if (auto kind = shared_kind(row.kind)) {
            controls::ControlRow control{*kind, row.id, row.text, row.x, row.y, row.w, row.h, row.limit};
            if (!controls::create_controls(window, std::span(&control, 1), dpi)) continue;
            // Children join at the end of the list, which is the Tab order.
            HWND created = ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDLAST);
            if (created != nullptr && (row.kind == FormKind::Label || row.kind == FormKind::CheckBox)) {
                try {
                    texts.emplace_back(created, &row);
                } catch (...) {
                    // Out of memory: the control keeps its table size.
                }
            }
            continue;
        }
        switch (row.kind) {
        case FormKind::Caption:
            (void)create_child(window, row, WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, dpi);
            break;
        case FormKind::DropDownList: {
            HWND list =
                create_child(window, row, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, dpi);
            if (list != nullptr && theme::is_dark()) (void)::SetWindowTheme(list, L"DarkMode_CFD", nullptr);
            break;
        }
        case FormKind::Preview:
            if (register_preview_class())
                (void)create_child(window, row, k_preview_class, 0, WS_EX_CLIENTEDGE, dpi);
            break;
        default:
            break;
        }
    }
    HFONT font = theme::dialog_font(dpi, theme::k_text_size, false);
    controls::set_font_on_all(window, font);
    for (auto [control, row] : texts) fit_text(control, *row, dpi, font);
}

std::string read_field(HWND dialog, int id) {
    wchar_t buffer[k_max_field_text + 1] = {};
    int length = ::GetDlgItemTextW(dialog, id, buffer, static_cast<int>(k_max_field_text + 1));
    if (length > 0 && buffer[length - 1] >= 0xD800 && buffer[length - 1] <= 0xDBFF) --length;
    return win::narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

void write_field(HWND dialog, int id, std::string_view text) noexcept {
    try {
        ::SetDlgItemTextW(dialog, id, win::widen(text).c_str());
    } catch (...) {
        // Out of memory: the field keeps its text.
    }
}

bool is_checked(HWND dialog, int id) noexcept {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void set_checked(HWND dialog, int id, bool checked) noexcept {
    ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void fill_list(HWND dialog, int id, const std::vector<std::string>& entries,
               std::optional<std::size_t> selected) noexcept {
    HWND list = ::GetDlgItem(dialog, id);
    if (list == nullptr) return;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    try {
        for (const std::string& entry : entries)
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::widen(entry).c_str()));
    } catch (...) {
        // Out of memory: the entries so far.
    }
    WPARAM index = selected ? static_cast<WPARAM>(*selected) : static_cast<WPARAM>(-1);
    ::SendMessageW(list, CB_SETCURSEL, index, 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

std::optional<std::size_t> list_selection(HWND dialog, int id) noexcept {
    LRESULT index = ::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || index < 0) return std::nullopt;
    return static_cast<std::size_t>(index);
}

std::optional<LRESULT> FocusMemory::message(HWND dialog, UINT msg, WPARAM wparam) noexcept {
    if (msg != WM_ACTIVATE) return std::nullopt;
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(dialog, focus)) last_ = focus;
        return std::nullopt;
    }
    if (last_ == nullptr || !::IsWindow(last_) || !::IsChild(dialog, last_)) return std::nullopt;
    ::SetFocus(last_);
    return 0;
}

void LinkLists::show(HWND dialog, const LinkChoice& start) {
    std::vector<std::string> switches{"None"};
    for (const LinkCandidate& candidate : candidates_) switches.push_back(candidate.switch_name);
    fill_list(dialog, switch_id_, switches, start.candidate ? *start.candidate + 1 : 0);
    show_entries(dialog, start.entry.value_or(0));
}

std::optional<LRESULT> LinkLists::message(HWND dialog, UINT msg, WPARAM wparam) noexcept {
    if (msg != WM_COMMAND || LOWORD(wparam) != switch_id_ || HIWORD(wparam) != CBN_SELCHANGE)
        return std::nullopt;
    show_entries(dialog, 0);
    return 0;
}

Result<std::optional<ChosenLink>> LinkLists::read(HWND dialog, std::string_view no_entry_message) const {
    LinkChoice chosen;
    auto entry = list_selection(dialog, switch_id_);
    if (entry && *entry > 0) chosen.candidate = *entry - 1;
    chosen.entry = list_selection(dialog, entry_id_);
    return read_link_choice(candidates_, chosen, no_entry_message);
}

void LinkLists::show_entries(HWND dialog, std::size_t selected) noexcept {
    static const std::vector<std::string> none;
    auto entry = list_selection(dialog, switch_id_);
    const std::vector<std::string>& entries =
        entry && *entry > 0 && *entry <= candidates_.size() ? candidates_[*entry - 1].entries : none;
    fill_list(dialog, entry_id_, entries,
              selected < entries.size() ? std::optional<std::size_t>(selected) : std::nullopt);
}

} // namespace quarn::dialogs
