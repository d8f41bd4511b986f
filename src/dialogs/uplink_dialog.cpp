#include "dialogs/uplink_dialog.hpp"

#include "dialogs/form_dialog.hpp"
#include "dialogs/form_fields.hpp"
#include "dialogs/link_lists.hpp"
#include "dialogs/message_box.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, 0, L"Port:", 14, 16, 80, 18, 0},
    {ControlKind::Caption, k_uplink_caption, L"", 100, 16, 276, 18, 0},
    {ControlKind::Label, 0, L"&Linked To:", 14, 48, 80, 18, 0},
    {ControlKind::DropDownList, k_uplink_switch, L"", 100, 44, 170, 220, 0},
    {ControlKind::DropDownList, k_uplink_port, L"", 276, 44, 100, 220, 0},
    {ControlKind::PushButton, IDOK, L"OK", 212, 84, 80, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 296, 84, 80, 26, 0},
};

constexpr int k_width = 406;
constexpr int k_height = 160;

class UplinkDialog : public FormDialog<UplinkDialog, UplinkForm> {
  public:
    explicit UplinkDialog(const UplinkDialogInput& input) noexcept
        : input_(input), links_(input.candidates, k_uplink_switch, k_uplink_port) {}

    std::optional<LRESULT> own_message(UINT msg, WPARAM wparam, LPARAM) noexcept {
        return links_.message(hwnd(), msg, wparam);
    }

    void show() {
        write_field(hwnd(), k_uplink_caption, input_.caption);
        LinkChoice start;
        if (input_.current)
            start = initial_link_choice(input_.candidates, input_.current->switch_name, input_.current->port);
        links_.show(hwnd(), start);
    }

    bool accept() {
        auto link = links_.read(hwnd(), k_uplink_no_free_ports);
        if (!link) {
            show_warning(hwnd(), link.error());
            return false;
        }
        UplinkForm form;
        if (link.value()) form.peer = PortPeer{link.value()->switch_name, link.value()->entry};
        result_ = std::move(form);
        return true;
    }

  private:
    const UplinkDialogInput& input_;
    LinkLists links_;
};

} // namespace

std::optional<UplinkForm> run_uplink_dialog(HWND owner, const UplinkDialogInput& input) noexcept {
    UplinkDialog dialog(input);
    return dialog.run(owner,
                      {k_uplink_window_class, L"Uplink", k_width, k_height, k_controls, k_uplink_switch});
}

} // namespace quarn::dialogs
