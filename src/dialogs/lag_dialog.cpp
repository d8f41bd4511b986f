#include "dialogs/lag_dialog.hpp"

#include <string>
#include <vector>

#include "controls/common_message.hpp"
#include "controls/dialog_window.hpp"
#include "controls/modal.hpp"
#include "dialogs/form_text.hpp"
#include "dialogs/form_window.hpp"
#include "dialogs/message_box.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {
namespace {

constexpr FormControl k_controls[] = {
    {FormKind::Label, 0, L"Name:", 14, 16, 80, 18, 0},
    {FormKind::TextEdit, k_lag_name, L"", 100, 12, 160, 24, 40},
    {FormKind::Label, 0, L"Ports:", 14, 48, 80, 18, 0},
    {FormKind::TextEdit, k_lag_ports, L"", 100, 44, 276, 24, 200},
    {FormKind::Label, 0, L"Linked To:", 14, 80, 80, 18, 0},
    {FormKind::DropDownList, k_lag_switch, L"", 100, 76, 150, 220, 0},
    {FormKind::DropDownList, k_lag_far_lag, L"", 256, 76, 120, 220, 0},
    {FormKind::PushButton, k_lag_remove, L"Remove LAG", 14, 116, 96, 26, 0},
    {FormKind::PushButton, IDOK, L"OK", 212, 116, 80, 26, 0},
    {FormKind::PushButton, IDCANCEL, L"Cancel", 296, 116, 80, 26, 0},
};

constexpr int k_width = 406;
constexpr int k_height = 192;

class LagDialog : public win::WindowBase<LagDialog> {
  public:
    LagDialog(const LagDialogInput& input, const LagCheck& check, const LagCheck& question) noexcept
        : input_(input), check_(check), question_(question) {}

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        if (msg == WM_COMMAND) {
            int id = LOWORD(wparam);
            int code = HIWORD(wparam);
            if (id == k_lag_switch && code == CBN_SELCHANGE) {
                show_far_lags(0);
                return 0;
            }
            if (id == k_lag_remove && code == BN_CLICKED && input_.editing) {
                remove_ = true;
                controls::set_dialog_result(controls::DialogResult::OkPressed);
                return 0;
            }
        }
        if (auto handled = controls::dialog_result_message(msg, wparam)) return *handled;
        if (auto handled = focus_.message(hwnd(), msg, wparam)) return *handled;
        if (auto handled = form_colour_message(msg, wparam)) return *handled;
        if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }

    void show() {
        write_field(hwnd(), k_lag_name, input_.name);
        write_field(hwnd(), k_lag_ports, input_.ports);
        std::vector<std::string> switches{"None"};
        for (const LinkCandidate& candidate : input_.candidates) switches.push_back(candidate.switch_name);
        LinkChoice start;
        if (input_.current)
            start = initial_link_choice(input_.candidates, input_.current->switch_name, input_.current->lag);
        fill_list(hwnd(), k_lag_switch, switches, start.candidate ? *start.candidate + 1 : 0);
        show_far_lags(start.entry.value_or(0));
    }

    bool accept() noexcept {
        try {
            if (remove_) {
                result_ = LagForm{{}, {}, std::nullopt, true};
                return true;
            }
            auto link = read_link_choice(input_.candidates, choice(), k_lag_has_no_lags);
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
        } catch (...) {
            return false;
        }
    }

    std::optional<LagForm> take_result() noexcept { return std::move(result_); }

  private:
    LinkChoice choice() const noexcept {
        LinkChoice chosen;
        auto entry = list_selection(hwnd(), k_lag_switch);
        if (entry && *entry > 0) chosen.candidate = *entry - 1;
        chosen.entry = list_selection(hwnd(), k_lag_far_lag);
        return chosen;
    }

    // The LAGs of the switch chosen in the first list, `selected` chosen.
    void show_far_lags(std::size_t selected) noexcept {
        static const std::vector<std::string> none;
        auto entry = list_selection(hwnd(), k_lag_switch);
        const std::vector<std::string>& names = entry && *entry > 0 && *entry <= input_.candidates.size()
                                                    ? input_.candidates[*entry - 1].entries
                                                    : none;
        fill_list(hwnd(), k_lag_far_lag, names,
                  selected < names.size() ? std::optional<std::size_t>(selected) : std::nullopt);
    }

    const LagDialogInput& input_;
    const LagCheck& check_;
    const LagCheck& question_;
    bool remove_ = false;
    FocusMemory focus_;
    std::optional<LagForm> result_;
};

} // namespace

std::optional<LagForm> run_lag_dialog(HWND owner, const LagDialogInput& input, const LagCheck& check,
                                      const LagCheck& question) noexcept {
    LagDialog dialog(input, check, question);
    HWND window = controls::create_dialog_window(k_lag_window_class, input.editing ? L"Edit LAG" : L"Add LAG",
                                                 &LagDialog::window_proc, owner, k_width, k_height, &dialog);
    if (window == nullptr) return std::nullopt;
    std::vector<FormControl> table;
    for (const FormControl& row : k_controls)
        if (row.id != k_lag_remove || input.editing) table.push_back(row);
    create_form_controls(window, table);
    try {
        dialog.show();
    } catch (...) {
        ::DestroyWindow(window);
        return std::nullopt;
    }
    if (!controls::run_modal(window, owner, k_lag_name, [&dialog] { return dialog.accept(); }))
        return std::nullopt;
    return dialog.take_result();
}

} // namespace quarn::dialogs
