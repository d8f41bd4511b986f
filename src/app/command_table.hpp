#pragma once

// The one table of the program's commands: their menu entries, keys, when
// they are enabled and the function each runs. The menus, the accelerator
// table, the canvas's keys and the dispatch of WM_COMMAND all read it, so a
// new command is one row and its function.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/app_state_fwd.hpp"
#include "app/check_command.hpp"
#include "app/commands.hpp"
#include "app/compare_commands.hpp"
#include "app/editor_commands.hpp"
#include "app/export_commands.hpp"
#include "app/file_commands.hpp"
#include "app/find_commands.hpp"
#include "app/help_commands.hpp"
#include "app/menus.hpp"
#include "app/picture_commands.hpp"
#include "app/port_commands.hpp"
#include "app/shortcuts.hpp"
#include "app/switch_commands.hpp"
#include "app/undo_commands.hpp"
#include "app/view_commands.hpp"
#include "app/vlan_commands.hpp"
#include "maker-services/install/install_texts.hpp"

// The functions run only in the Windows program; the platform-free build
// reads the table's texts, keys and rules and never takes their addresses.
#if defined(_WIN32)
#define QUARN_RUNS(function) &(function)
#else
#define QUARN_RUNS(function) nullptr
#endif

namespace quarn::app {

using CommandRun = void (*)(AppState&) noexcept;
using MenuRule = bool (*)(const MenuState&) noexcept;
using MenuText = std::string (*)(const MenuState&);

struct CommandRow {
    int id = 0;
    // The menu that lists it (None: a button of the window), and its group
    // there: a separator stands between groups.
    MenuKind menu = MenuKind::None;
    std::uint8_t group = 0;
    std::string_view text;
    std::optional<Shortcut> key;
    MenuRule enabled = nullptr;      // none: always
    MenuRule checked = nullptr;      // none: never
    MenuText dynamic_text = nullptr; // a text that follows the state, instead of `text`
    CommandRun run = nullptr;
};

namespace command_rules {

constexpr Shortcut key(std::uint16_t code, std::uint8_t modifiers, std::string_view text,
                       KeyOwner owner = KeyOwner::Accelerator) {
    return Shortcut{code, modifiers, owner, text};
}

constexpr bool has_switch(const MenuState& s) noexcept {
    return s.switch_count > 0;
}
constexpr bool has_current(const MenuState& s) noexcept {
    return s.current_switch.has_value();
}
constexpr bool not_first(const MenuState& s) noexcept {
    return s.current_switch && *s.current_switch != 0;
}
constexpr bool not_last(const MenuState& s) noexcept {
    return s.current_switch && *s.current_switch + 1 < s.switch_count;
}
constexpr bool front_panel(const MenuState& s) noexcept {
    return s.view.kind == ViewKind::FrontPanel;
}
constexpr bool breakdown(const MenuState& s) noexcept {
    return s.view.kind == ViewKind::VlanBreakdown;
}
constexpr bool topology(const MenuState& s) noexcept {
    return s.view.kind == ViewKind::Topology;
}
std::string with_selected_vlan(std::string_view text, const MenuState& s);

} // namespace command_rules

inline constexpr CommandRow k_commands[] = {
    // File
    {.id = FileNew,
     .menu = MenuKind::File,
     .text = "New",
     .key = command_rules::key('N', Ctrl, "Ctrl+N"),
     .run = QUARN_RUNS(new_command)},
    {.id = FileOpen,
     .menu = MenuKind::File,
     .text = "Open...",
     .key = command_rules::key('O', Ctrl, "Ctrl+O"),
     .run = QUARN_RUNS(open_command)},
    {.id = FileSave,
     .menu = MenuKind::File,
     .text = "Save",
     .key = command_rules::key('S', Ctrl, "Ctrl+S"),
     .run = QUARN_RUNS(save_command)},
    {.id = FileSaveAs,
     .menu = MenuKind::File,
     .text = "Save As...",
     .key = command_rules::key('S', Ctrl | Shift, "Ctrl+Shift+S"),
     .run = QUARN_RUNS(save_as_command)},
    {.id = FileCopyImage,
     .menu = MenuKind::File,
     .group = 1,
     .text = "Copy Image",
     .key = command_rules::key('C', Ctrl | Shift, "Ctrl+Shift+C"),
     .enabled = command_rules::has_switch,
     .run = QUARN_RUNS(copy_image)},
    {.id = FileSavePng,
     .menu = MenuKind::File,
     .group = 1,
     .text = "Save PNG...",
     .enabled = command_rules::has_switch,
     .run = QUARN_RUNS(save_png)},
    {.id = FileSaveSvg,
     .menu = MenuKind::File,
     .group = 1,
     .text = "Save SVG...",
     .enabled = command_rules::has_switch,
     .run = QUARN_RUNS(save_svg)},
    {.id = FileSaveCsv,
     .menu = MenuKind::File,
     .group = 1,
     .text = "Save CSV...",
     .enabled = command_rules::has_switch,
     .run = QUARN_RUNS(save_csv)},
    {.id = FilePrint,
     .menu = MenuKind::File,
     .group = 1,
     .text = "Print...",
     .key = command_rules::key('P', Ctrl, "Ctrl+P"),
     .enabled = command_rules::has_switch,
     .run = QUARN_RUNS(print_map)},
    {.id = FileExit, .menu = MenuKind::File, .group = 2, .text = "Exit", .run = QUARN_RUNS(exit_command)},

    // Edit
    {.id = EditUndo,
     .menu = MenuKind::Edit,
     .text = "Undo",
     .key = command_rules::key('Z', Ctrl, "Ctrl+Z"),
     .enabled = [](const MenuState& s) noexcept { return s.can_undo; },
     .run = QUARN_RUNS(undo)},
    {.id = EditRedo,
     .menu = MenuKind::Edit,
     .text = "Redo",
     .key = command_rules::key('Y', Ctrl, "Ctrl+Y"),
     .enabled = [](const MenuState& s) noexcept { return s.can_redo; },
     .run = QUARN_RUNS(redo)},
    {.id = EditToggleUntagged,
     .menu = MenuKind::Edit,
     .group = 1,
     .text = "Toggle Untagged",
     .key = command_rules::key('U', NoModifier, "U", KeyOwner::Canvas),
     .dynamic_text =
         [](const MenuState& s) { return command_rules::with_selected_vlan("Toggle Untagged", s); },
     .run = QUARN_RUNS(toggle_untagged_command)},
    {.id = EditToggleTagged,
     .menu = MenuKind::Edit,
     .group = 1,
     .text = "Toggle Tagged",
     .key = command_rules::key('T', NoModifier, "T", KeyOwner::Canvas),
     .dynamic_text = [](const MenuState& s) { return command_rules::with_selected_vlan("Toggle Tagged", s); },
     .run = QUARN_RUNS(toggle_tagged_command)},
    {.id = EditClearVlans,
     .menu = MenuKind::Edit,
     .group = 1,
     .text = "Clear VLANs",
     .key = command_rules::key(k_key_delete, NoModifier, "Del", KeyOwner::Canvas),
     .run = QUARN_RUNS(clear_vlans)},
    {.id = EditLag,
     .menu = MenuKind::Edit,
     .group = 2,
     .text = "LAG...",
     .enabled = [](const MenuState& s) noexcept { return s.selected_ports > 0 && s.selection_on_one_switch; },
     .run = QUARN_RUNS(lag_command)},
    {.id = EditUplink,
     .menu = MenuKind::Edit,
     .group = 2,
     .text = "Uplink...",
     .enabled = [](const MenuState& s) noexcept { return s.selected_ports == 1; },
     .run = QUARN_RUNS(uplink_command)},
    {.id = EditCopyPortVlans,
     .menu = MenuKind::Edit,
     .group = 3,
     .text = "Copy Port VLANs",
     .key = command_rules::key('C', Ctrl, "Ctrl+C", KeyOwner::Canvas),
     .run = QUARN_RUNS(copy_vlans)},
    {.id = EditPastePortVlans,
     .menu = MenuKind::Edit,
     .group = 3,
     .text = "Paste Port VLANs",
     .key = command_rules::key('V', Ctrl, "Ctrl+V", KeyOwner::Canvas),
     .enabled = [](const MenuState& s) noexcept { return s.selected_ports > 0 && s.clipboard_filled; },
     .run = QUARN_RUNS(paste_vlans)},
    {.id = EditSelectAllOnSwitch,
     .menu = MenuKind::Edit,
     .group = 3,
     .text = "Select All on Switch",
     .key = command_rules::key('A', Ctrl, "Ctrl+A", KeyOwner::Canvas),
     .run = QUARN_RUNS(select_all_on_switch)},
    {.id = EditFind,
     .menu = MenuKind::Edit,
     .group = 4,
     .text = "Find...",
     .key = command_rules::key('F', Ctrl, "Ctrl+F"),
     .run = QUARN_RUNS(find_command)},
    {.id = EditFindNext,
     .menu = MenuKind::Edit,
     .group = 4,
     .text = "Find Next",
     .key = command_rules::key(k_key_f3, NoModifier, "F3"),
     .run = QUARN_RUNS(find_next_command)},
    {.id = EditFindPrevious,
     .menu = MenuKind::Edit,
     .group = 4,
     .text = "Find Previous",
     .key = command_rules::key(k_key_f3, Shift, "Shift+F3"),
     .run = QUARN_RUNS(find_previous_command)},

    // Switch
    {.id = SwitchAdd,
     .menu = MenuKind::Switch,
     .text = "Add Switch...",
     .run = QUARN_RUNS(add_switch_command)},
    {.id = SwitchImport,
     .menu = MenuKind::Switch,
     .text = "Import Configuration...",
     .run = QUARN_RUNS(import_configuration)},
    {.id = SwitchEdit,
     .menu = MenuKind::Switch,
     .text = "Edit Switch...",
     .enabled = command_rules::has_current,
     .run = QUARN_RUNS(edit_switch_command)},
    {.id = SwitchDuplicate,
     .menu = MenuKind::Switch,
     .text = "Duplicate Switch",
     .enabled = command_rules::has_current,
     .run = QUARN_RUNS(duplicate_current_switch)},
    {.id = SwitchRemove,
     .menu = MenuKind::Switch,
     .text = "Remove Switch",
     .enabled = command_rules::has_current,
     .run = QUARN_RUNS(remove_current_switch)},
    {.id = SwitchMoveUp,
     .menu = MenuKind::Switch,
     .group = 1,
     .text = "Move Up",
     .enabled = command_rules::not_first,
     .run = QUARN_RUNS(move_switch_up_command)},
    {.id = SwitchMoveDown,
     .menu = MenuKind::Switch,
     .group = 1,
     .text = "Move Down",
     .enabled = command_rules::not_last,
     .run = QUARN_RUNS(move_switch_down_command)},

    // View
    {.id = ViewFrontPanel,
     .menu = MenuKind::View,
     .text = "Front Panel",
     .checked = command_rules::front_panel,
     .run = QUARN_RUNS(front_panel_command)},
    {.id = ViewBreakdown,
     .menu = MenuKind::View,
     .text = "VLAN Breakdown",
     .checked = command_rules::breakdown,
     .run = QUARN_RUNS(breakdown_command)},
    // No key, as the other two views have none: a view is chosen now and
    // then, not toggled while editing, and the keys left free are wanted
    // for editing.
    {.id = ViewTopology,
     .menu = MenuKind::View,
     .text = "Topology",
     .checked = command_rules::topology,
     .run = QUARN_RUNS(topology_command)},
    {.id = ViewShowUnused,
     .menu = MenuKind::View,
     .text = "Show Unused VLANs",
     .enabled = command_rules::breakdown,
     .checked = [](const MenuState& s) noexcept { return s.view.show_unused; },
     .run = QUARN_RUNS(show_unused_command)},
    {.id = ViewZoomIn,
     .menu = MenuKind::View,
     .group = 1,
     .text = "Zoom In",
     .key = command_rules::key(k_key_plus, Ctrl, "Ctrl++"),
     .run = QUARN_RUNS(zoom_in_command)},
    {.id = ViewZoomOut,
     .menu = MenuKind::View,
     .group = 1,
     .text = "Zoom Out",
     .key = command_rules::key(k_key_minus, Ctrl, "Ctrl+-"),
     .run = QUARN_RUNS(zoom_out_command)},
    {.id = ViewZoomReset,
     .menu = MenuKind::View,
     .group = 1,
     .text = "Reset Zoom",
     .key = command_rules::key('0', Ctrl, "Ctrl+0"),
     .run = QUARN_RUNS(zoom_reset_command)},
    {.id = ViewCheckMap,
     .menu = MenuKind::View,
     .group = 2,
     .text = "Check Map...",
     .key = command_rules::key(k_key_f5, NoModifier, "F5"),
     .run = QUARN_RUNS(check_map_command)},
    {.id = ViewChangesSinceSaved,
     .menu = MenuKind::View,
     .group = 2,
     .text = "Changes Since Saved...",
     .key = command_rules::key(k_key_f6, NoModifier, "F6"),
     .enabled = [](const MenuState& s) noexcept { return s.map_changed; },
     .run = QUARN_RUNS(show_changes_since_saved)},
    {.id = ViewCompareWithFile,
     .menu = MenuKind::View,
     .group = 2,
     .text = "Compare With File...",
     .run = QUARN_RUNS(compare_with_file)},
    {.id = ViewWhereIsVlan,
     .menu = MenuKind::View,
     .group = 2,
     .text = "Where Is This VLAN...",
     .enabled = [](const MenuState& s) noexcept { return s.selected_vlan.has_value(); },
     .run = QUARN_RUNS(where_is_vlan_command)},
    {.id = ViewThemeSystem,
     .menu = MenuKind::View,
     .group = 3,
     .text = "System Theme",
     .checked = [](const MenuState& s) noexcept { return s.theme == ThemeChoice::System; },
     .run = QUARN_RUNS(system_theme_command)},
    {.id = ViewThemeLight,
     .menu = MenuKind::View,
     .group = 3,
     .text = "Light Theme",
     .checked = [](const MenuState& s) noexcept { return s.theme == ThemeChoice::Light; },
     .run = QUARN_RUNS(light_theme_command)},
    {.id = ViewThemeDark,
     .menu = MenuKind::View,
     .group = 3,
     .text = "Dark Theme",
     .checked = [](const MenuState& s) noexcept { return s.theme == ThemeChoice::Dark; },
     .run = QUARN_RUNS(dark_theme_command)},

    // Help
    {.id = HelpCheckUpdates,
     .menu = MenuKind::Help,
     .text = "Check for Updates...",
     .dynamic_text =
         [](const MenuState& s) {
             return std::string(s.update_available ? "Update Available..." : "Check for Updates...");
         },
     .run = QUARN_RUNS(check_updates_command)},
    {.id = HelpAbout, .menu = MenuKind::Help, .text = "About Quarn", .run = QUARN_RUNS(about_command)},
    {.id = HelpInstall,
     .menu = MenuKind::Help,
     .text = "Install Quarn...",
     .enabled = [](const MenuState& s) noexcept { return !s.running_installed; },
     .dynamic_text = [](const MenuState& s) { return std::string(install::install_menu_text(s.installed)); },
     .run = QUARN_RUNS(install_command)},

    // The main window's buttons, which run what their menu items run.
    {.id = PanelToggleUntagged, .run = QUARN_RUNS(toggle_untagged_command)},
    {.id = PanelToggleTagged, .run = QUARN_RUNS(toggle_tagged_command)},
    {.id = PanelClear, .run = QUARN_RUNS(clear_vlans)},
    {.id = PanelLag, .run = QUARN_RUNS(lag_command)},
    {.id = PanelUplink, .run = QUARN_RUNS(uplink_command)},
    {.id = VlanAdd, .run = QUARN_RUNS(add_vlan_command)},
    {.id = VlanEdit, .run = QUARN_RUNS(edit_vlan_command)},
    {.id = VlanRemove, .run = QUARN_RUNS(remove_selected_vlan)},
    {.id = RangeSelect, .run = QUARN_RUNS(select_port_range)},
};

// The row of a command; none for ids that are no command (fields, labels).
[[nodiscard]] constexpr const CommandRow* find_command(int id) noexcept {
    for (const CommandRow& row : k_commands)
        if (row.id == id) return &row;
    return nullptr;
}

// The shortcut of a command, if it has one.
[[nodiscard]] constexpr std::optional<Shortcut> shortcut_of(int command) noexcept {
    const CommandRow* row = find_command(command);
    return row != nullptr ? row->key : std::nullopt;
}

// The command a key of `owner` runs, or 0.
[[nodiscard]] constexpr int command_for_key(std::uint16_t key, std::uint8_t modifiers,
                                            KeyOwner owner) noexcept {
    for (const CommandRow& row : k_commands)
        if (row.key && row.key->owner == owner && row.key->key == key && row.key->modifiers == modifiers)
            return row.id;
    return 0;
}

} // namespace quarn::app
