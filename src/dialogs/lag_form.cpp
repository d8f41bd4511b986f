#include "dialogs/lag_form.hpp"

#include <algorithm>

#include "common/fill.hpp"
#include "ops/lag_ops.hpp"
#include "ops/port_range.hpp"

namespace quarn::dialogs {
namespace {

bool has_member(const Lag& lag, std::string_view label) {
    return std::find(lag.members.begin(), lag.members.end(), label) != lag.members.end();
}

// LAG names as a lookup by name reaches them: a repeated name only once.
std::vector<std::string> lag_names(const Switch& sw) {
    std::vector<std::string> names;
    for (const Lag& lag : sw.lags)
        if (std::find(names.begin(), names.end(), lag.name) == names.end()) names.push_back(lag.name);
    return names;
}

std::optional<std::string> create_or_edit(Map& map, std::size_t switch_index,
                                          const std::optional<std::string>& editing, const LagForm& form) {
    auto positions = parse_port_range(map.switches[switch_index], form.ports);
    if (!positions) return positions.error();
    auto error = editing ? edit_lag(map, switch_index, *editing, form.name, positions.value())
                         : create_lag(map, switch_index, form.name, positions.value());
    if (error) return lag_error_message(*error);
    return std::nullopt;
}

Switch switch_or_empty(const Map& map, std::size_t switch_index) {
    return switch_index < map.switches.size() ? map.switches[switch_index] : Switch{};
}

} // namespace

std::optional<std::string> lag_to_edit(const Switch& sw, const std::vector<std::size_t>& selected) {
    if (selected.empty() || selected.front() >= sw.ports.size()) return std::nullopt;
    const std::string& label = sw.ports[selected.front()].label;
    for (const Lag& lag : sw.lags)
        if (has_member(lag, label)) return lag.name;
    return std::nullopt;
}

LagDialogInput lag_dialog_input(const Map& map, std::size_t switch_index,
                                const std::optional<std::string>& editing,
                                const std::vector<std::size_t>& selected) {
    LagDialogInput input;
    if (switch_index >= map.switches.size()) return input;
    const Switch& sw = map.switches[switch_index];
    std::optional<std::size_t> lag_index = editing ? find_lag(sw, *editing) : std::nullopt;
    if (lag_index) {
        const Lag& lag = sw.lags[*lag_index];
        input.editing = true;
        input.name = lag.name;
        input.ports = write_port_range(sw, lag_member_positions(sw, lag));
        input.current = lag.peer;
    } else {
        input.name = default_lag_name(sw.lags);
        input.ports = write_port_range(sw, selected);
    }
    for (std::size_t other : link_switches(map, switch_index))
        input.candidates.push_back({map.switches[other].name, lag_names(map.switches[other])});
    return input;
}

std::optional<std::string> check_lag_form(const Switch& sw, const std::optional<std::string>& editing,
                                          const LagForm& form) {
    auto positions = parse_port_range(sw, form.ports);
    if (!positions) return positions.error();
    if (form.name.empty()) return lag_error_message({LagError::Kind::NoName, {}, {}});
    if ((!editing || form.name != *editing) && find_lag(sw, form.name))
        return lag_error_message({LagError::Kind::NameTaken, {}, form.name});
    std::optional<std::string_view> edited;
    if (editing) edited = *editing;
    if (auto error = check_lag_ports(sw, positions.value(), edited)) return lag_error_message(*error);
    return std::nullopt;
}

std::optional<std::string> lag_form_question(const Switch& sw, const std::optional<std::string>& editing,
                                             const LagForm& form) {
    auto positions = parse_port_range(sw, form.ports);
    if (!positions) return std::nullopt;
    std::optional<std::string_view> edited;
    if (editing) edited = *editing;
    auto source = lag_vlan_source(sw, positions.value(), edited);
    if (!source) return std::nullopt;
    // Only a change is worth a question: run the edit on a scratch copy and
    // look whether any port's VLANs differ afterwards.
    Map scratch;
    scratch.switches.push_back(sw);
    if (create_or_edit(scratch, 0, editing, form)) return std::nullopt;
    const std::vector<Port>& before = sw.ports;
    const std::vector<Port>& after = scratch.switches.front().ports;
    bool changes = false;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i].untagged != after[i].untagged || before[i].tagged != after[i].tagged) changes = true;
    if (!changes) return std::nullopt;
    return fill("All ports of the LAG will take the VLANs of port {}", {sw.ports[*source].label});
}

LagCheck lag_check(const Map& map, std::size_t switch_index, const std::optional<std::string>& editing) {
    return [sw = switch_or_empty(map, switch_index), editing](const LagForm& form) {
        return check_lag_form(sw, editing, form);
    };
}

LagCheck lag_question(const Map& map, std::size_t switch_index, const std::optional<std::string>& editing) {
    return [sw = switch_or_empty(map, switch_index), editing](const LagForm& form) {
        return lag_form_question(sw, editing, form);
    };
}

std::optional<std::string> apply_lag_form(Map& map, std::size_t switch_index,
                                          const std::optional<std::string>& editing, const LagForm& form) {
    if (switch_index >= map.switches.size()) return std::nullopt;
    if (form.remove) {
        if (editing) remove_lag(map, switch_index, *editing);
        return std::nullopt;
    }
    Map work = map;
    if (auto error = create_or_edit(work, switch_index, editing, form)) return error;
    if (auto error = set_lag_peer(work, switch_index, form.name, form.peer)) return lag_error_message(*error);
    map = std::move(work);
    return std::nullopt;
}

} // namespace quarn::dialogs
