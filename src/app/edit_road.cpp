#include "app/edit_road.hpp"

#include "app/recovery.hpp"
#include "app/refresh.hpp"

namespace quarn::app {
namespace {

void prune_selection(AppState& state) {
    const auto& ports = state.canvas.selection().ports();
    std::vector<PortRef> kept;
    for (const PortRef& ref : ports) {
        if (ref.switch_index < state.map.switches.size() &&
            ref.port_index < state.map.switches[ref.switch_index].ports.size())
            kept.push_back(ref);
    }
    if (kept != ports) state.canvas.selection().set(std::move(kept));
}

// Move Up pressed twice moves the same switch twice: its ports stay
// selected at its new place.
void follow_moved_switch(AppState& state, std::size_t from, std::size_t to) {
    std::vector<PortRef> moved;
    for (const PortRef& ref : state.canvas.selection().ports())
        if (ref.switch_index == from) moved.push_back({to, ref.port_index});
    state.canvas.selection().set(std::move(moved));
    state.last_switch = to;
}

void follow_selection(AppState& state, const EditRule& rule) {
    switch (rule.selection) {
    case SelectionFollow::Keep:
        return;
    case SelectionFollow::Prune:
        prune_selection(state);
        return;
    case SelectionFollow::Clear:
        state.canvas.selection().clear();
        return;
    case SelectionFollow::MovedSwitch:
        if (rule.to) follow_moved_switch(state, rule.from, *rule.to);
        prune_selection(state);
        return;
    case SelectionFollow::NewSwitch:
        state.canvas.selection().clear();
        if (rule.to) state.last_switch = rule.to;
        return;
    }
}

} // namespace

void finish_map_change(AppState& state, const EditRule& rule) noexcept {
    try {
        follow_selection(state, rule);
    } catch (...) {
        // Out of memory while copying the selection: an empty selection is
        // always valid.
        state.canvas.selection().clear();
    }
    if (rule.select_vlan) state.selected_vlan = rule.select_vlan;
    if (state.selected_vlan && !find_vlan(state.map, *state.selected_vlan)) state.selected_vlan.reset();
    refresh_all(state);
    recovery_after_change(state);
}

EditRule on_switches_of(const std::vector<PortRef>& ports) {
    EditRule rule;
    rule.switches.emplace();
    for (const PortRef& ref : ports) rule.switches->push_back(ref.switch_index);
    return rule;
}

bool commit_switches_edit(AppState& state, std::vector<std::pair<std::size_t, Switch>> before,
                          const EditRule& rule) {
    keep_changed(state.map, before);
    MapChange change{false, {}};
    for (const auto& [index, sw] : before) change.switches.push_back(index);
    state.scene_change = change;
    if (before.empty()) {
        finish_map_change(state, EditRule{.selection = SelectionFollow::Keep});
        return false;
    }
    state.history.record_switches(state.map, std::move(before));
    finish_map_change(state, rule);
    return true;
}

bool commit_edit(AppState& state, Map before, const EditRule& rule) {
    if (state.map == before) {
        state.scene_change = MapChange{false, {}};
        // Nothing to record; the views are refreshed all the same, so that a
        // refused change shows what the map kept (a field's old text).
        finish_map_change(state, EditRule{.selection = SelectionFollow::Keep});
        return false;
    }
    if (rule.step == UndoStep::FieldVisit) {
        bool joins = state.visiting == rule.field && state.visit_recorded;
        state.scene_change = map_change(before, state.map);
        if (joins) {
            state.history.changed_within_step();
        } else {
            state.history.record_change(std::move(before));
        }
        state.visit_recorded = state.visiting == rule.field;
    } else {
        state.scene_change = map_change(before, state.map);
        state.history.record_change(std::move(before));
    }
    finish_map_change(state, rule);
    return true;
}

void begin_field_visit(AppState& state, TextField field) noexcept {
    state.visiting = field;
    state.visit_recorded = false;
}

void end_field_visit(AppState& state, TextField field) noexcept {
    if (state.visiting == field) state.visiting = TextField::None;
}

} // namespace quarn::app
