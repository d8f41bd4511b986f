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
    static const char* const k_kinds[] = {"Rj45", "Sfp", "Dual"};
    ReferenceJson vlans = ReferenceJson::array();
    for (const Vlan& vlan : map.vlans)
        vlans.push_back({{"id", vlan.id}, {"name", vlan.name}, {"color", rgb_text(vlan.color)}});
    ReferenceJson switches = ReferenceJson::array();
    for (const Switch& sw : map.switches) {
        ReferenceJson groups = ReferenceJson::array();
        for (const PortGroup& group : sw.groups)
            groups.push_back({{"kind", k_kinds[static_cast<int>(group.kind)]},
                              {"columns", group.columns},
                              {"rows", group.rows},
                              {"numbering", group.numbering == Numbering::OddTop ? "OddTop" : "Rows"},
                              {"block", group.block},
                              {"gap_after", group.gap_after}});
        ReferenceJson ports = ReferenceJson::array();
        for (const Port& port : sw.ports) {
            ReferenceJson link = nullptr;
            if (port.link) link = {{"switch", port.link->switch_name}, {"port", port.link->port}};
            ports.push_back({{"label", port.label},
                             {"untagged", port.untagged ? ReferenceJson(*port.untagged) : ReferenceJson()},
                             {"tagged", port.tagged},
                             {"description", port.description},
                             {"disabled", port.disabled},
                             {"link", link}});
        }
        ReferenceJson lags = ReferenceJson::array();
        for (const Lag& lag : sw.lags) {
            ReferenceJson peer = nullptr;
            if (lag.peer) peer = {{"switch", lag.peer->switch_name}, {"lag", lag.peer->lag}};
            lags.push_back({{"name", lag.name}, {"members", lag.members}, {"peer", peer}});
        }
        switches.push_back({{"name", sw.name},
                            {"location", sw.location},
                            {"model", sw.model},
                            {"groups", groups},
                            {"ports", ports},
                            {"lags", lags}});
    }
    return {{"format", map.format},
            {"site", map.site},
            {"notes", map.notes},
            {"vlans", vlans},
            {"switches", switches}};
}

// What the library itself writes; invalid UTF-8 is replaced as our writer
// replaces it.
inline std::string reference_text(const Map& map) {
    return reference_json(map).dump(2, ' ', false, nlohmann::detail::error_handler_t::replace);
}

} // namespace quarn::testing
