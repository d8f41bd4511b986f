#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/canvas_window.hpp"
#include "app/check_window.hpp"
#include "app/find_window.hpp"
#include "app/history.hpp"
#include "app/menu_bar_keys.hpp"
#include "app/recovery_state.hpp"
#include "config/config.hpp"
#include "dialogs/about_window.hpp"
#include "dialogs/text_viewer.hpp"
#include "draw/scene.hpp"
#include "draw/scene_parts.hpp"
#include "maker-services/update/update_service.hpp"
#include "model/map.hpp"
#include "ops/port_vlan_ops.hpp"

namespace quarn::app {

// The handles of the main window's controls that the shell reads and writes.
struct MainControls {
    HWND site = nullptr;
    HWND vlan_list = nullptr;
    HWND highlight = nullptr;
    HWND selection_text = nullptr;
    HWND vlan_text = nullptr;
    HWND range = nullptr;
    HWND label = nullptr;
    HWND description = nullptr;
    HWND disabled = nullptr;
    HWND port_vlans = nullptr;
    HWND status = nullptr;
    HWND edit_vlan = nullptr;
    HWND remove_vlan = nullptr;
};

// Which text field the user is typing in, so that one visit to a field
// records one undo step.
enum class TextField { None, Site, Label, Description };

// The one state of the program, owned by the user-interface thread.
struct AppState {
    HINSTANCE instance = nullptr;
    HWND main = nullptr;
    MainControls controls;
    CanvasWindow canvas; // holds the port selection and the zoom

    Map map;
    Map saved; // as last opened or saved: the document is changed when map differs
    std::optional<std::filesystem::path> path;
    History history;

    std::optional<std::uint16_t> selected_vlan;
    std::optional<PortVlans> vlan_clipboard; // Copy and Paste Port VLANs
    bool highlight_vlan = false;
    std::optional<std::size_t> last_switch; // the switch last worked on
    ViewMode view;
    // The canvas's scene, kept in parts; `scene_change` says what changed in
    // the map since it was last brought up to date.
    SceneParts scene;
    MapChange scene_change;

    Config config;
    std::optional<std::filesystem::path> config_folder;

    // Texts the program itself puts into fields are not edits of the user.
    bool setting_texts = false;
    TextField visiting = TextField::None;
    bool visit_recorded = false;

    // The command the command table ran last, and how often every view was
    // refreshed: what a test reads to see a key reach its command and an
    // edit refresh once.
    int last_command = 0;
    std::size_t refreshes = 0;

    // Find, with its last search.
    FindWindow find;
    // Check Map's list of problems.
    CheckWindow check;

    // The menu bar's keys: Alt, F10 and the arrows on the bar.
    MenuBarKeys menu_bar;

    // The one-instance windows: the text viewer (Changes Since Saved, Where
    // Is This VLAN, and the licences About shows), About, and the update
    // check with this run's last result and its Check for Updates window. The
    // update service shows its status in About, so it goes first.
    dialogs::TextViewer viewer;
    dialogs::AboutWindow about{viewer};
    std::unique_ptr<update::UpdateService> update;

    // The recovery copy of the changed map.
    RecoveryState recovery;
};

} // namespace quarn::app
