#include "dialogs/uplink_dialog.hpp"

#include <string>
#include <vector>

#include "controls/common_message.hpp"
#include "controls/dialog_window.hpp"
#include "controls/modal.hpp"
#include "dialogs/form_window.hpp"
#include "dialogs/message_box.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {
namespace {

constexpr FormControl k_controls[] = {
    {FormKind::Label, 0, L"Port:", 14, 16, 80, 18, 0},
    {FormKind::Caption, k_uplink_caption, L"", 100, 16, 276, 18, 0},
    {FormKind::Label, 0, L"Linked To:", 14, 48, 80, 18, 0},
    {FormKind::DropDownList, k_uplink_switch, L"", 100, 44, 170, 220, 0},
    {FormKind::DropDownList, k_uplink_port, L"", 276, 44, 100, 220, 0},
    {FormKind::PushButton, IDOK, L"OK", 212, 84, 80, 26, 0},
    {FormKind::PushButton, IDCANCEL, L"Cancel", 296, 84, 80, 26, 0},
};

constexpr int k_width = 406;
constexpr int k_height = 160;

class UplinkDialog : public win::WindowBase<UplinkDialog> {
  public:
    explicit UplinkDialog(const UplinkDialogInput& input) noexcept : input_(input) {}

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        if (msg == WM_COMMAND && LOWORD(wparam) == k_uplink_switch && HIWORD(wparam) == CBN_SELCHANGE) {
            show_ports(0);
            return 0;
        }
        if (auto handled = controls::dialog_result_message(msg, wparam)) return *handled;
        if (auto handled = focus_.message(hwnd(), msg, wparam)) return *handled;
        if (auto handled = form_colour_message(msg, wparam)) return *handled;
        if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }

    void show() {
        write_field(hwnd(), k_uplink_caption, input_.caption);
        std::vector<std::string> switches{"None"};
        for (const LinkCandidate& candidate : input_.candidates) switches.push_back(candidate.switch_name);
        LinkChoice start;
        if (input_.current)
            start = initial_link_choice(input_.candidates, input_.current->switch_name, input_.current->port);
        fill_list(hwnd(), k_uplink_switch, switches, start.candidate ? *start.candidate + 1 : 0);
        show_ports(start.entry.value_or(0));
    }

    bool accept() noexcept {
        try {
            LinkChoice chosen;
            auto entry = list_selection(hwnd(), k_uplink_switch);
            if (entry && *entry > 0) chosen.candidate = *entry - 1;
            chosen.entry = list_selection(hwnd(), k_uplink_port);
            auto link = read_link_choice(input_.candidates, chosen, k_uplink_no_free_ports);
            if (!link) {
                show_warning(hwnd(), link.error());
                return false;
            }
            UplinkForm form;
            if (link.value()) form.peer = PortPeer{link.value()->switch_name, link.value()->entry};
            result_ = std::move(form);
            return true;
        } catch (...) {
            return false;
        }
    }

    std::optional<UplinkForm> take_result() noexcept { return std::move(result_); }

  private:
    void show_ports(std::size_t selected) noexcept {
        static const std::vector<std::string> none;
        auto entry = list_selection(hwnd(), k_uplink_switch);
        const std::vector<std::string>& labels = entry && *entry > 0 && *entry <= input_.candidates.size()
                                                     ? input_.candidates[*entry - 1].entries
                                                     : none;
        fill_list(hwnd(), k_uplink_port, labels,
                  selected < labels.size() ? std::optional<std::size_t>(selected) : std::nullopt);
    }

    const UplinkDialogInput& input_;
    FocusMemory focus_;
    std::optional<UplinkForm> result_;
};

} // namespace

std::optional<UplinkForm> run_uplink_dialog(HWND owner, const UplinkDialogInput& input) noexcept {
    UplinkDialog dialog(input);
    HWND window = controls::create_dialog_window(k_uplink_window_class, L"Uplink", &UplinkDialog::window_proc,
                                                 owner, k_width, k_height, &dialog);
    if (window == nullptr) return std::nullopt;
    create_form_controls(window, k_controls);
    try {
        dialog.show();
    } catch (...) {
        ::DestroyWindow(window);
        return std::nullopt;
    }
    if (!controls::run_modal(window, owner, k_uplink_switch, [&dialog] { return dialog.accept(); }))
        return std::nullopt;
    return dialog.take_result();
}

} // namespace quarn::dialogs
