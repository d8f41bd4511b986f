#include "app/menus.hpp"

#include <gtest/gtest.h>

#include "app/command_table.hpp"
#include "app/commands.hpp"

namespace quarn::app {
namespace {

const MenuItem* find(const std::vector<MenuItem>& menu, int id) {
    for (const MenuItem& item : menu) {
        if (item.id == id) return &item;
        if (const MenuItem* inner = find(item.submenu, id)) return inner;
    }
    return nullptr;
}

bool enabled(const std::vector<MenuItem>& menu, int id) {
    const MenuItem* item = find(menu, id);
    EXPECT_NE(item, nullptr) << id;
    return item != nullptr && item->enabled;
}

bool checked(const std::vector<MenuItem>& menu, int id) {
    const MenuItem* item = find(menu, id);
    EXPECT_NE(item, nullptr) << id;
    return item != nullptr && item->checked;
}

std::vector<std::string> texts(const std::vector<MenuItem>& menu) {
    std::vector<std::string> out;
    for (const MenuItem& item : menu) out.push_back(item.separator() ? "-" : item.text);
    return out;
}

TEST(Menus, FileMenuGreysExportsWithoutSwitchesAndListsRecentFiles) {
    MenuState state;
    auto empty = build_menu(MenuKind::File, state);
    EXPECT_EQ(texts(empty), (std::vector<std::string>{
                                "New\tCtrl+N", "Open...\tCtrl+O", "Save\tCtrl+S", "Save As...\tCtrl+Shift+S",
                                "-", "Copy Image\tCtrl+Shift+C", "Save PNG...", "Save SVG...", "Save CSV...",
                                "Print...\tCtrl+P", "-", "Exit"}));
    const int exports[] = {FileCopyImage, FileSavePng, FileSaveSvg, FileSaveCsv, FilePrint};
    for (int id : exports) EXPECT_FALSE(enabled(empty, id)) << id;

    state.switch_count = 1;
    state.recent = {"C:\\a.quarn", "C:\\R&D\\b&&c.quarn"};
    auto full = build_menu(MenuKind::File, state);
    for (int id : exports) EXPECT_TRUE(enabled(full, id)) << id;
    const MenuItem* second = find(full, RecentFirst + 1);
    ASSERT_NE(second, nullptr);
    // Ampersands in paths are shown, not taken as mnemonics.
    EXPECT_EQ(second->text, "C:\\R&&D\\b&&&&c.quarn");
    EXPECT_EQ(full[full.size() - 3].text, "Recent Files");
}

TEST(Menus, EditMenuFollowsHistorySelectionAndClipboard) {
    MenuState state;
    auto menu = build_menu(MenuKind::Edit, state);
    EXPECT_FALSE(enabled(menu, EditUndo));
    EXPECT_FALSE(enabled(menu, EditRedo));
    EXPECT_FALSE(enabled(menu, EditPastePortVlans));
    EXPECT_EQ(find(menu, EditToggleUntagged)->text, "Toggle Untagged\tU");

    state.can_undo = true;
    state.selected_vlan = 20;
    state.selected_ports = 2;
    menu = build_menu(MenuKind::Edit, state);
    EXPECT_TRUE(enabled(menu, EditUndo));
    EXPECT_FALSE(enabled(menu, EditRedo));
    EXPECT_FALSE(enabled(menu, EditPastePortVlans)); // nothing copied yet
    EXPECT_EQ(find(menu, EditToggleTagged)->text, "Toggle Tagged VLAN 20\tT");

    EXPECT_FALSE(enabled(menu, EditLag)); // the ports may lie on two switches
    EXPECT_FALSE(enabled(menu, EditUplink));
    state.selection_on_one_switch = true;
    menu = build_menu(MenuKind::Edit, state);
    EXPECT_TRUE(enabled(menu, EditLag));
    EXPECT_FALSE(enabled(menu, EditUplink)); // two ports
    state.selected_ports = 1;
    EXPECT_TRUE(enabled(build_menu(MenuKind::Edit, state), EditUplink));

    state.selected_ports = 2;
    state.clipboard_filled = true;
    EXPECT_TRUE(enabled(build_menu(MenuKind::Edit, state), EditPastePortVlans));
    state.selected_ports = 0;
    EXPECT_FALSE(enabled(build_menu(MenuKind::Edit, state), EditPastePortVlans));
}

TEST(Menus, SwitchMenuMovesOnlyWhereThereIsRoom) {
    MenuState state;
    auto none = build_menu(MenuKind::Switch, state);
    EXPECT_FALSE(enabled(none, SwitchMoveUp));
    EXPECT_FALSE(enabled(none, SwitchMoveDown));
    EXPECT_FALSE(enabled(none, SwitchRemove));
    EXPECT_FALSE(enabled(none, SwitchEdit));
    EXPECT_TRUE(enabled(none, SwitchAdd));
    EXPECT_TRUE(enabled(none, SwitchImport)); // a map without switches imports a new one
    EXPECT_EQ(texts(none),
              (std::vector<std::string>{"Add Switch...", "Import Configuration...", "Edit Switch...",
                                        "Duplicate Switch", "Remove Switch", "-", "Move Up", "Move Down"}));

    state.switch_count = 3;
    for (auto [current, up, down] :
         {std::tuple{0u, false, true}, std::tuple{1u, true, true}, std::tuple{2u, true, false}}) {
        state.current_switch = current;
        auto menu = build_menu(MenuKind::Switch, state);
        EXPECT_EQ(enabled(menu, SwitchMoveUp), up) << current;
        EXPECT_EQ(enabled(menu, SwitchMoveDown), down) << current;
    }
    state.switch_count = 1;
    state.current_switch = 0;
    auto single = build_menu(MenuKind::Switch, state);
    EXPECT_FALSE(enabled(single, SwitchMoveUp));
    EXPECT_FALSE(enabled(single, SwitchMoveDown));
}

TEST(Menus, ViewMenuChecksTheViewAndTheTheme) {
    MenuState state;
    state.theme = ThemeChoice::Dark;
    auto menu = build_menu(MenuKind::View, state);
    EXPECT_TRUE(checked(menu, ViewThemeDark));
    EXPECT_FALSE(checked(menu, ViewThemeSystem));
    const std::vector<std::string> all = texts(menu);
    ASSERT_GE(all.size(), 5u);
    EXPECT_EQ(
        std::vector<std::string>(all.begin(), all.begin() + 5),
        (std::vector<std::string>{"Front Panel", "VLAN Breakdown", "Topology", "Show Unused VLANs", "-"}));

    // One view checked at a time; unused VLANs are a choice of the breakdown.
    struct Case {
        ViewMode view;
        std::vector<bool> checks; // front panel, breakdown, topology, show unused
        bool unused_enabled;
    };
    const Case cases[] = {
        {ViewMode{ViewKind::FrontPanel, false}, {true, false, false, false}, false},
        {ViewMode{ViewKind::VlanBreakdown, true}, {false, true, false, true}, true},
        {ViewMode{ViewKind::Topology, true}, {false, false, true, true}, false},
    };
    for (const Case& c : cases) {
        state.view = c.view;
        menu = build_menu(MenuKind::View, state);
        const std::vector<bool> checks{checked(menu, ViewFrontPanel), checked(menu, ViewBreakdown),
                                       checked(menu, ViewTopology), checked(menu, ViewShowUnused)};
        EXPECT_EQ(checks, c.checks) << static_cast<int>(c.view.kind);
        EXPECT_EQ(enabled(menu, ViewShowUnused), c.unused_enabled) << static_cast<int>(c.view.kind);
    }
}

TEST(Menus, HelpMenuNamesAKnownUpdate) {
    MenuState state;
    auto menu = build_menu(MenuKind::Help, state);
    EXPECT_EQ(texts(menu),
              (std::vector<std::string>{"Check for Updates...", "About Quarn", "Install Quarn..."}));
    EXPECT_EQ(menu.front().id, HelpCheckUpdates);
    state.update_available = true;
    menu = build_menu(MenuKind::Help, state);
    EXPECT_EQ(texts(menu),
              (std::vector<std::string>{"Update Available...", "About Quarn", "Install Quarn..."}));
    EXPECT_EQ(menu.front().id, HelpCheckUpdates);
}

TEST(Menus, HelpMenuOffersToInstallOrToUpdateTheInstalledCopy) {
    MenuState state;
    EXPECT_EQ(build_menu(MenuKind::Help, state).back(),
              (MenuItem{HelpInstall, "Install Quarn...", true, false, {}}));
    state.installed = true;
    EXPECT_EQ(build_menu(MenuKind::Help, state).back(),
              (MenuItem{HelpInstall, "Update Installed Quarn...", true, false, {}}));
    // The installed copy itself has nothing to copy over itself.
    state.running_installed = true;
    EXPECT_EQ(build_menu(MenuKind::Help, state).back(),
              (MenuItem{HelpInstall, "Update Installed Quarn...", false, false, {}}));
}

TEST(Menus, ViewMenuOffersTheChangesOnlyWhileTheMapDiffersFromItsSavedCopy) {
    MenuState state;
    auto menu = build_menu(MenuKind::View, state);
    EXPECT_EQ(texts(menu), (std::vector<std::string>{
                               "Front Panel", "VLAN Breakdown", "Topology", "Show Unused VLANs", "-",
                               "Zoom In\tCtrl++", "Zoom Out\tCtrl+-", "Reset Zoom\tCtrl+0", "-",
                               "Check Map...\tF5", "Changes Since Saved...\tF6", "Compare With File...",
                               "Where Is This VLAN...", "-", "System Theme", "Light Theme", "Dark Theme"}));
    EXPECT_FALSE(enabled(menu, ViewChangesSinceSaved));
    EXPECT_TRUE(enabled(menu, ViewCompareWithFile));
    EXPECT_FALSE(enabled(menu, ViewWhereIsVlan));
    EXPECT_EQ(build_vlan_list_menu(state),
              (std::vector<MenuItem>{{ViewWhereIsVlan, "Where Is This VLAN...", false, false, {}}}));
    state.selected_vlan = 20;
    EXPECT_TRUE(enabled(build_menu(MenuKind::View, state), ViewWhereIsVlan));
    EXPECT_TRUE(build_vlan_list_menu(state).front().enabled);
    state.map_changed = true;
    EXPECT_TRUE(enabled(build_menu(MenuKind::View, state), ViewChangesSinceSaved));
}

TEST(CommandTable, EveryKeyIsShownInItsMenuAndNoKeyOrIdIsTakenTwice) {
    MenuState state;
    state.switch_count = 2;
    state.current_switch = 1;
    for (const CommandRow& row : k_commands) {
        for (const CommandRow& other : k_commands) {
            if (&row == &other) continue;
            if (row.id == other.id) ADD_FAILURE() << "two rows for " << row.id;
            if (row.key && other.key && row.key->key == other.key->key &&
                row.key->modifiers == other.key->modifiers && row.key->owner == other.key->owner)
                ADD_FAILURE() << row.key->text << " runs " << row.id << " and " << other.id;
        }
        if (row.menu == MenuKind::None) continue;
        const std::vector<MenuItem> menu = build_menu(row.menu, state);
        const MenuItem* item = find(menu, row.id);
        ASSERT_NE(item, nullptr) << row.id;
        if (row.key) {
            EXPECT_TRUE(item->text.ends_with("\t" + std::string(row.key->text))) << item->text;
        } else {
            EXPECT_EQ(item->text.find('\t'), std::string::npos) << item->text;
        }
        EXPECT_EQ(command_for_key(row.key ? row.key->key : 0, row.key ? row.key->modifiers : 0,
                                  row.key ? row.key->owner : KeyOwner::Accelerator),
                  row.key ? row.id : 0);
    }
}

} // namespace
} // namespace quarn::app
