#include "app/menus.hpp"

#include "app/command_table.hpp"

namespace quarn::app {

std::string command_rules::with_selected_vlan(std::string_view text, const MenuState& s) {
    std::string out(text);
    if (s.selected_vlan) out += " VLAN " + std::to_string(*s.selected_vlan);
    return out;
}

namespace {

// A command's entry; its shortcut, if it has one, follows the text after a
// tab, where the menu shows it right-aligned.
MenuItem item(const CommandRow& row, const MenuState& state) {
    std::string text = row.dynamic_text != nullptr ? row.dynamic_text(state) : std::string(row.text);
    if (row.key) {
        text += '\t';
        text += row.key->text;
    }
    bool enabled = row.enabled == nullptr || row.enabled(state);
    bool checked = row.checked != nullptr && row.checked(state);
    return MenuItem{row.id, std::move(text), enabled, checked, {}};
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

// The recent files stand in the File menu before its last group (Exit).
void add_recent_files(std::vector<MenuItem>& menu, const MenuState& state) {
    if (state.recent.empty()) return;
    MenuItem recent{0, "Recent Files", true, false, {}};
    for (std::size_t i = 0; i < state.recent.size(); ++i)
        recent.submenu.push_back(
            MenuItem{RecentFirst + static_cast<int>(i), menu_text_of(state.recent[i]), true, false, {}});
    menu.push_back(std::move(recent));
    menu.push_back(MenuItem{});
}

} // namespace

std::vector<MenuItem> build_menu(MenuKind kind, const MenuState& state) {
    std::vector<MenuItem> menu;
    std::optional<std::uint8_t> group;
    for (const CommandRow& row : k_commands) {
        if (row.menu != kind || kind == MenuKind::None) continue;
        if (group && *group != row.group) {
            menu.push_back(MenuItem{});
            if (kind == MenuKind::File && row.id == FileExit) add_recent_files(menu, state);
        }
        group = row.group;
        menu.push_back(item(row, state));
    }
    return menu;
}

std::vector<MenuItem> build_vlan_list_menu(const MenuState& state) {
    return {item(*find_command(ViewWhereIsVlan), state)};
}

} // namespace quarn::app
