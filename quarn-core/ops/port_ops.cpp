#include "ops/port_ops.hpp"

#include "common/fill.hpp"

namespace quarn {
namespace {

Port* port_at(Map& map, PortRef ref) {
    if (ref.switch_index >= map.switches.size()) return nullptr;
    Switch& sw = map.switches[ref.switch_index];
    if (ref.port_index >= sw.ports.size()) return nullptr;
    return &sw.ports[ref.port_index];
}

} // namespace

std::string port_label_error_message(const PortLabelError& error) {
    switch (error.kind) {
    case PortLabelError::Kind::LabelTaken:
        return fill("This switch already has a port labelled {}.", {error.label});
    }
    return {};
}

std::optional<PortLabelError> set_port_label(Map& map, PortRef ref, std::string_view label_view) {
    Port* port = port_at(map, ref);
    if (!port || port->label == label_view) return std::nullopt;
    std::string label(label_view);
    Switch& sw = map.switches[ref.switch_index];
    for (std::size_t i = 0; i < sw.ports.size(); ++i)
        if (i != ref.port_index && sw.ports[i].label == label)
            return PortLabelError{PortLabelError::Kind::LabelTaken, label};

    std::string old_label = port->label;
    bool referenced = find_port(sw, old_label) == ref.port_index;
    port->label = label;
    if (!referenced) return std::nullopt;
    for (Lag& lag : sw.lags)
        for (std::string& member : lag.members)
            if (member == old_label) member = label;
    // Links reach the port through the switch's name; if another switch comes
    // first under that name, they meant that one.
    if (find_switch(map, sw.name) != ref.switch_index) return std::nullopt;
    PortPeer old_peer{sw.name, old_label};
    for (Switch& other : map.switches)
        for (Port& far : other.ports)
            if (far.link == old_peer) far.link->port = label;
    return std::nullopt;
}

void set_port_description(Map& map, const Selection& selection, std::string_view description) {
    std::string text(description);
    for (PortRef ref : selection)
        if (Port* port = port_at(map, ref)) port->description = text;
}

void set_port_disabled(Map& map, const Selection& selection, bool disabled) {
    for (PortRef ref : selection)
        if (Port* port = port_at(map, ref)) port->disabled = disabled;
}

} // namespace quarn
