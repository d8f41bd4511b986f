#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

#include "model/map.hpp"

namespace quarn::testing {

// The JSON library's own document for a map, with keys in insertion order
// and 32-bit floats, so that its dump(2) is the reference the writer must
// match byte for byte.
using ReferenceJson = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                           std::int64_t, std::uint64_t, float>;

inline ReferenceJson reference_json(const Map& map) {
    auto text_list = [](const auto& items) {
        ReferenceJson list = ReferenceJson::array();
        for (const auto& item : items) list.push_back(item);
        return list;
    };
    ReferenceJson vlans = ReferenceJson::array();
    for (const Vlan& vlan : map.vlans) {
        ReferenceJson v = ReferenceJson::object();
        v["id"] = vlan.id;
        v["name"] = vlan.name;
        v["color"] = rgb_text(vlan.color);
        vlans.push_back(v);
    }
    ReferenceJson switches = ReferenceJson::array();
    for (const Switch& sw : map.switches) {
        ReferenceJson s = ReferenceJson::object();
        s["name"] = sw.name;
        s["location"] = sw.location;
        s["model"] = sw.model;
        s["groups"] = ReferenceJson::array();
        for (const PortGroup& group : sw.groups) {
            ReferenceJson g = ReferenceJson::object();
            static const char* kinds[] = {"Rj45", "Sfp", "Dual"};
            g["kind"] = kinds[static_cast<int>(group.kind)];
            g["columns"] = group.columns;
            g["rows"] = group.rows;
            g["numbering"] = group.numbering == Numbering::OddTop ? "OddTop" : "Rows";
            g["block"] = group.block;
            g["gap_after"] = group.gap_after;
            s["groups"].push_back(g);
        }
        s["ports"] = ReferenceJson::array();
        for (const Port& port : sw.ports) {
            ReferenceJson p = ReferenceJson::object();
            p["label"] = port.label;
            p["untagged"] = port.untagged ? ReferenceJson(*port.untagged) : ReferenceJson(nullptr);
            p["tagged"] = text_list(port.tagged);
            p["description"] = port.description;
            p["disabled"] = port.disabled;
            if (port.link) {
                ReferenceJson link = ReferenceJson::object();
                link["switch"] = port.link->switch_name;
                link["port"] = port.link->port;
                p["link"] = link;
            } else {
                p["link"] = nullptr;
            }
            s["ports"].push_back(p);
        }
        s["lags"] = ReferenceJson::array();
        for (const Lag& lag : sw.lags) {
            ReferenceJson l = ReferenceJson::object();
            l["name"] = lag.name;
            l["members"] = text_list(lag.members);
            if (lag.peer) {
                ReferenceJson peer = ReferenceJson::object();
                peer["switch"] = lag.peer->switch_name;
                peer["lag"] = lag.peer->lag;
                l["peer"] = peer;
            } else {
                l["peer"] = nullptr;
            }
            s["lags"].push_back(l);
        }
        switches.push_back(s);
    }
    ReferenceJson root = ReferenceJson::object();
    root["format"] = map.format;
    root["site"] = map.site;
    root["notes"] = map.notes;
    root["vlans"] = vlans;
    root["switches"] = switches;
    return root;
}

// What the library itself writes; invalid UTF-8 is replaced as our writer
// replaces it.
inline std::string reference_text(const Map& map) {
    return reference_json(map).dump(2, ' ', false, nlohmann::detail::error_handler_t::replace);
}

} // namespace quarn::testing
