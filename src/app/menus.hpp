#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config.hpp"
#include "draw/scene.hpp"

namespace quarn::app {

// One entry of a drop-down menu; a separator has id 0 and no text.
struct MenuItem {
    int id = 0;
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<MenuItem> submenu; // a submenu entry has id 0

    bool separator() const { return id == 0 && text.empty(); }
    bool operator==(const MenuItem&) const = default;
};

// None: a command with no menu entry (a button of the main window).
enum class MenuKind { File, Edit, Switch, View, Help, None };

// What the menus depend on, read off the application state.
struct MenuState {
    std::size_t switch_count = 0;
    std::optional<std::size_t> current_switch;
    bool can_undo = false;
    bool can_redo = false;
    std::optional<std::uint16_t> selected_vlan;
    std::size_t selected_ports = 0;
    bool selection_on_one_switch = false;
    bool clipboard_filled = false;
    bool map_changed = false; // differs from its saved copy
    ViewMode view;
    ThemeChoice theme = ThemeChoice::System;
    std::vector<std::string> recent;
    bool update_available = false;  // the last update check found a newer version
    bool installed = false;         // an installed copy exists for this user
    bool running_installed = false; // this copy is the installed one: nothing to install
};

// The menu as it opens now. Built afresh on every click, so greying and check
// marks always follow the state.
std::vector<MenuItem> build_menu(MenuKind kind, const MenuState& state);

// The VLAN list's context menu.
std::vector<MenuItem> build_vlan_list_menu(const MenuState& state);

} // namespace quarn::app
