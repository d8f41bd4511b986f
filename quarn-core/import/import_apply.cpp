#include "import/import_apply.hpp"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "common/fill.hpp"
#include "import/config_reader.hpp"
#include "ops/lag_ops.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"

namespace quarn {
namespace {

using import_detail::port_key;

bool valid_id(std::uint16_t id) {
    return id >= k_min_vlan_id && id <= k_max_vlan_id;
}

// A result may come from elsewhere than the importer: the port gets only
// valid IDs, its tagged list ascending, once each, without the untagged one.
void take_vlans(Port& port, const ImportedPort& from) {
    port.untagged = from.untagged && valid_id(*from.untagged) ? from.untagged : std::nullopt;
    port.tagged.clear();
    for (std::uint16_t id : from.tagged)
        if (valid_id(id) && id != port.untagged) port.tagged.push_back(id);
    std::sort(port.tagged.begin(), port.tagged.end());
    port.tagged.erase(std::unique(port.tagged.begin(), port.tagged.end()), port.tagged.end());
    port.description = from.description;
    port.disabled = from.disabled;
}

std::size_t add_new_vlans(Map& map, const ImportResult& result) {
    std::size_t added = 0;
    for (const ImportedVlan& vlan : result.vlans) {
        if (!valid_id(vlan.id) || find_vlan(map, vlan.id)) continue;
        if (!add_vlan(map, Vlan{vlan.id, vlan.name, propose_vlan_color(map)})) ++added;
    }
    return added;
}

// Positions of the first port bearing each label, by the label's key.
std::unordered_map<std::string, std::size_t> ports_by_key(const Switch& sw) {
    std::unordered_map<std::string, std::size_t> found;
    for (std::size_t i = 0; i < sw.ports.size(); ++i)
        if (!sw.ports[i].label.empty()) found.emplace(port_key(sw.ports[i].label), i);
    return found;
}

std::string refusal(std::string_view lag, const LagError& error) {
    return fill("LAG {} not made: {}", {lag, lag_error_message(error)});
}

// Adds the configuration's LAGs to the record where their names and ports
// are free; the rest are reported.
void add_lags(Switch& record, const ImportResult& result, ImportApplied& applied) {
    auto by_key = ports_by_key(record);
    for (const ImportedLag& imported : result.lags) {
        std::string name = short_label(result.dialect, imported.name);
        std::vector<std::size_t> positions;
        for (const std::string& member : imported.members) {
            auto found = by_key.find(port_key(member));
            if (found != by_key.end() &&
                std::find(positions.begin(), positions.end(), found->second) == positions.end())
                positions.push_back(found->second);
        }
        if (auto existing = find_lag(record, name)) {
            std::vector<std::size_t> members = lag_member_positions(record, record.lags[*existing]);
            std::sort(members.begin(), members.end());
            std::vector<std::size_t> wanted = positions;
            std::sort(wanted.begin(), wanted.end());
            if (members != wanted)
                applied.lags_refused.push_back(refusal(name, {LagError::Kind::NameTaken, "", name}));
            continue;
        }
        if (name.empty()) {
            applied.lags_refused.push_back(refusal(imported.name, {LagError::Kind::NoName}));
            continue;
        }
        if (auto error = check_lag_ports(record, positions)) {
            applied.lags_refused.push_back(refusal(name, *error));
            continue;
        }
        Lag lag{name, {}, std::nullopt};
        for (std::size_t position : positions) lag.members.push_back(record.ports[position].label);
        record.lags.push_back(std::move(lag));
    }
}

} // namespace

std::string imported_switch_name(const Map& map, const ImportResult& result, std::string_view fallback) {
    std::string name = !result.host_name.empty() ? result.host_name
                       : !fallback.empty()       ? std::string(fallback)
                                                 : std::string("Switch");
    if (!find_switch(map, name)) return name;
    for (std::size_t n = 2;; ++n) {
        std::string numbered = fill("{} ({})", {name, std::to_string(n)});
        if (!find_switch(map, numbered)) return numbered;
    }
}

ImportApplied import_new_switch(Map& map, const ImportResult& result, std::string_view fallback_name) {
    ImportApplied applied;
    applied.vlans_added = add_new_vlans(map, result);

    constexpr std::size_t k_most = std::numeric_limits<std::uint16_t>::max();
    std::vector<const ImportedPort*> copper;
    std::vector<const ImportedPort*> cages;
    for (const ImportedPort& port : result.ports) {
        auto& block = port.kind == PortKind::Sfp ? cages : copper;
        if (block.size() < k_most)
            block.push_back(&port);
        else
            applied.missing_ports.push_back(short_label(result.dialect, port.label));
    }
    SwitchLayoutInput layout;
    layout.ports = static_cast<std::uint16_t>(copper.size());
    layout.rows = 2;
    layout.gap_every = 6;
    layout.sfp = static_cast<std::uint16_t>(cages.size());

    // Built apart and appended whole: nothing links to a switch of a new
    // name, so none of the edit road's relinking is needed, and a campus of
    // many switches is not rescanned for each one.
    Switch record = make_switch(imported_switch_name(map, result, fallback_name), "", "", layout);
    // The RJ45 block comes first, then the SFP block; every place the
    // configuration has no port for stays without label.
    std::size_t sfp_start = record.groups.empty() || copper.empty() ? 0 : group_places(record.groups.front());
    for (Port& port : record.ports) port.label.clear();
    auto place = [&](const std::vector<const ImportedPort*>& block, std::size_t start) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            Port& port = record.ports[start + i];
            port.label = short_label(result.dialect, block[i]->label);
            take_vlans(port, *block[i]);
            ++applied.ports;
        }
    };
    place(copper, 0);
    place(cages, sfp_start);
    add_lags(record, result, applied);
    map.switches.push_back(std::move(record));
    applied.switch_index = map.switches.size() - 1;
    return applied;
}

std::optional<ImportApplied> import_into_switch(Map& map, std::size_t index, const ImportResult& result) {
    if (index >= map.switches.size()) return std::nullopt;
    ImportApplied applied;
    applied.switch_index = index;
    applied.vlans_added = add_new_vlans(map, result);
    Switch record = map.switches[index];
    auto by_key = ports_by_key(record);
    std::unordered_set<std::size_t> touched;
    for (const ImportedPort& imported : result.ports) {
        auto found = by_key.find(port_key(imported.label));
        if (found == by_key.end()) {
            applied.missing_ports.push_back(short_label(result.dialect, imported.label));
            continue;
        }
        // Every port bearing the label is the same port to the map.
        for (Port& port : record.ports)
            if (port_key(port.label) == found->first) take_vlans(port, imported);
        touched.insert(found->second);
    }
    applied.ports = touched.size();
    add_lags(record, result, applied);
    apply_switch_edit(map, index, std::move(record));
    return applied;
}

} // namespace quarn
