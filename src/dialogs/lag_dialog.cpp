#include "dialogs/lag_dialog.hpp"

#include <iterator>
#include <span>

#include "controls/modal.hpp"
#include "dialogs/form_dialog.hpp"
#include "dialogs/form_fields.hpp"
#include "dialogs/form_text.hpp"
#include "dialogs/link_lists.hpp"
#include "dialogs/message_box.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, 0, L"&Name:", 14, 16, 80, 18, 0},
    {ControlKind::TextEdit, k_lag_name, L"", 100, 12, 160, 24, 40},
    {ControlKind::Label, 0, L"&Ports:", 14, 48, 80, 18, 0},
    {ControlKind::TextEdit, k_lag_ports, L"", 100, 44, 276, 24, 200},
    {ControlKind::Label, 0, L"&Linked To:", 14, 80, 80, 18, 0},
    {ControlKind::DropDownList, k_lag_switch, L"", 100, 76, 150, 220, 0},
    {ControlKind::DropDownList, k_lag_far_lag, L"", 256, 76, 120, 220, 0},
    {ControlKind::PushButton, k_lag_remove, L"Remove LAG", 14, 116, 96, 26, 0},
    {ControlKind::PushButton, IDOK, L"OK", 212, 116, 80, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 296, 116, 80, 26, 0},
};

constexpr int k_width = 406;
constexpr int k_height = 192;

class LagDialog : public FormDialog<LagDialog, LagForm> {
  public:
    LagDialog(const LagDialogInput& input, const LagCheck& check, const LagCheck& question) noexcept
        : input_(input), check_(check), question_(question),
          links_(input.candidates, k_lag_switch, k_lag_far_lag) {}

    std::optional<LRESULT> own_message(UINT msg, WPARAM wparam, LPARAM) noexcept {
        if (msg == WM_COMMAND && LOWORD(wparam) == k_lag_remove && HIWORD(wparam) == BN_CLICKED &&
            input_.editing) {
            remove_ = true;
            controls::set_dialog_result(hwnd(), controls::DialogResult::OkPressed);
            return 0;
        }
        return links_.message(hwnd(), msg, wparam);
    }

    void show() {
        write_field(hwnd(), k_lag_name, input_.name);
        write_field(hwnd(), k_lag_ports, input_.ports);
        LinkChoice start;
        if (input_.current)
            start = initial_link_choice(input_.candidates, input_.current->switch_name, input_.current->lag);
        links_.show(hwnd(), start);
    }

    bool accept() {
        if (remove_) {
            result_ = LagForm{{}, {}, std::nullopt, true};
            return true;
        }
        auto link = links_.read(hwnd(), k_lag_has_no_lags);
        if (!link) {
            show_warning(hwnd(), link.error());
            return false;
        }
        LagForm form{trim_space(read_field(hwnd(), k_lag_name)), read_field(hwnd(), k_lag_ports),
                     std::nullopt, false};
        if (link.value()) form.peer = LagPeer{link.value()->switch_name, link.value()->entry};
        if (auto problem = check_ ? check_(form) : std::nullopt) {
            show_warning(hwnd(), *problem);
            return false;
        }
        if (auto question = question_ ? question_(form) : std::nullopt) {
            MessageRequest request{hwnd(), MessageIcon::Warning, *question, {"Continue", "Cancel"}, 0, 1};
            if (show_message(request) != 0) return false;
        }
        result_ = std::move(form);
        return true;
    }

  private:
    const LagDialogInput& input_;
    const LagCheck& check_;
    const LagCheck& question_;
    LinkLists links_;
    bool remove_ = false;
};

} // namespace

std::optional<LagForm> run_lag_dialog(HWND owner, const LagDialogInput& input, const LagCheck& check,
                                      const LagCheck& question) noexcept {
    ControlRow table[std::size(k_controls)];
    std::size_t count = 0;
    for (const ControlRow& row : k_controls)
        if (row.id != k_lag_remove || input.editing) table[count++] = row;
    LagDialog dialog(input, check, question);
    return dialog.run(owner, {k_lag_window_class, input.editing ? L"Edit LAG" : L"Add LAG", k_width, k_height,
                              std::span(table, count), k_lag_name});
}

} // namespace quarn::dialogs
