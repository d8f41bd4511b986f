#include "compare/port_lines.hpp"

#include "compare/value_text.hpp"
#include "model/json_text.hpp"

namespace quarn {

std::string port_line(const Switch& sw, const Port& port) {
    std::string line = name_text(sw.name) + " port " + name_text(port.label) + ": untagged ";
    line += port.untagged ? std::to_string(*port.untagged) : "none";
    line += ", tagged " + vlan_list_text(port.tagged);
    if (!port.description.empty()) {
        line += ", description ";
        json_text::append_string(line, port.description);
    }
    if (port.disabled) line += ", disabled";
    if (port.link) line += ", link " + port_peer_text(*port.link);
    return line;
}

std::string ports_text(const Map& map) {
    std::string text;
    for (const Switch& sw : map.switches) {
        for (const Port& port : sw.ports) {
            text += port_line(sw, port);
            text += '\n';
        }
    }
    return text;
}

} // namespace quarn
