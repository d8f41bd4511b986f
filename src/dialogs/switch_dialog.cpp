#include "dialogs/switch_dialog.hpp"

#include <string>
#include <vector>

#include "dialogs/form_dialog.hpp"
#include "dialogs/form_fields.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/switch_preview.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, 0, L"&Name:", 14, 16, 80, 18, 0},
    {ControlKind::TextEdit, k_switch_name, L"", 100, 12, 200, 24, 60},
    {ControlKind::Label, 0, L"&Model:", 14, 48, 80, 18, 0},
    {ControlKind::TextEdit, k_switch_model, L"", 100, 44, 200, 24, 60},
    {ControlKind::Label, 0, L"&Location:", 14, 80, 80, 18, 0},
    {ControlKind::TextEdit, k_switch_location, L"", 100, 76, 200, 24, 60},
    {ControlKind::Label, 0, L"&Template:", 14, 112, 80, 18, 0},
    {ControlKind::DropDownList, k_switch_template, L"", 100, 108, 200, 260, 0},
    {ControlKind::Label, 0, L"&Ports:", 330, 16, 110, 18, 0},
    {ControlKind::NumberEdit, k_switch_ports, L"", 446, 12, 60, 24, 3},
    {ControlKind::Label, 0, L"S&FP Uplinks:", 330, 48, 110, 18, 0},
    {ControlKind::NumberEdit, k_switch_sfp, L"", 446, 44, 60, 24, 3},
    {ControlKind::Label, 0, L"&Dual-Personality Ports:", 330, 80, 116, 18, 0},
    {ControlKind::NumberEdit, k_switch_dual, L"", 446, 76, 60, 24, 3},
    {ControlKind::Label, 0, L"&Rows:", 330, 112, 110, 18, 0},
    {ControlKind::NumberEdit, k_switch_rows, L"", 446, 108, 60, 24, 3},
    {ControlKind::Label, 0, L"&Gap Every (Columns):", 330, 144, 116, 18, 0},
    {ControlKind::NumberEdit, k_switch_gap, L"", 446, 140, 60, 24, 3},
    {ControlKind::Label, 0, L"Label Pr&efix:", 330, 176, 110, 18, 0},
    {ControlKind::TextEdit, k_switch_prefix, L"", 446, 172, 128, 24, 20},
    {ControlKind::CheckBox, k_switch_row_by_row, L"Number Row by Row (Otherwise Odd Ports on Top)", 14, 174,
     306, 32, 0},
    {ControlKind::Custom, k_switch_preview, k_preview_class, 14, 208, 560, 126, 0},
    {ControlKind::PushButton, IDOK, L"OK", 410, 346, 80, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 494, 346, 80, 26, 0},
};

constexpr int k_width = 604;
constexpr int k_height = 424;

bool refreshes_preview(int id) noexcept {
    return (id >= k_switch_name && id <= k_switch_location) ||
           (id >= k_switch_ports && id <= k_switch_prefix) || id == k_switch_dual;
}

class SwitchDialog : public FormDialog<SwitchDialog, SwitchForm> {
  public:
    explicit SwitchDialog(const SwitchFormText& initial) noexcept : initial_(initial) {}

    // The preview window's object, handed to the window at its creation.
    [[nodiscard]] SwitchPreview& preview() noexcept { return preview_; }

    std::optional<LRESULT> own_message(UINT msg, WPARAM wparam, LPARAM) noexcept {
        if (msg != WM_COMMAND) return std::nullopt;
        int id = LOWORD(wparam);
        int code = HIWORD(wparam);
        if ((code == EN_CHANGE && refreshes_preview(id)) ||
            (id == k_switch_row_by_row && code == BN_CLICKED)) {
            refresh_preview();
            return 0;
        }
        if (id == k_switch_template && code == CBN_SELCHANGE) {
            apply_template();
            return 0;
        }
        return std::nullopt;
    }

    void show() {
        quiet_ = true;
        write_field(hwnd(), k_switch_name, initial_.name);
        write_field(hwnd(), k_switch_model, initial_.model);
        write_field(hwnd(), k_switch_location, initial_.location);
        write_numbers(initial_);
        write_field(hwnd(), k_switch_prefix, initial_.label_prefix);
        set_checked(hwnd(), k_switch_row_by_row, initial_.number_row_by_row);
        std::vector<std::string> entries;
        for (const SwitchTemplate& entry : k_switch_templates) entries.emplace_back(entry.text);
        fill_list(hwnd(), k_switch_template, entries, 0);
        quiet_ = false;
        refresh_preview();
    }

    bool accept() {
        SwitchForm form = read_switch_form(read_text());
        if (auto problem = switch_form_problem(form)) {
            show_warning(hwnd(), *problem);
            ::SetFocus(::GetDlgItem(hwnd(), form.name.empty() ? k_switch_name : k_switch_ports));
            return false;
        }
        result_ = std::move(form);
        return true;
    }

  private:
    SwitchFormText read_text() const {
        SwitchFormText text;
        text.name = read_field(hwnd(), k_switch_name);
        text.model = read_field(hwnd(), k_switch_model);
        text.location = read_field(hwnd(), k_switch_location);
        text.ports = read_field(hwnd(), k_switch_ports);
        text.sfp = read_field(hwnd(), k_switch_sfp);
        text.dual = read_field(hwnd(), k_switch_dual);
        text.rows = read_field(hwnd(), k_switch_rows);
        text.gap = read_field(hwnd(), k_switch_gap);
        text.label_prefix = read_field(hwnd(), k_switch_prefix);
        text.number_row_by_row = is_checked(hwnd(), k_switch_row_by_row);
        return text;
    }

    void write_numbers(const SwitchFormText& text) noexcept {
        write_field(hwnd(), k_switch_ports, text.ports);
        write_field(hwnd(), k_switch_sfp, text.sfp);
        write_field(hwnd(), k_switch_dual, text.dual);
        write_field(hwnd(), k_switch_rows, text.rows);
        write_field(hwnd(), k_switch_gap, text.gap);
    }

    void apply_template() noexcept {
        auto entry = list_selection(hwnd(), k_switch_template);
        if (!entry) return;
        try {
            SwitchFormText text = read_text();
            if (!apply_switch_template(text, *entry)) return;
            quiet_ = true;
            write_numbers(text);
            quiet_ = false;
            refresh_preview();
        } catch (...) {
            quiet_ = false;
        }
    }

    void refresh_preview() noexcept {
        if (quiet_) return;
        try {
            preview_.show(preview_map(read_switch_form(read_text())));
        } catch (...) {
            // Out of memory: the preview keeps the last picture.
        }
    }

    const SwitchFormText& initial_;
    bool quiet_ = false;
    SwitchPreview preview_;
};

} // namespace

std::optional<SwitchForm> run_switch_dialog(HWND owner, const Switch* existing) noexcept {
    try {
        return run_switch_dialog(owner, switch_form_text(existing), existing != nullptr);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<SwitchForm> run_switch_dialog(HWND owner, const SwitchFormText& initial,
                                            bool editing) noexcept {
    SwitchDialog dialog(initial);
    // Without its class the dialog opens all the same, without a preview.
    (void)SwitchPreview::register_class();
    return dialog.run(owner, {k_switch_window_class, editing ? L"Edit Switch" : L"Add Switch", k_width,
                              k_height, k_controls, k_switch_name, &dialog.preview()});
}

} // namespace quarn::dialogs
