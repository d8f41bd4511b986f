#include "app/menus.hpp"

#include "app/commands.hpp"
#include "app/shortcuts.hpp"
#include "maker-services/install/install_texts.hpp"

namespace quarn::app {
namespace {

// A command's entry; its shortcut, if it has one, follows the text after a
// tab, where the menu shows it right-aligned.
MenuItem item(int id, std::string text, bool enabled = true, bool checked = false) {
    if (auto shortcut = shortcut_of(id)) {
        text += '\t';
        text += shortcut->text;
    }
    return MenuItem{id, std::move(text), enabled, checked, {}};
}

// A path shown as a menu item: "&" would mark the next letter as the
// item's mnemonic and vanish from the text.
std::string menu_text_of(const std::string& path) {
    std::string text;
    text.reserve(path.size());
    for (char c : path) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

MenuItem separator() {
    return MenuItem{};
}

std::vector<MenuItem> file_menu(const MenuState& state) {
    bool has_switch = state.switch_count > 0;
    std::vector<MenuItem> menu{
        item(FileNew, "New"),
        item(FileOpen, "Open..."),
        item(FileSave, "Save"),
        item(FileSaveAs, "Save As..."),
        separator(),
        item(FileCopyImage, "Copy Image", has_switch),
        item(FileSavePng, "Save PNG...", has_switch),
        item(FileSaveSvg, "Save SVG...", has_switch),
        item(FileSaveCsv, "Save CSV...", has_switch),
        item(FilePrint, "Print...", has_switch),
        separator(),
    };
    if (!state.recent.empty()) {
        MenuItem recent{0, "Recent Files", true, false, {}};
        for (std::size_t i = 0; i < state.recent.size(); ++i)
            recent.submenu.push_back(item(RecentFirst + static_cast<int>(i), menu_text_of(state.recent[i])));
        menu.push_back(std::move(recent));
        menu.push_back(separator());
    }
    menu.push_back(item(FileExit, "Exit"));
    return menu;
}

std::vector<MenuItem> edit_menu(const MenuState& state) {
    std::string vlan = state.selected_vlan ? " VLAN " + std::to_string(*state.selected_vlan) : "";
    bool any = state.selected_ports > 0;
    return {
        item(EditUndo, "Undo", state.can_undo),
        item(EditRedo, "Redo", state.can_redo),
        separator(),
        item(EditToggleUntagged, "Toggle Untagged" + vlan),
        item(EditToggleTagged, "Toggle Tagged" + vlan),
        item(EditClearVlans, "Clear VLANs"),
        separator(),
        item(EditLag, "LAG...", any && state.selection_on_one_switch),
        item(EditUplink, "Uplink...", state.selected_ports == 1),
        separator(),
        item(EditCopyPortVlans, "Copy Port VLANs"),
        item(EditPastePortVlans, "Paste Port VLANs", any && state.clipboard_filled),
        item(EditSelectAllOnSwitch, "Select All on Switch"),
    };
}

std::vector<MenuItem> switch_menu(const MenuState& state) {
    bool has = state.current_switch.has_value();
    bool first = has && *state.current_switch == 0;
    bool last = has && *state.current_switch + 1 >= state.switch_count;
    return {
        item(SwitchAdd, "Add Switch..."),
        item(SwitchImport, "Import Configuration..."),
        item(SwitchEdit, "Edit Switch...", has),
        item(SwitchDuplicate, "Duplicate Switch", has),
        item(SwitchRemove, "Remove Switch", has),
        separator(),
        item(SwitchMoveUp, "Move Up", has && !first),
        item(SwitchMoveDown, "Move Down", has && !last),
    };
}

std::vector<MenuItem> view_menu(const MenuState& state) {
    bool breakdown = state.view.kind == ViewKind::VlanBreakdown;
    return {
        item(ViewFrontPanel, "Front Panel", true, !breakdown),
        item(ViewBreakdown, "VLAN Breakdown", true, breakdown),
        item(ViewShowUnused, "Show Unused VLANs", breakdown, state.view.show_unused),
        separator(),
        item(ViewZoomIn, "Zoom In"),
        item(ViewZoomOut, "Zoom Out"),
        item(ViewZoomReset, "Reset Zoom"),
        separator(),
        item(ViewCheckMap, "Check Map..."),
        item(ViewChangesSinceSaved, "Changes Since Saved...", state.map_changed),
        item(ViewCompareWithFile, "Compare With File..."),
        separator(),
        item(ViewThemeSystem, "System Theme", true, state.theme == ThemeChoice::System),
        item(ViewThemeLight, "Light Theme", true, state.theme == ThemeChoice::Light),
        item(ViewThemeDark, "Dark Theme", true, state.theme == ThemeChoice::Dark),
    };
}

std::vector<MenuItem> help_menu(const MenuState& state) {
    return {
        item(HelpCheckUpdates, state.update_available ? "Update Available..." : "Check for Updates..."),
        item(HelpAbout, "About Quarn"),
        item(HelpInstall, install::install_menu_text(state.installed), !state.running_installed),
    };
}

} // namespace

std::vector<MenuItem> build_menu(MenuKind kind, const MenuState& state) {
    switch (kind) {
    case MenuKind::File:
        return file_menu(state);
    case MenuKind::Edit:
        return edit_menu(state);
    case MenuKind::Switch:
        return switch_menu(state);
    case MenuKind::View:
        return view_menu(state);
    case MenuKind::Help:
        break;
    }
    return help_menu(state);
}

} // namespace quarn::app
