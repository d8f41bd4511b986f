#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/app_state.hpp"

namespace quarn::app {

// How an edit's undo step is taken: a step of its own, or the step of the
// field visit it belongs to (the first change after a field got the focus
// records the map as it was; later changes of the same visit only change it).
enum class UndoStep : std::uint8_t { New, FieldVisit };

// How the selection and the current switch follow an edit.
enum class SelectionFollow : std::uint8_t {
    Keep,        // the same ports; nothing of the map's shape changed
    Prune,       // ports that no longer exist are dropped
    Clear,       // nothing selected
    MovedSwitch, // the ports of `from` now lie on `to`, which becomes current
    NewSwitch,   // nothing selected, and `to` becomes current
};

// The rule an edit follows. `to` (and `from`) may be filled in by the change
// itself, which is the first to know where a switch went.
struct EditRule {
    UndoStep step = UndoStep::New;
    TextField field = TextField::None; // the field of a FieldVisit step
    SelectionFollow selection = SelectionFollow::Prune;
    std::size_t from = 0;
    std::optional<std::size_t> to;
    // A VLAN the edit made or renumbered becomes the selected VLAN.
    std::optional<std::uint16_t> select_vlan;
    // The switches an edit of a new step changes, when it changes nothing
    // else of the map: only they are copied, compared and recorded.
    std::optional<std::vector<std::size_t>> switches;
};

// The rule of an edit of the selected ports: it changes their switches only.
EditRule on_switches_of(const std::vector<PortRef>& ports);

// The tail every change of the map shares, edits, undo and redo alike: the
// selection follows the rule, a selected VLAN that is gone is let go, and
// every view is refreshed, once.
void finish_map_change(AppState& state, const EditRule& rule) noexcept;

// Records `before` as the rule says when the map differs from it, then
// finishes the change. False when the map did not change: nothing is
// recorded, the selection is kept, and the views are refreshed once.
bool commit_edit(AppState& state, Map before, const EditRule& rule);
// The same for an edit of the switches of `rule.switches`, given as they were.
bool commit_switches_edit(AppState& state, std::vector<std::pair<std::size_t, Switch>> before,
                          const EditRule& rule);

// The one road of every edit of the map: copy, change, compare, record,
// follow, refresh. `change` takes the map to change.
template <class Change>
bool edit_map(AppState& state, const EditRule& rule, Change&& change) {
    if (rule.switches && rule.step == UndoStep::New) {
        auto before = copy_switches(state.map, *rule.switches);
        std::forward<Change>(change)(state.map);
        return commit_switches_edit(state, std::move(before), rule);
    }
    Map before = state.map;
    std::forward<Change>(change)(state.map);
    return commit_edit(state, std::move(before), rule);
}

template <class Change>
bool edit_map(AppState& state, Change&& change) {
    return edit_map(state, EditRule{}, std::forward<Change>(change));
}

// A text field's focus and Enter: where a field visit begins and ends.
void begin_field_visit(AppState& state, TextField field) noexcept;
void end_field_visit(AppState& state, TextField field) noexcept;

} // namespace quarn::app
