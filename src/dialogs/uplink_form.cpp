#include "dialogs/uplink_form.hpp"

#include <algorithm>

#include "common/fill.hpp"

namespace quarn::dialogs {
namespace {

bool in_a_lag(const Switch& sw, std::string_view label) {
    return std::any_of(sw.lags.begin(), sw.lags.end(), [&](const Lag& lag) {
        return std::find(lag.members.begin(), lag.members.end(), label) != lag.members.end();
    });
}

const Port* port_of(const Map& map, PortRef ref) {
    if (ref.switch_index >= map.switches.size()) return nullptr;
    const Switch& sw = map.switches[ref.switch_index];
    return ref.port_index < sw.ports.size() ? &sw.ports[ref.port_index] : nullptr;
}

std::string no_such_port(std::string_view switch_name, std::string_view label) {
    return fill("{} has no port {}.", {switch_name, label});
}

} // namespace

std::vector<std::string> free_port_labels(const Map& map, std::size_t far, PortRef port) {
    std::vector<std::string> labels;
    if (far >= map.switches.size()) return labels;
    const Switch& sw = map.switches[far];
    const Port* own = port_of(map, port);
    for (std::size_t i = 0; i < sw.ports.size(); ++i) {
        const Port& candidate = sw.ports[i];
        if (candidate.label.empty() || find_port(sw, candidate.label) != i) continue;
        if (in_a_lag(sw, candidate.label)) continue;
        bool linked_to_us = own != nullptr && own->link == PortPeer{sw.name, candidate.label};
        if (candidate.link && !linked_to_us) continue;
        labels.push_back(candidate.label);
    }
    return labels;
}

UplinkDialogInput uplink_dialog_input(const Map& map, PortRef port) {
    UplinkDialogInput input;
    const Port* own = port_of(map, port);
    if (own == nullptr) return input;
    input.caption = fill("{} Port {}", {map.switches[port.switch_index].name, own->label});
    input.current = own->link;
    for (std::size_t other : link_switches(map, port.switch_index))
        input.candidates.push_back({map.switches[other].name, free_port_labels(map, other, port)});
    return input;
}

std::string link_error_message(const LinkResult& result) {
    switch (result.kind) {
    case LinkResult::Kind::Linked:
        return {};
    case LinkResult::Kind::SameSwitch:
        return "A port cannot be linked to a port of its own switch.";
    case LinkResult::Kind::PortInLag:
        return fill("Port {} is in LAG {}. Remove it from the LAG first.", {result.port, result.lag});
    case LinkResult::Kind::NoPort:
        return "The port to link no longer exists.";
    }
    return {};
}

std::optional<std::string> apply_uplink_form(Map& map, PortRef port, const UplinkForm& form) {
    if (port_of(map, port) == nullptr) return link_error_message({LinkResult::Kind::NoPort, {}, {}});
    if (!form.peer) {
        unlink_port(map, port);
        return std::nullopt;
    }
    auto far_switch = find_switch(map, form.peer->switch_name);
    if (!far_switch) return no_such_port(form.peer->switch_name, form.peer->port);
    auto far_port = find_port(map.switches[*far_switch], form.peer->port);
    if (!far_port) return no_such_port(form.peer->switch_name, form.peer->port);
    LinkResult result = link_ports(map, port, PortRef{*far_switch, *far_port});
    if (result.kind != LinkResult::Kind::Linked) return link_error_message(result);
    return std::nullopt;
}

} // namespace quarn::dialogs
