#include "ops/vlan_ops.hpp"

#include <algorithm>

#include "common/fill.hpp"

namespace quarn {
namespace {

bool in_range(std::uint16_t id) {
    return id >= k_min_vlan_id && id <= k_max_vlan_id;
}

// Bisection by hand: a list read from a file need not be sorted, and the
// standard algorithms promise nothing for such a list, while this loop always
// ends at some place in it.
void insert_sorted(std::vector<Vlan>& vlans, const Vlan& vlan) {
    std::size_t low = 0;
    std::size_t high = vlans.size();
    while (low < high) {
        std::size_t middle = low + (high - low) / 2;
        if (vlans[middle].id < vlan.id)
            low = middle + 1;
        else
            high = middle;
    }
    vlans.insert(vlans.begin() + static_cast<std::ptrdiff_t>(low), vlan);
}

} // namespace

std::string vlan_error_message(const VlanError& error) {
    std::string id = std::to_string(error.id);
    switch (error.kind) {
    case VlanError::Kind::OutOfRange:
        return fill("VLAN ID {} is not between {} and {}.",
                    {id, std::to_string(k_min_vlan_id), std::to_string(k_max_vlan_id)});
    case VlanError::Kind::Exists:
        return fill("VLAN {} already exists.", {id});
    case VlanError::Kind::Missing:
        return fill("VLAN {} does not exist.", {id});
    }
    return {};
}

std::optional<VlanError> check_add_vlan(const Map& map, const Vlan& vlan) {
    if (!in_range(vlan.id)) return VlanError{VlanError::Kind::OutOfRange, vlan.id};
    if (find_vlan(map, vlan.id)) return VlanError{VlanError::Kind::Exists, vlan.id};
    return std::nullopt;
}

std::optional<VlanError> check_edit_vlan(const Map& map, std::uint16_t old_id, const Vlan& vlan) {
    if (!in_range(vlan.id)) return VlanError{VlanError::Kind::OutOfRange, vlan.id};
    if (!find_vlan(map, old_id)) return VlanError{VlanError::Kind::Missing, old_id};
    if (vlan.id != old_id && find_vlan(map, vlan.id)) return VlanError{VlanError::Kind::Exists, vlan.id};
    return std::nullopt;
}

std::optional<VlanError> add_vlan(Map& map, const Vlan& vlan) {
    if (auto error = check_add_vlan(map, vlan)) return error;
    insert_sorted(map.vlans, vlan);
    return std::nullopt;
}

std::optional<VlanError> edit_vlan(Map& map, std::uint16_t old_id, const Vlan& vlan) {
    if (auto error = check_edit_vlan(map, old_id, vlan)) return error;
    std::erase_if(map.vlans, [&](const Vlan& v) { return v.id == old_id; });
    insert_sorted(map.vlans, vlan);
    for (Switch& sw : map.switches) {
        for (Port& port : sw.ports) {
            if (port.untagged == old_id) port.untagged = vlan.id;
            std::replace(port.tagged.begin(), port.tagged.end(), old_id, vlan.id);
            std::sort(port.tagged.begin(), port.tagged.end());
        }
    }
    return std::nullopt;
}

void remove_vlan(Map& map, std::uint16_t id) {
    std::erase_if(map.vlans, [&](const Vlan& v) { return v.id == id; });
    for (Switch& sw : map.switches) {
        for (Port& port : sw.ports) {
            if (port.untagged == id) port.untagged.reset();
            std::erase(port.tagged, id);
        }
    }
}

std::size_t ports_carrying_vlan(const Map& map, std::uint16_t id) {
    std::size_t count = 0;
    for (const Switch& sw : map.switches)
        for (const Port& port : sw.ports)
            if (port.untagged == id ||
                std::find(port.tagged.begin(), port.tagged.end(), id) != port.tagged.end())
                ++count;
    return count;
}

std::uint16_t propose_vlan_id(const Map& map) {
    if (map.vlans.empty()) return k_min_vlan_id;
    std::uint16_t last = map.vlans.back().id;
    return last >= k_max_vlan_id ? k_max_vlan_id : static_cast<std::uint16_t>(last + 1);
}

Rgb propose_vlan_color(const Map& map) {
    for (const Rgb& color : k_default_vlan_colors) {
        bool used =
            std::any_of(map.vlans.begin(), map.vlans.end(), [&](const Vlan& v) { return v.color == color; });
        if (!used) return color;
    }
    return k_default_vlan_colors[map.vlans.size() % k_default_vlan_colors.size()];
}

} // namespace quarn
