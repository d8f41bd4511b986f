#include "app/main_controls.hpp"

#include <array>

#include "app/commands.hpp"
#include "app/main_layout.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "listview/vlan_list.hpp"
#include "theme/fonts.hpp"
#include "theme/window_theme.hpp"

namespace quarn::app {
namespace {

using controls::ControlKind;
using controls::ControlRow;

// Places come from main_layout(); the table gives kinds, ids and texts.
constexpr std::array k_main_controls{
    ControlRow{ControlKind::MenuButton, MenuFile, L"File"},
    ControlRow{ControlKind::MenuButton, MenuEdit, L"Edit"},
    ControlRow{ControlKind::MenuButton, MenuSwitch, L"Switch"},
    ControlRow{ControlKind::MenuButton, MenuView, L"View"},
    ControlRow{ControlKind::MenuButton, MenuHelp, L"Help"},
    ControlRow{ControlKind::Label, SiteLabel, L"Site:"},
    ControlRow{ControlKind::TextEdit, SiteField, L""},
    ControlRow{ControlKind::Label, VlansLabel, L"VLANs:"},
    ControlRow{ControlKind::PushButton, VlanAdd, L"Add"},
    ControlRow{ControlKind::PushButton, VlanEdit, L"Edit"},
    ControlRow{ControlKind::PushButton, VlanRemove, L"Remove"},
    ControlRow{ControlKind::CheckBox, HighlightVlan, L"Highlight Selected VLAN"},
    ControlRow{ControlKind::Label, PanelSelectionText, L"No Ports Selected"},
    ControlRow{ControlKind::Label, PanelVlanText, L"VLAN: None Selected"},
    ControlRow{ControlKind::PushButton, PanelToggleUntagged, L"Toggle Untagged"},
    ControlRow{ControlKind::PushButton, PanelToggleTagged, L"Toggle Tagged"},
    ControlRow{ControlKind::PushButton, PanelClear, L"Clear VLANs"},
    ControlRow{ControlKind::PushButton, PanelLag, L"LAG..."},
    ControlRow{ControlKind::PushButton, PanelUplink, L"Uplink..."},
    ControlRow{ControlKind::Label, RangeLabel, L"Select Ports (e.g. 1-12,25):"},
    ControlRow{ControlKind::TextEdit, RangeField, L""},
    ControlRow{ControlKind::PushButton, RangeSelect, L"Select"},
    ControlRow{ControlKind::Label, LabelLabel, L"Label:"},
    ControlRow{ControlKind::TextEdit, LabelField, L""},
    ControlRow{ControlKind::Label, DescriptionLabel, L"Description:"},
    ControlRow{ControlKind::TextEdit, DescriptionField, L""},
    ControlRow{ControlKind::CheckBox, DisabledCheck, L"Disabled"},
    ControlRow{ControlKind::Label, PortVlansLabel, L"VLANs on This Port:"},
    ControlRow{ControlKind::PathLabel, StatusLine, L""},
};

HWND child(HWND parent, int id) noexcept {
    return ::GetDlgItem(parent, id);
}

// Tab moves through the window as it reads: menu bar, site row, the VLAN
// list and its buttons, the canvas, the port panel, the status line. The
// controls are made in another order (the list and the canvas last), and
// Tab follows the siblings' z-order, so that order is set here.
constexpr std::array k_tab_order{
    MenuFile,
    MenuEdit,
    MenuSwitch,
    MenuView,
    MenuHelp,
    SiteLabel,
    SiteField,
    VlansLabel,
    VlanList,
    VlanAdd,
    VlanEdit,
    VlanRemove,
    HighlightVlan,
    Canvas,
    PanelSelectionText,
    PanelVlanText,
    PanelToggleUntagged,
    PanelToggleTagged,
    PanelClear,
    PanelLag,
    PanelUplink,
    RangeLabel,
    RangeField,
    RangeSelect,
    LabelLabel,
    LabelField,
    DescriptionLabel,
    DescriptionField,
    DisabledCheck,
    PortVlansLabel,
    PortVlanList,
    StatusLine,
};

void set_tab_order(HWND main) noexcept {
    HWND previous = HWND_TOP;
    for (int id : k_tab_order) {
        HWND control = child(main, id);
        if (control == nullptr) continue;
        ::SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

} // namespace

void create_main_controls(AppState& state) noexcept {
    HWND main = state.main;
    UINT dpi = controls::window_dpi(main);
    (void)controls::create_controls(main, k_main_controls, dpi);

    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    state.controls.vlan_list = listview::create_vlan_list(main, VlanList, state.instance, dpi);
    if (state.controls.vlan_list != nullptr) theme::theme_list_view(state.controls.vlan_list);

    state.controls.port_vlans = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, 0, 0, 10, 10, main,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(PortVlanList)), state.instance, nullptr);

    if (CanvasWindow::register_class(state.instance)) (void)state.canvas.create(main, Canvas, state.instance);

    set_tab_order(main);

    state.controls.site = child(main, SiteField);
    state.controls.highlight = child(main, HighlightVlan);
    state.controls.selection_text = child(main, PanelSelectionText);
    state.controls.vlan_text = child(main, PanelVlanText);
    state.controls.range = child(main, RangeField);
    state.controls.label = child(main, LabelField);
    state.controls.description = child(main, DescriptionField);
    state.controls.disabled = child(main, DisabledCheck);
    state.controls.status = child(main, StatusLine);
    state.controls.edit_vlan = child(main, VlanEdit);
    state.controls.remove_vlan = child(main, VlanRemove);
}

void layout_main_controls(const AppState& state) noexcept {
    RECT client{};
    ::GetClientRect(state.main, &client);
    UINT dpi = controls::window_dpi(state.main);
    try {
        auto places = main_layout(client.right, client.bottom, dpi);
        HDWP batch = ::BeginDeferWindowPos(static_cast<int>(places.size()));
        for (const ControlPlace& place : places) {
            HWND control = child(state.main, place.id);
            if (control == nullptr) continue;
            if (batch != nullptr)
                batch = ::DeferWindowPos(batch, control, nullptr, place.x, place.y, place.width, place.height,
                                         SWP_NOZORDER | SWP_NOACTIVATE);
            else
                ::MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
        }
        if (batch != nullptr) ::EndDeferWindowPos(batch);
    } catch (...) {
        // Out of memory while laying out: the controls stay where they were.
    }
}

void apply_main_font(const AppState& state) noexcept {
    UINT dpi = controls::window_dpi(state.main);
    controls::set_font_on_all(state.main,
                              theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Plain));
    if (state.controls.vlan_list != nullptr) listview::set_vlan_list_dpi(state.controls.vlan_list, dpi);
}

} // namespace quarn::app
