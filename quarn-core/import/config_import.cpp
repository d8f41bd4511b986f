#include "import/config_import.hpp"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "import/config_reader.hpp"

namespace quarn {
namespace {

using import_detail::Collector;
using import_detail::digit;
using import_detail::iequals;
using import_detail::Line;

// How a dialect's users write a port's name short.
// Numbers: FastIron's "ethernet 1/1/1" is the port its users call 1/1/1.
enum class ShortForm : std::uint8_t { AsWritten, Cisco, Comware, Numbers };

// Everything the importer knows of one dialect, in the order of `Dialect`.
struct Row {
    DialectInfo info;
    std::array<std::string_view, 4> other_names; // also taken by --dialect
    ShortForm short_form;
    void (*read)(std::string_view text, Collector& out);
};

constexpr Row k_rows[] = {
    {{Dialect::CiscoIos, "Cisco IOS", "Cisco IOS, IOS-XE, Arista EOS", "ios"},
     {"ios-xe", "eos", "arista"},
     ShortForm::Cisco,
     [](std::string_view text, Collector& out) { import_detail::read_cisco(text, out, false); }},
    {{Dialect::NxOs, "Cisco NX-OS", "Cisco NX-OS", "nxos"},
     {"nx-os"},
     ShortForm::Cisco,
     [](std::string_view text, Collector& out) { import_detail::read_cisco(text, out, true); }},
    {{Dialect::ArubaOs, "ArubaOS-Switch", "HPE ArubaOS-Switch, ProCurve", "aruba"},
     {"procurve", "arubaos-switch"},
     ShortForm::AsWritten,
     import_detail::read_aruba},
    {{Dialect::Comware, "Comware", "HPE Comware, H3C", "comware"},
     {"h3c"},
     ShortForm::Comware,
     import_detail::read_comware},
    {{Dialect::Junos, "Junos", "Juniper Junos", "junos"},
     {},
     ShortForm::AsWritten,
     import_detail::read_junos},
    {{Dialect::ArubaCx, "AOS-CX", "HPE Aruba AOS-CX", "aoscx"},
     {"aos-cx", "arubacx", "cx"},
     ShortForm::AsWritten,
     import_detail::read_aruba_cx},
    {{Dialect::DellOs10, "Dell OS10", "Dell EMC SmartFabric OS10", "os10"},
     {"dellos10", "dell-os10"},
     ShortForm::AsWritten,
     import_detail::read_dell_os10},
    {{Dialect::DellOs6, "Dell OS6", "Dell OS6, N-series, PowerConnect", "os6"},
     {"dellos6", "dell-os6", "powerconnect"},
     ShortForm::Cisco,
     import_detail::read_dell_os6},
    {{Dialect::CiscoSb, "Cisco Small Business", "Cisco SB, CBS, Catalyst 1200/1300", "ciscosb"},
     {"sb", "cbs", "catalyst1200"},
     ShortForm::Cisco,
     import_detail::read_cisco_sb},
    {{Dialect::AlliedWare, "AlliedWare Plus", "Allied Telesis AlliedWare Plus", "awplus"},
     {"alliedware", "aw+"},
     ShortForm::AsWritten,
     import_detail::read_alliedware},
    {{Dialect::EdgeSwitch, "EdgeSwitch", "Ubiquiti EdgeSwitch, NETGEAR", "edgeswitch"},
     {"netgear", "fastpath"},
     ShortForm::AsWritten,
     import_detail::read_edgeswitch},
    {{Dialect::FastIron, "Ruckus FastIron", "Ruckus ICX, Brocade FastIron", "fastiron"},
     {"ruckus", "icx", "brocade"},
     ShortForm::Numbers,
     import_detail::read_fastiron},
    {{Dialect::Vrp, "Huawei VRP", "Huawei VRP", "vrp"},
     {"huawei"},
     ShortForm::Comware,
     import_detail::read_vrp},
    {{Dialect::RouterOs, "MikroTik RouterOS", "MikroTik RouterOS", "routeros"},
     {"mikrotik"},
     ShortForm::AsWritten,
     import_detail::read_routeros},
    {{Dialect::Exos, "Extreme EXOS", "Extreme Networks EXOS", "exos"},
     {"extreme"},
     ShortForm::AsWritten,
     import_detail::read_exos},
};

const Row* row_of(Dialect dialect) {
    for (const Row& row : k_rows)
        if (row.info.dialect == dialect) return &row;
    return nullptr;
}

// --- Detection -------------------------------------------------------------
//
// Every line speaks for the dialects that write it. Lines that several
// dialects write alike (`!`, `switchport`, `interface GigabitEthernet`) count
// for each of them, so that only the lines one dialect alone writes set it
// apart; statements a dialect cannot hold count against it, so that a
// family's text is never half-read as a neighbour's. The Unknown slot
// gathers what families the importer does not read write.

constexpr std::size_t k_slots = 32; // more than there are dialects

using Scores = std::array<int, k_slots>;

enum class Match : std::uint8_t {
    Exact,
    Prefix,
    PrefixDigit, // the text, then a digit
    Contains,
};

struct Marker {
    std::string_view text;
    Match match;
    Dialect dialect;
    int weight;
};

constexpr int k_never = -40;

constexpr Marker k_markers[] = {
    // Junos
    {"set interfaces ", Match::Prefix, Dialect::Junos, 3},
    {"set vlans ", Match::Prefix, Dialect::Junos, 3},
    {"set system ", Match::Prefix, Dialect::Junos, 3},
    {"interfaces {", Match::Exact, Dialect::Junos, 5},
    {"system {", Match::Exact, Dialect::Junos, 5},
    {"vlans {", Match::Exact, Dialect::Junos, 5},
    {"## Last commit", Match::Prefix, Dialect::Junos, 5},
    {"family ethernet-switching", Match::Contains, Dialect::Junos, 3},
    // Comware
    {"sysname ", Match::Prefix, Dialect::Comware, 4},
    {"port link-type ", Match::Prefix, Dialect::Comware, 4},
    {"port trunk permit vlan", Match::Prefix, Dialect::Comware, 4},
    {"port hybrid ", Match::Prefix, Dialect::Comware, 4},
    {"port hybrid vlan ", Match::Prefix, Dialect::Comware, 4},
    {"port access vlan ", Match::Prefix, Dialect::Comware, 4},
    {"port link-aggregation group ", Match::Prefix, Dialect::Comware, 4},
    {"interface Bridge-Aggregation", Match::Prefix, Dialect::Comware, 4},
    {"interface Vlan-interface", Match::Prefix, Dialect::Comware, 4},
    {"interface Ten-GigabitEthernet", Match::Prefix, Dialect::Comware, 4},
    {"interface M-GigabitEthernet", Match::Prefix, Dialect::Comware, 4},
    {"#", Match::Exact, Dialect::Comware, 1},
    {"return", Match::Exact, Dialect::Comware, 1},
    {"undo ", Match::Prefix, Dialect::Comware, 1},
    // Huawei VRP: what it writes as Comware does, and where it words what
    // Comware says otherwise
    {"sysname ", Match::Prefix, Dialect::Vrp, 4},
    {"port link-type ", Match::Prefix, Dialect::Vrp, 4},
    {"port hybrid ", Match::Prefix, Dialect::Vrp, 4},
    {"#", Match::Exact, Dialect::Vrp, 1},
    {"return", Match::Exact, Dialect::Vrp, 1},
    {"undo ", Match::Prefix, Dialect::Vrp, 1},
    {"interface GigabitEthernet", Match::Prefix, Dialect::Vrp, 1},
    {"!Software Version V", Match::Prefix, Dialect::Vrp, 12},
    {"port trunk allow-pass vlan ", Match::Prefix, Dialect::Vrp, 5},
    {"port default vlan ", Match::Prefix, Dialect::Vrp, 5},
    {"port hybrid tagged vlan ", Match::Prefix, Dialect::Vrp, 5},
    {"port hybrid untagged vlan ", Match::Prefix, Dialect::Vrp, 5},
    {"interface Eth-Trunk", Match::Prefix, Dialect::Vrp, 5},
    {"interface Vlanif", Match::Prefix, Dialect::Vrp, 5},
    {"interface XGigabitEthernet", Match::Prefix, Dialect::Vrp, 5},
    {"interface MEth", Match::Prefix, Dialect::Vrp, 5},
    {"interface MultiGE", Match::Prefix, Dialect::Vrp, 5},
    {"interface 10GE", Match::Prefix, Dialect::Vrp, 5},
    {"interface 25GE", Match::Prefix, Dialect::Vrp, 5},
    {"interface 40GE", Match::Prefix, Dialect::Vrp, 5},
    {"interface 100GE", Match::Prefix, Dialect::Vrp, 5},
    {"eth-trunk ", Match::Prefix, Dialect::Vrp, 4},
    {"vlan batch ", Match::Prefix, Dialect::Vrp, 5},
    {"undo portswitch", Match::Prefix, Dialect::Vrp, 4},
    {"voice-vlan ", Match::Prefix, Dialect::Vrp, 2},
    // Ruckus and Brocade FastIron. Their many `!` lines speak for the
    // families that write `!`, so what only they write speaks loudly.
    {"stack unit ", Match::Prefix, Dialect::FastIron, 8},
    {"untagged ethe ", Match::Prefix, Dialect::FastIron, 4},
    {"tagged ethe ", Match::Prefix, Dialect::FastIron, 4},
    {"untagged lag ", Match::Prefix, Dialect::FastIron, 4},
    {"tagged lag ", Match::Prefix, Dialect::FastIron, 4},
    {"ports ethe", Match::Prefix, Dialect::FastIron, 5},
    {"primary-port ", Match::Prefix, Dialect::FastIron, 4},
    {"router-interface ve ", Match::Prefix, Dialect::FastIron, 5},
    {"interface ve ", Match::Prefix, Dialect::FastIron, 4},
    {"interface ethernet ", Match::Prefix, Dialect::FastIron, 2},
    {"default-vlan-id ", Match::Prefix, Dialect::FastIron, 6},
    {"port-name ", Match::Prefix, Dialect::FastIron, 3},
    {"untagged ethe ", Match::Prefix, Dialect::DellOs10, k_never},
    {"untagged ethe ", Match::Prefix, Dialect::DellOs6, k_never},
    {"tagged ethe ", Match::Prefix, Dialect::DellOs10, k_never},
    {"tagged ethe ", Match::Prefix, Dialect::DellOs6, k_never},
    {"port-name ", Match::Prefix, Dialect::DellOs10, k_never},
    {"port-name ", Match::Prefix, Dialect::DellOs6, k_never},
    {"dual-mode", Match::Prefix, Dialect::FastIron, 4},
    {"spanning-tree 802-1w", Match::Prefix, Dialect::FastIron, 4},
    {"vlan-config ", Match::Prefix, Dialect::FastIron, 5},
    {"trunk ethe ", Match::Prefix, Dialect::FastIron, 5},
    {"Current configuration:", Match::Prefix, Dialect::FastIron, 3},
    // MikroTik RouterOS
    {"set [ find ", Match::Prefix, Dialect::RouterOs, 5},
    {"add bridge=", Match::Prefix, Dialect::RouterOs, 5},
    // Extreme EXOS
    {"configure vlan ", Match::Prefix, Dialect::Exos, 4},
    {"enable sharing ", Match::Prefix, Dialect::Exos, 6},
    {"configure snmp sysName ", Match::Prefix, Dialect::Exos, 6},
    {"# Module ", Match::Prefix, Dialect::Exos, 6},
    {"configure vr VR-", Match::Prefix, Dialect::Exos, 6},
    {"configure ports ", Match::Prefix, Dialect::Exos, 2},
    {"configure sharing ", Match::Prefix, Dialect::Exos, 4},
    {"disable ports ", Match::Prefix, Dialect::Exos, 2},
    {"enable ports ", Match::Prefix, Dialect::Exos, 2},
    // ArubaOS-Switch (and what FASTPATH families write alike)
    {"hostname \"", Match::Prefix, Dialect::ArubaOs, 2},
    {"hostname \"", Match::Prefix, Dialect::DellOs6, 2},
    {"hostname \"", Match::Prefix, Dialect::EdgeSwitch, 2},
    {"untagged ", Match::Prefix, Dialect::ArubaOs, 2},
    {"tagged ", Match::Prefix, Dialect::ArubaOs, 2},
    {"no untagged ", Match::Prefix, Dialect::ArubaOs, 2},
    {"exit", Match::Exact, Dialect::ArubaOs, 1},
    {"exit", Match::Exact, Dialect::DellOs6, 1},
    {"exit", Match::Exact, Dialect::EdgeSwitch, 1},
    {"exit", Match::Exact, Dialect::ArubaCx, 1},
    // NX-OS
    {"feature ", Match::Prefix, Dialect::NxOs, 4},
    {"switchname ", Match::Prefix, Dialect::NxOs, 4},
    {"interface mgmt0", Match::Exact, Dialect::NxOs, 4},
    {"vpc domain", Match::Prefix, Dialect::NxOs, 4},
    {"!Command: show running-config", Match::Prefix, Dialect::NxOs, 4},
    {"interface port-channel", Match::PrefixDigit, Dialect::NxOs, 4},
    {"interface port-channel", Match::PrefixDigit, Dialect::DellOs10, 4},
    {"system default switchport", Match::Prefix, Dialect::NxOs, 4},
    // Cisco IOS and Arista EOS
    {"boot-start-marker", Match::Exact, Dialect::CiscoIos, 4},
    {"boot-end-marker", Match::Exact, Dialect::CiscoIos, 2},
    {"service timestamps", Match::Prefix, Dialect::CiscoIos, 4},
    {"Current configuration :", Match::Prefix, Dialect::CiscoIos, 5},
    {"Building configuration", Match::Prefix, Dialect::CiscoIos, 5},
    {"spanning-tree extend system-id", Match::Exact, Dialect::CiscoIos, 3},
    {"vtp ", Match::Prefix, Dialect::CiscoIos, 3},
    {"line vty ", Match::Prefix, Dialect::CiscoIos, 2},
    {"switchport trunk encapsulation", Match::Prefix, Dialect::CiscoIos, 3},
    {"switchport nonegotiate", Match::Exact, Dialect::CiscoIos, 3},
    {"interface Management1", Match::Exact, Dialect::CiscoIos, 4},
    {"! device: ", Match::Prefix, Dialect::CiscoIos, 5},
    {"daemon TerminAttr", Match::Exact, Dialect::CiscoIos, 4},
    {"management api http-commands", Match::Exact, Dialect::CiscoIos, 4},
    {"switchport trunk group ", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface FastEthernet", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface TwoGigabitEthernet", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface FortyGigabitEthernet", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface TenGigabitEthernet", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface TenGigabitEthernet", Match::Prefix, Dialect::CiscoSb, 4},
    {"interface Port-channel", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface Port-channel", Match::Prefix, Dialect::CiscoSb, 4},
    {"interface Port-Channel", Match::Prefix, Dialect::CiscoIos, 4},
    {"interface Ethernet", Match::Prefix, Dialect::CiscoIos, 1},
    {"interface Ethernet", Match::Prefix, Dialect::NxOs, 1},
    {"interface GigabitEthernet", Match::Prefix, Dialect::CiscoIos, 1},
    {"interface GigabitEthernet", Match::Prefix, Dialect::Comware, 1},
    {"interface GigabitEthernet", Match::Prefix, Dialect::CiscoSb, 1},
    {"end", Match::Exact, Dialect::CiscoIos, 1},
    {"end", Match::Exact, Dialect::AlliedWare, 1},
    {"!", Match::Exact, Dialect::CiscoIos, 1},
    {"!", Match::Exact, Dialect::CiscoSb, 1},
    {"!", Match::Exact, Dialect::DellOs10, 1},
    {"!", Match::Exact, Dialect::DellOs6, 1},
    {"!", Match::Exact, Dialect::AlliedWare, 1},
    {"switchport ", Match::Prefix, Dialect::CiscoIos, 1},
    {"switchport ", Match::Prefix, Dialect::NxOs, 1},
    {"switchport ", Match::Prefix, Dialect::CiscoSb, 1},
    {"switchport ", Match::Prefix, Dialect::DellOs6, 1},
    {"switchport ", Match::Prefix, Dialect::DellOs10, 1},
    {"switchport ", Match::Prefix, Dialect::AlliedWare, 1},
    {"channel-group ", Match::Prefix, Dialect::CiscoIos, 1},
    {"channel-group ", Match::Prefix, Dialect::NxOs, 1},
    {"channel-group ", Match::Prefix, Dialect::CiscoSb, 1},
    {"channel-group ", Match::Prefix, Dialect::DellOs6, 1},
    {"channel-group ", Match::Prefix, Dialect::DellOs10, 1},
    {"channel-group ", Match::Prefix, Dialect::AlliedWare, 1},
    // AOS-CX
    {"!Version ArubaOS-CX", Match::Prefix, Dialect::ArubaCx, 10},
    {"!Version AOS-CX", Match::Prefix, Dialect::ArubaCx, 10},
    {"!export-password", Match::Prefix, Dialect::ArubaCx, 5},
    {"vlan access ", Match::Prefix, Dialect::ArubaCx, 4},
    {"vlan trunk ", Match::Prefix, Dialect::ArubaCx, 4},
    {"no routing", Match::Exact, Dialect::ArubaCx, 3},
    {"routing", Match::Exact, Dialect::ArubaCx, 1},
    {"interface lag ", Match::PrefixDigit, Dialect::ArubaCx, 4},
    {"lag ", Match::PrefixDigit, Dialect::ArubaCx, 2},
    {"interface mgmt", Match::Exact, Dialect::ArubaCx, 3},
    {"user admin group ", Match::Prefix, Dialect::ArubaCx, 5},
    {"ssh server vrf ", Match::Prefix, Dialect::ArubaCx, 3},
    {"led locator ", Match::Prefix, Dialect::ArubaCx, 3},
    {"vsx", Match::Exact, Dialect::ArubaCx, 3},
    {"vsf member ", Match::Prefix, Dialect::ArubaCx, 3},
    {"interface vlan ", Match::PrefixDigit, Dialect::ArubaCx, 2},
    // Dell OS10
    {"! Version 10.", Match::Prefix, Dialect::DellOs10, 8},
    {"interface ethernet", Match::PrefixDigit, Dialect::DellOs10, 5},
    {"interface mgmt1/", Match::Prefix, Dialect::DellOs10, 5},
    {"interface breakout ", Match::Prefix, Dialect::DellOs10, 4},
    {"interface range ethernet", Match::PrefixDigit, Dialect::DellOs10, 4},
    {"system-user ", Match::Prefix, Dialect::DellOs10, 5},
    {" role sysadmin", Match::Contains, Dialect::DellOs10, 5},
    {"ip vrf default", Match::Exact, Dialect::DellOs10, 3},
    {"iscsi ", Match::Prefix, Dialect::DellOs10, 2},
    {"vlt-domain ", Match::Prefix, Dialect::DellOs10, 4},
    {"vlt-port-channel ", Match::Prefix, Dialect::DellOs10, 4},
    // Dell OS6, N-series and PowerConnect; FASTPATH's header
    {"!Current Configuration:", Match::Prefix, Dialect::DellOs6, 3},
    {"!Current Configuration:", Match::Prefix, Dialect::EdgeSwitch, 3},
    {"!System Software Version", Match::Prefix, Dialect::DellOs6, 2},
    {"!System Software Version", Match::Prefix, Dialect::EdgeSwitch, 2},
    {"configure", Match::Exact, Dialect::DellOs6, 1},
    {"configure", Match::Exact, Dialect::EdgeSwitch, 1},
    {"interface Gi", Match::PrefixDigit, Dialect::DellOs6, 3},
    {"interface Te", Match::PrefixDigit, Dialect::DellOs6, 3},
    {"interface Tw", Match::PrefixDigit, Dialect::DellOs6, 3},
    {"interface Fo", Match::PrefixDigit, Dialect::DellOs6, 3},
    {"interface port-channel ", Match::PrefixDigit, Dialect::DellOs6, 2},
    {"interface out-of-band", Match::Exact, Dialect::DellOs6, 4},
    {"interface vlan ", Match::PrefixDigit, Dialect::DellOs6, 2},
    // Ports that send several VLANs untagged: Cisco SB and Dell only
    {"switchport mode general", Match::Exact, Dialect::CiscoSb, 3},
    {"switchport mode general", Match::Exact, Dialect::DellOs6, 3},
    {"switchport general ", Match::Prefix, Dialect::CiscoSb, 3},
    {"switchport general ", Match::Prefix, Dialect::DellOs6, 3},
    {"switchport general", Match::Prefix, Dialect::CiscoIos, k_never},
    {"switchport general", Match::Prefix, Dialect::NxOs, k_never},
    {"switchport general", Match::Prefix, Dialect::DellOs10, k_never},
    {"switchport general", Match::Prefix, Dialect::AlliedWare, k_never},
    {"switchport mode general", Match::Exact, Dialect::CiscoIos, k_never},
    {"switchport mode general", Match::Exact, Dialect::NxOs, k_never},
    {"switchport mode general", Match::Exact, Dialect::DellOs10, k_never},
    {"switchport mode general", Match::Exact, Dialect::AlliedWare, k_never},
    // Cisco Small Business, CBS, Catalyst 1200 and 1300
    {"config-file-header", Match::Exact, Dialect::CiscoSb, 10},
    {"CLI v1.0", Match::Exact, Dialect::CiscoSb, 5},
    {"file SSD indicator", Match::Prefix, Dialect::CiscoSb, 5},
    {"@", Match::Exact, Dialect::CiscoSb, 2},
    {"ssd-control-start", Match::Exact, Dialect::CiscoSb, 5},
    {"unit-type-control-start", Match::Exact, Dialect::CiscoSb, 5},
    {"voice vlan oui-table ", Match::Prefix, Dialect::CiscoSb, 4},
    {"switchport forbidden ", Match::Prefix, Dialect::CiscoSb, 4},
    {"bonjour ", Match::Prefix, Dialect::CiscoSb, 3},
    {"ip ssh password-auth", Match::Exact, Dialect::CiscoSb, 3},
    {"interface gigabitethernet", Match::PrefixDigit, Dialect::CiscoSb, 3},
    {"interface fastethernet", Match::PrefixDigit, Dialect::CiscoSb, 3},
    {"interface vlan ", Match::PrefixDigit, Dialect::CiscoSb, 2},
    {"vlan database", Match::Exact, Dialect::CiscoSb, 3},
    {"vlan database", Match::Exact, Dialect::DellOs6, 3},
    {"vlan database", Match::Exact, Dialect::AlliedWare, 3},
    {"vlan database", Match::Exact, Dialect::EdgeSwitch, 3},
    // AlliedWare Plus
    {"interface port", Match::PrefixDigit, Dialect::AlliedWare, 6},
    {"static-channel-group ", Match::Prefix, Dialect::AlliedWare, 5},
    {"switchport trunk native vlan none", Match::Exact, Dialect::AlliedWare, 3},
    {"interface sa", Match::PrefixDigit, Dialect::AlliedWare, 4},
    {"atmf ", Match::Prefix, Dialect::AlliedWare, 4},
    {"stack virtual-chassis", Match::Prefix, Dialect::AlliedWare, 4},
    {"log buffered", Match::Prefix, Dialect::AlliedWare, 2},
    // EdgeSwitch and NETGEAR
    {"vlan participation ", Match::Prefix, Dialect::EdgeSwitch, 5},
    {"vlan tagging ", Match::Prefix, Dialect::EdgeSwitch, 4},
    {"vlan pvid ", Match::Prefix, Dialect::EdgeSwitch, 4},
    {"vlan name ", Match::PrefixDigit, Dialect::EdgeSwitch, 3},
    {"vlan port ", Match::Prefix, Dialect::EdgeSwitch, 3},
    {"network parms ", Match::Prefix, Dialect::EdgeSwitch, 4},
    {"network protocol ", Match::Prefix, Dialect::EdgeSwitch, 3},
    {"network mgmt_vlan ", Match::Prefix, Dialect::EdgeSwitch, 3},
    {"addport ", Match::Prefix, Dialect::EdgeSwitch, 4},
    {"interface 0/", Match::PrefixDigit, Dialect::EdgeSwitch, 3},
    {"vlan participation ", Match::Prefix, Dialect::CiscoIos, k_never},
    {"vlan participation ", Match::Prefix, Dialect::CiscoSb, k_never},
    {"vlan participation ", Match::Prefix, Dialect::DellOs6, k_never},
    // Families the importer does not read: FortiSwitch, Cumulus, EdgeRouter
    // and VyOS switch ports, TP-Link, D-Link, Dell OS9 (whose VLANs list
    // their ports by interface name), Avaya and Extreme VOSS, Zyxel
    {"! Version 9.", Match::Prefix, Dialect::Unknown, 6},
    {"untagged TenGigabitEthernet ", Match::Prefix, Dialect::Unknown, 6},
    {"untagged GigabitEthernet ", Match::Prefix, Dialect::Unknown, 6},
    {"untagged Port-channel ", Match::Prefix, Dialect::Unknown, 6},
    {"tagged TenGigabitEthernet ", Match::Prefix, Dialect::Unknown, 6},
    {"tagged GigabitEthernet ", Match::Prefix, Dialect::Unknown, 6},
    {"tagged Port-channel ", Match::Prefix, Dialect::Unknown, 6},
    {"vlan create ", Match::Prefix, Dialect::Unknown, 5},
    {"vlan members ", Match::Prefix, Dialect::Unknown, 5},
    {"vlan ports ", Match::Prefix, Dialect::Unknown, 5},
    {"fixed ", Match::Prefix, Dialect::Unknown, 4},
    {"config system ", Match::Prefix, Dialect::Unknown, 5},
    {"config switch", Match::Prefix, Dialect::Unknown, 5},
    {"iface ", Match::Prefix, Dialect::Unknown, 3},
    {"auto swp", Match::PrefixDigit, Dialect::Unknown, 3},
    {"ethernet eth", Match::PrefixDigit, Dialect::Unknown, 4},
    {"switch-port {", Match::Exact, Dialect::Unknown, 5},
    {"switchport pvid ", Match::Prefix, Dialect::Unknown, 4},
    {"switchport general allowed vlan ", Match::PrefixDigit, Dialect::Unknown, 4},
    {"config vlan ", Match::Prefix, Dialect::Unknown, 5},
    {"config ports ", Match::Prefix, Dialect::Unknown, 5},
};

bool marked(std::string_view c, const Marker& m) {
    switch (m.match) {
    case Match::Exact:
        return c == m.text;
    case Match::Prefix:
        return c.starts_with(m.text);
    case Match::PrefixDigit:
        return c.size() > m.text.size() && c.starts_with(m.text) && digit(c[m.text.size()]);
    case Match::Contains:
        return c.find(m.text) != std::string_view::npos;
    }
    return false;
}

void add(Scores& s, Dialect dialect, int weight) {
    s[static_cast<std::size_t>(dialect)] += weight;
}

// What a table of markers cannot say.
void score_special(std::string_view c, Scores& s) {
    auto has = [&](std::string_view part) { return c.find(part) != std::string_view::npos; };
    if (c.starts_with(";") && has("Configuration Editor")) add(s, Dialect::ArubaOs, 10);
    if (c.starts_with("trunk ") && (has(" trk") || has(" Trk"))) add(s, Dialect::ArubaOs, 4);
    if (c.starts_with("version ") && c.size() > 8 && digit(c[8])) {
        if (has("Bios"))
            add(s, Dialect::NxOs, 4);
        else if (!has("(") && !c.ends_with(";"))
            add(s, Dialect::CiscoIos, 2);
    }
    if (c.starts_with("!System Description \"")) {
        if (has("Dell") || has("PowerConnect")) add(s, Dialect::DellOs6, 10);
        if (has("EdgeSwitch") || has("ProSAFE") || has("ProSafe") || has("NETGEAR") || has("Netgear"))
            add(s, Dialect::EdgeSwitch, 10);
    }
    if (c.starts_with("interface ") && c.size() > 10 && c.find(' ', 10) == std::string_view::npos) {
        // Port numbers alone: 5, A1, 1/A1 (ProCurve); 1/1/1 (AOS-CX).
        std::string_view name = c.substr(10);
        std::size_t slashes = static_cast<std::size_t>(std::count(name.begin(), name.end(), '/'));
        bool lettered = name.size() > 1 && name[0] >= 'A' && name[0] <= 'Z' && digit(name[1]);
        if (digit(name[0]) && slashes == 2)
            add(s, Dialect::ArubaCx, 2);
        else if ((digit(name[0]) && slashes <= 1 && name[0] != '0') || lettered)
            add(s, Dialect::ArubaOs, 2);
    }
    // "interface ethernet 1/g1" (PowerConnect), "interface ethernet 1/1/1"
    // (OS10, as typed).
    if (c.starts_with("interface ethernet ") && c.size() > 19) {
        std::string_view name = c.substr(19);
        bool numbers = std::all_of(name.begin(), name.end(),
                                   [](char ch) { return digit(ch) || ch == '/' || ch == ':'; });
        if (numbers && std::count(name.begin(), name.end(), '/') == 2)
            add(s, Dialect::DellOs10, 5);
        else if (digit(name.front()) || name.front() == 'g')
            add(s, Dialect::DellOs6, 4);
    }
    // ver 08.0.95bT213, vlan 10 name Data by port, lag "up" dynamic id 1,
    // module 1 icx7150-48p-poe-port-management-module
    // OS10 as typed and PowerConnect name their ports as FastIron does,
    // "interface ethernet 1/1/1"; what FastIron alone writes tells it apart.
    if (c.starts_with("ver ") && c.size() > 4 && digit(c[4])) {
        add(s, Dialect::FastIron, 12);
        add(s, Dialect::DellOs10, k_never);
        add(s, Dialect::DellOs6, k_never);
    }
    if (c.starts_with("vlan ") && c.ends_with(" by port")) {
        add(s, Dialect::FastIron, 8);
        add(s, Dialect::DellOs10, k_never);
        add(s, Dialect::DellOs6, k_never);
    }
    if (c.starts_with("lag ") && (has(" dynamic id ") || has(" static id ") || has(" keep-alive id ")))
        add(s, Dialect::FastIron, 8);
    if (c.starts_with("module ") && c.ends_with("-module")) add(s, Dialect::FastIron, 8);
    // /interface bridge port, /ip address, /system identity
    if (c.size() > 2 && c[0] == '/' && c[1] >= 'a' && c[1] <= 'z') add(s, Dialect::RouterOs, 3);
    if (c.starts_with("#") && has(" by RouterOS ")) add(s, Dialect::RouterOs, 12);
    // create vlan "Data", but not AlliedWare's create vlan=Data vid=10
    if (c.starts_with("create vlan ") && !has("=")) add(s, Dialect::Exos, 6);
    // AlliedWare Plus names VLANs inside its VLAN database: "vlan 10 name Data".
    if (c.starts_with("vlan ") && c.size() > 5 && digit(c[5]) && (has(" name ") || has(" state ")))
        add(s, Dialect::AlliedWare, 3);
}

// The markers a line may match, found by the line's first word and the
// character after it ("interface G"), so that a line is held against a few
// markers and not against all of them.
class MarkerIndex {
  public:
    MarkerIndex() {
        for (const Marker& m : k_markers) {
            std::size_t space = m.text.find(' ');
            if (space != std::string_view::npos && space + 1 < m.text.size())
                by_start_[m.text.substr(0, space + 2)].push_back(&m);
            else if (space != std::string_view::npos)
                by_start_[m.text.substr(0, space)].push_back(&m);
            else if (m.match == Match::Exact)
                by_start_[m.text].push_back(&m);
            else
                anywhere_.push_back(&m);
        }
    }
    void score(std::string_view c, Scores& s) const {
        std::size_t space = c.find(' ');
        check(c.substr(0, space), c, s);
        if (space != std::string_view::npos && space + 1 < c.size()) check(c.substr(0, space + 2), c, s);
        for (const Marker* m : anywhere_)
            if (marked(c, *m)) add(s, m->dialect, m->weight);
    }

  private:
    void check(std::string_view start, std::string_view c, Scores& s) const {
        auto found = by_start_.find(start);
        if (found == by_start_.end()) return;
        for (const Marker* m : found->second)
            if (marked(c, *m)) add(s, m->dialect, m->weight);
    }
    std::unordered_map<std::string_view, std::vector<const Marker*>> by_start_;
    std::vector<const Marker*> anywhere_;
};

void score_line(std::string_view c, Scores& s) {
    static const MarkerIndex k_index;
    k_index.score(c, s);
    score_special(c, s);
}

} // namespace

std::span<const DialectInfo> dialects() {
    static const auto k_infos = [] {
        std::array<DialectInfo, std::size(k_rows)> infos;
        for (std::size_t i = 0; i < infos.size(); ++i) infos[i] = k_rows[i].info;
        return infos;
    }();
    return k_infos;
}

DialectGuess guess_dialect(std::string_view text) {
    // The lines that one dialect alone writes, by which the best must lead.
    constexpr int k_sure_lead = 6;
    Scores s{};
    import_detail::Lines lines(text);
    for (Line line; lines.next(line);) score_line(line.content, s);
    int best = 0;
    int second = 0;
    Dialect chosen = Dialect::Unknown;
    // Ties go to the dialect listed first, the more common one.
    for (const Row& row : k_rows) {
        int score = s[static_cast<std::size_t>(row.info.dialect)];
        if (score > best) {
            second = best;
            best = score;
            chosen = row.info.dialect;
        } else if (score > second) {
            second = score;
        }
    }
    // A family the importer does not read is never read as its neighbour.
    int foreign = s[static_cast<std::size_t>(Dialect::Unknown)];
    if (foreign > 0 && foreign >= best) return {};
    second = std::max(second, foreign);
    if (chosen == Dialect::Unknown) return {};
    return {chosen, best - second >= k_sure_lead};
}

Dialect detect_dialect(std::string_view text) {
    return guess_dialect(text).dialect;
}

ImportResult import_config(std::string_view text, std::optional<Dialect> dialect) {
    DialectGuess guess = dialect ? DialectGuess{*dialect, true} : guess_dialect(text);
    Collector out(guess.dialect);
    if (const Row* row = row_of(guess.dialect)) row->read(text, out);
    ImportResult result = out.finish();
    result.dialect_assumed = guess.dialect != Dialect::Unknown && !guess.sure;
    return result;
}

std::string_view dialect_title(Dialect dialect) {
    const Row* row = row_of(dialect);
    return row ? row->info.title : "unknown";
}

std::string dialect_titles() {
    std::string titles;
    for (const Row& row : k_rows) {
        if (!titles.empty()) titles += ", ";
        titles += row.info.title;
    }
    return titles;
}

std::optional<Dialect> parse_dialect_name(std::string_view name) {
    for (const Row& row : k_rows) {
        if (iequals(row.info.name, name)) return row.info.dialect;
        for (std::string_view other : row.other_names)
            if (!other.empty() && iequals(other, name)) return row.info.dialect;
    }
    return std::nullopt;
}

std::string short_label(Dialect dialect, std::string_view label) {
    struct Short {
        std::string_view family;
        std::string_view cisco;
        std::string_view comware;
    };
    static constexpr std::array<Short, 11> k_short = {{
        {"fa", "Fa", "Fa"},
        {"gi", "Gi", "GE"},
        {"tw", "Tw", "Tw"},
        {"fi", "Fi", "Fi"},
        {"te", "Te", "XGE"},
        {"twe", "Twe", "WGE"},
        {"fo", "Fo", "FGE"},
        {"hu", "Hu", "HGE"},
        {"eth", "Eth", "Eth"},
        {"po", "Po", "Po"},
        {"bagg", "BAGG", "BAGG"},
    }};
    const Row* row = row_of(dialect);
    if (!row || row->short_form == ShortForm::AsWritten) return std::string(label);
    bool cisco = row->short_form == ShortForm::Cisco;
    std::size_t length = 0;
    std::string_view family = import_detail::port_family(label, length);
    std::string_view rest = label.substr(length);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    // "ethernet 1/1/1" and "ethe 1/1/1" are the ports FastIron's users call 1/1/1.
    if (row->short_form == ShortForm::Numbers)
        return family == "eth" && !rest.empty() && digit(rest.front()) ? std::string(rest)
                                                                       : std::string(label);
    for (const Short& entry : k_short)
        if (entry.family == family)
            return std::string(cisco ? entry.cisco : entry.comware) + std::string(rest);
    return std::string(label);
}

bool same_port_label(std::string_view a, std::string_view b) {
    return import_detail::port_key(a) == import_detail::port_key(b);
}

} // namespace quarn
