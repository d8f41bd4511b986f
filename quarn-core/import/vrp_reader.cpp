// Huawei VRP (S-series campus switches and CloudEngine): Comware's family,
// in its own words. `vlan batch 10 20 to 30` makes VLANs; an access port
// takes `port default vlan`; a trunk carries VLAN 1 alone until `port trunk
// allow-pass vlan` lines add to it (`undo port trunk allow-pass vlan 1`
// takes it away) and sends its `port trunk pvid vlan` untagged; a hybrid
// port lists `port hybrid tagged vlan` and `port hybrid untagged vlan` and
// takes untagged frames into its `port hybrid pvid vlan`. `eth-trunk 1`
// makes a port a member of Eth-Trunk1, and `trunkport` says the same from
// the Eth-Trunk's side. A port without `port link-type` stays in VLAN 1,
// as an S-series port does before its link type is negotiated and a
// CloudEngine port does as an access port; `undo portswitch` routes.
#include <array>

#include "import/comware_family.hpp"

namespace quarn::import_detail {
namespace {

constexpr std::array<InterfaceFamily, 24> k_vrp_interfaces = {{
    {"gigabitethernet", IfKind::Port, PortKind::Rj45},
    {"xgigabitethernet", IfKind::Port, PortKind::Sfp},
    {"ethernet", IfKind::Port, PortKind::Rj45},
    {"multige", IfKind::Port, PortKind::Rj45},
    {"ge", IfKind::Port, PortKind::Rj45},
    {"xge", IfKind::Port, PortKind::Sfp},
    {"10ge", IfKind::Port, PortKind::Sfp},
    {"25ge", IfKind::Port, PortKind::Sfp},
    {"40ge", IfKind::Port, PortKind::Sfp},
    {"50ge", IfKind::Port, PortKind::Sfp},
    {"100ge", IfKind::Port, PortKind::Sfp},
    {"400ge", IfKind::Port, PortKind::Sfp},
    {"eth-trunk", IfKind::Lag, PortKind::Rj45},
    {"vlanif", IfKind::Logical, PortKind::Rj45},
    {"meth", IfKind::Logical, PortKind::Rj45},
    {"loopback", IfKind::Logical, PortKind::Rj45},
    {"null", IfKind::Logical, PortKind::Rj45},
    {"tunnel", IfKind::Logical, PortKind::Rj45},
    {"nve", IfKind::Logical, PortKind::Rj45},
    {"vbdif", IfKind::Logical, PortKind::Rj45},
    {"stack-port", IfKind::Logical, PortKind::Rj45},
    {"wlan-ess", IfKind::Logical, PortKind::Rj45},
    {"virtual-template", IfKind::Logical, PortKind::Rj45},
    {"dialer", IfKind::Logical, PortKind::Rj45},
}};

constexpr std::array<PortStatement, 12> k_vrp_statements = {{
    {"port link-type {word}", PortAction::LinkType},
    {"portswitch", PortAction::Switched, Undo::Also},
    {"port default vlan {id}", PortAction::Access},
    {"port trunk allow-pass vlan {list}", PortAction::TrunkAllow, Undo::Also},
    {"port trunk pvid vlan {id}", PortAction::TrunkPvid},
    {"port hybrid pvid vlan {id}", PortAction::HybridPvid},
    {"port hybrid tagged vlan {list}", PortAction::HybridTagged, Undo::Also},
    {"port hybrid untagged vlan {list}", PortAction::HybridUntagged, Undo::Also},
    {"port hybrid vlan {list}", PortAction::HybridRemove, Undo::Only},
    {"voice-vlan {id} enable", PortAction::Voice},
    {"eth-trunk {n}", PortAction::JoinLag},
    {"trunkport {rest}", PortAction::LagMembers},
}};

constexpr std::array<std::string_view, 60> k_vrp_ignored = {
    "stp",
    "lldp",
    "broadcast-suppression",
    "multicast-suppression",
    "unicast-suppression",
    "storm-control",
    "jumboframe",
    "speed",
    "duplex",
    "negotiation",
    "flow-control",
    "qos",
    "trust",
    "poe",
    "port-isolate",
    "loopback-detect",
    "ip",
    "ipv6",
    "mac-address",
    "mac-limit",
    "mac-learning",
    "dot1x",
    "mac-authen",
    "authentication-profile",
    "port-security",
    "traffic-filter",
    "traffic-policy",
    "lacp",
    "mode",
    "max",
    "least",
    "load-balance",
    "igmp-snooping",
    "dhcp",
    "arp",
    "ntdp",
    "ndp",
    "bpdu",
    "dldp",
    "device",
    "mtu",
    "port-mirroring",
    "l2protocol-tunnel",
    "user-bind",
    "voice-vlan",
    "error-down",
    "set",
    "sflow",
    "local-preference",
    "carrier",
    "statistic",
    "anti-attack",
    "ip-subnet-vlan",
    "combo-port",
    "authentication",
    "user-isolate",
    "fec",
    "energy-efficient-ethernet",
    "qinq",
    "port-isolate-group",
};

} // namespace

void read_vrp(std::string_view text, Collector& out) {
    static constexpr ComwareSyntax k_syntax{k_vrp_interfaces, k_vrp_statements, k_vrp_ignored, "Eth-Trunk"};
    // Members named by `trunkport` are made before their own interfaces.
    out.sort_ports = true;
    read_comware_family(text, out, k_syntax);
}

} // namespace quarn::import_detail
