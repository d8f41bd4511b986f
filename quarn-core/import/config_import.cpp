#include "import/config_import.hpp"

#include <array>

#include "import/config_reader.hpp"

namespace quarn {
namespace {

using import_detail::iequals;
using import_detail::istarts_with;
using import_detail::Line;

// How much each line speaks for each dialect. Markers that two dialects
// share count for both; what only one dialect writes counts more.
struct Scores {
    int ios = 0;
    int nxos = 0;
    int aruba = 0;
    int comware = 0;
    int junos = 0;
    int fastiron = 0;
    int vrp = 0;
    int routeros = 0;
    int exos = 0;
};

bool digit(char c) {
    return c >= '0' && c <= '9';
}

// Markers of one dialect each, as rows: a line that starts with `text`
// speaks for `dialect` by `points`.
struct Marker {
    std::string_view text;
    int Scores::*dialect;
    int points;
};

constexpr std::array<Marker, 42> k_markers = {{
    // Ruckus and Brocade FastIron. Their many `!` lines speak for IOS, so
    // what only they write speaks loudly.
    {"stack unit ", &Scores::fastiron, 8},
    {"untagged ethe ", &Scores::fastiron, 4},
    {"tagged ethe ", &Scores::fastiron, 4},
    {"untagged lag ", &Scores::fastiron, 4},
    {"tagged lag ", &Scores::fastiron, 4},
    {"ports ethe", &Scores::fastiron, 5},
    {"primary-port ", &Scores::fastiron, 4},
    {"router-interface ve ", &Scores::fastiron, 5},
    {"interface ve ", &Scores::fastiron, 4},
    {"interface ethernet ", &Scores::fastiron, 2},
    {"default-vlan-id ", &Scores::fastiron, 6},
    {"port-name ", &Scores::fastiron, 3},
    {"dual-mode", &Scores::fastiron, 4},
    {"spanning-tree 802-1w", &Scores::fastiron, 4},
    {"vlan-config ", &Scores::fastiron, 5},
    {"trunk ethe ", &Scores::fastiron, 5},
    {"Current configuration:", &Scores::fastiron, 3},
    // Huawei VRP, where it words what Comware says otherwise.
    {"!Software Version V", &Scores::vrp, 12},
    {"port trunk allow-pass vlan ", &Scores::vrp, 5},
    {"port default vlan ", &Scores::vrp, 5},
    {"port hybrid tagged vlan ", &Scores::vrp, 5},
    {"port hybrid untagged vlan ", &Scores::vrp, 5},
    {"interface Eth-Trunk", &Scores::vrp, 5},
    {"interface Vlanif", &Scores::vrp, 5},
    {"interface XGigabitEthernet", &Scores::vrp, 5},
    {"interface MEth", &Scores::vrp, 5},
    {"interface MultiGE", &Scores::vrp, 5},
    {"eth-trunk ", &Scores::vrp, 4},
    {"vlan batch ", &Scores::vrp, 5},
    {"undo portswitch", &Scores::vrp, 4},
    {"voice-vlan ", &Scores::vrp, 2},
    // MikroTik RouterOS.
    {"set [ find ", &Scores::routeros, 5},
    {"add bridge=", &Scores::routeros, 5},
    // Extreme EXOS.
    {"configure vlan ", &Scores::exos, 4},
    {"enable sharing ", &Scores::exos, 6},
    {"configure snmp sysName ", &Scores::exos, 6},
    {"# Module ", &Scores::exos, 6},
    {"configure vr VR-", &Scores::exos, 6},
    {"configure ports ", &Scores::exos, 2},
    {"configure sharing ", &Scores::exos, 4},
    {"disable ports ", &Scores::exos, 2},
    {"enable ports ", &Scores::exos, 2},
}};

// Markers that take more than the start of a line.
void score_new_families(std::string_view c, Scores& s) {
    for (const Marker& marker : k_markers)
        if (c.front() == marker.text.front() && c.starts_with(marker.text))
            s.*marker.dialect += marker.points;
    // ver 08.0.95bT213, vlan 10 name Data by port, lag "up" dynamic id 1,
    // module 1 icx7150-48p-poe-port-management-module
    if (c.starts_with("ver ") && c.size() > 4 && digit(c[4])) s.fastiron += 12;
    if (c.starts_with("vlan ") && c.ends_with(" by port")) s.fastiron += 8;
    if (c.starts_with("lag ") && (c.find(" dynamic id ") != std::string_view::npos ||
                                  c.find(" static id ") != std::string_view::npos ||
                                  c.find(" keep-alive id ") != std::string_view::npos))
        s.fastiron += 8;
    if (c.starts_with("module ") && c.ends_with("-module")) s.fastiron += 8;
    if (c.starts_with("interface 10GE") || c.starts_with("interface 25GE") ||
        c.starts_with("interface 40GE") || c.starts_with("interface 100GE"))
        s.vrp += 5;
    // /interface bridge port, /ip address, /system identity
    if (c.size() > 2 && c[0] == '/' && c[1] >= 'a' && c[1] <= 'z') s.routeros += 3;
    if (c.starts_with("#") && c.find(" by RouterOS ") != std::string_view::npos) s.routeros += 12;
    // create vlan "Data", but not AlliedWare's create vlan=Data vid=10
    if (c.starts_with("create vlan ") && c.find('=') == std::string_view::npos) s.exos += 6;
}

void score_line(std::string_view c, Scores& s) {
    if (c.starts_with("set interfaces ") || c.starts_with("set vlans ") || c.starts_with("set system "))
        s.junos += 3;
    if (c == "interfaces {" || c == "system {" || c == "vlans {" || c.starts_with("## Last commit"))
        s.junos += 5;
    if (c.find("family ethernet-switching") != std::string_view::npos) s.junos += 3;

    // Comware and VRP share these; what only one of them writes tells them apart.
    if (c.starts_with("sysname ") || c.starts_with("port link-type ") || c.starts_with("port hybrid ")) {
        s.comware += 4;
        s.vrp += 4;
    }
    if (c.starts_with("port trunk permit vlan") || c.starts_with("port hybrid vlan ") ||
        c.starts_with("port access vlan ") || c.starts_with("port link-aggregation group ") ||
        c.starts_with("interface Bridge-Aggregation") || c.starts_with("interface Vlan-interface") ||
        c.starts_with("interface Ten-GigabitEthernet") || c.starts_with("interface M-GigabitEthernet"))
        s.comware += 4;
    if (c == "#" || c == "return" || c.starts_with("undo ")) {
        s.comware += 1;
        s.vrp += 1;
    }

    if (c.starts_with(";") && c.find("Configuration Editor") != std::string_view::npos) s.aruba += 10;
    if (c.starts_with("hostname \"")) s.aruba += 3;
    if (c.starts_with("trunk ") &&
        (c.find(" trk") != std::string_view::npos || c.find(" Trk") != std::string_view::npos))
        s.aruba += 4;
    if (c.starts_with("untagged ") || c.starts_with("tagged ") || c.starts_with("no untagged ")) s.aruba += 2;
    if (c == "exit") s.aruba += 1;
    if (c.starts_with("interface ") && c.size() > 10 &&
        (digit(c[10]) || (c.size() > 11 && c[10] >= 'A' && c[10] <= 'Z' && digit(c[11]))))
        s.aruba += 2;

    if (c.starts_with("feature ") || c.starts_with("switchname ") || c == "interface mgmt0" ||
        c.starts_with("vpc domain") || c.starts_with("!Command: show running-config") ||
        c.starts_with("interface port-channel") || c.starts_with("system default switchport"))
        s.nxos += 4;
    if (c.starts_with("version ") && c.find('(') != std::string_view::npos &&
        c.find("Bios") != std::string_view::npos)
        s.nxos += 4;

    if (c == "boot-start-marker" || c.starts_with("service timestamps") || c == "interface Management1" ||
        c.starts_with("interface Port-channel") || c.starts_with("interface Port-Channel") ||
        c.starts_with("interface FastEthernet") || c.starts_with("interface TenGigabitEthernet") ||
        c.starts_with("interface TwoGigabitEthernet") || c.starts_with("interface FortyGigabitEthernet"))
        s.ios += 4;
    if (c.starts_with("switchport ") || c.starts_with("channel-group ") ||
        c.starts_with("interface Ethernet")) {
        s.ios += 1;
        s.nxos += 1;
    }
    if (c.starts_with("interface GigabitEthernet")) {
        s.ios += 1;
        s.comware += 1;
        s.vrp += 1;
    }
    if (c == "!") s.ios += 1;
    score_new_families(c, s);
}

// Each dialect: its title, how it is read and how its users shorten port
// names, in the order of `Dialect`.
enum class LabelStyle : std::uint8_t { AsWritten, Cisco, Comware, Numbers };

struct DialectRow {
    Dialect dialect;
    std::string_view title;
    void (*read)(std::string_view, import_detail::Collector&);
    LabelStyle labels;
};

void read_ios(std::string_view text, import_detail::Collector& out) {
    import_detail::read_cisco(text, out, false);
}

void read_nxos(std::string_view text, import_detail::Collector& out) {
    import_detail::read_cisco(text, out, true);
}

constexpr std::array<DialectRow, 9> k_dialects = {{
    {Dialect::CiscoIos, "Cisco IOS", read_ios, LabelStyle::Cisco},
    {Dialect::NxOs, "Cisco NX-OS", read_nxos, LabelStyle::Cisco},
    {Dialect::ArubaOs, "ArubaOS-Switch", import_detail::read_aruba, LabelStyle::AsWritten},
    {Dialect::Comware, "Comware", import_detail::read_comware, LabelStyle::Comware},
    {Dialect::Junos, "Junos", import_detail::read_junos, LabelStyle::AsWritten},
    {Dialect::FastIron, "Ruckus FastIron", import_detail::read_fastiron, LabelStyle::Numbers},
    {Dialect::Vrp, "Huawei VRP", import_detail::read_vrp, LabelStyle::Comware},
    {Dialect::RouterOs, "MikroTik RouterOS", import_detail::read_routeros, LabelStyle::AsWritten},
    {Dialect::Exos, "Extreme EXOS", import_detail::read_exos, LabelStyle::AsWritten},
}};

const DialectRow* row_of(Dialect dialect) {
    for (const DialectRow& row : k_dialects)
        if (row.dialect == dialect) return &row;
    return nullptr;
}

} // namespace

Dialect detect_dialect(std::string_view text) {
    Scores s;
    import_detail::Lines lines(text);
    for (Line line; lines.next(line);) score_line(line.content, s);
    const std::array<std::pair<int, Dialect>, 9> ranked = {{
        {s.ios, Dialect::CiscoIos},
        {s.nxos, Dialect::NxOs},
        {s.aruba, Dialect::ArubaOs},
        {s.comware, Dialect::Comware},
        {s.junos, Dialect::Junos},
        {s.fastiron, Dialect::FastIron},
        {s.vrp, Dialect::Vrp},
        {s.routeros, Dialect::RouterOs},
        {s.exos, Dialect::Exos},
    }};
    // Ties go to the dialect listed first, the more common one.
    std::pair<int, Dialect> best{0, Dialect::Unknown};
    for (const auto& entry : ranked)
        if (entry.first > best.first) best = entry;
    return best.second;
}

ImportResult import_config(std::string_view text, std::optional<Dialect> dialect) {
    Dialect chosen = dialect.value_or(detect_dialect(text));
    import_detail::Collector out(chosen);
    if (const DialectRow* row = row_of(chosen)) row->read(text, out);
    return out.finish();
}

std::string_view dialect_title(Dialect dialect) {
    const DialectRow* row = row_of(dialect);
    return row ? row->title : "unknown";
}

std::optional<Dialect> parse_dialect_name(std::string_view name) {
    struct Row {
        std::string_view name;
        Dialect dialect;
    };
    static constexpr std::array<Row, 20> k_names = {{
        {"ios", Dialect::CiscoIos},     {"ios-xe", Dialect::CiscoIos},   {"eos", Dialect::CiscoIos},
        {"nxos", Dialect::NxOs},        {"nx-os", Dialect::NxOs},        {"aruba", Dialect::ArubaOs},
        {"procurve", Dialect::ArubaOs}, {"comware", Dialect::Comware},   {"h3c", Dialect::Comware},
        {"junos", Dialect::Junos},      {"fastiron", Dialect::FastIron}, {"ruckus", Dialect::FastIron},
        {"icx", Dialect::FastIron},     {"brocade", Dialect::FastIron},  {"vrp", Dialect::Vrp},
        {"huawei", Dialect::Vrp},       {"routeros", Dialect::RouterOs}, {"mikrotik", Dialect::RouterOs},
        {"exos", Dialect::Exos},        {"extreme", Dialect::Exos},
    }};
    for (const Row& row : k_names)
        if (iequals(row.name, name)) return row.dialect;
    return std::nullopt;
}

std::string short_label(Dialect dialect, std::string_view label) {
    struct Row {
        std::string_view family;
        std::string_view cisco;
        std::string_view comware;
    };
    static constexpr std::array<Row, 11> k_short = {{
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
    const DialectRow* row = row_of(dialect);
    LabelStyle style = row ? row->labels : LabelStyle::AsWritten;
    if (style == LabelStyle::AsWritten) return std::string(label);
    std::size_t length = 0;
    std::string_view family = import_detail::port_family(label, length);
    std::string_view number = label.substr(length);
    while (!number.empty() && (number.front() == ' ' || number.front() == '\t')) number.remove_prefix(1);
    // "ethernet 1/1/1" and "ethe 1/1/1" are the ports FastIron's users call 1/1/1.
    if (style == LabelStyle::Numbers)
        return family == "eth" && !number.empty() && digit(number.front()) ? std::string(number)
                                                                           : std::string(label);
    for (const Row& entry : k_short)
        if (entry.family == family)
            return std::string(style == LabelStyle::Cisco ? entry.cisco : entry.comware) +
                   std::string(number);
    return std::string(label);
}

bool same_port_label(std::string_view a, std::string_view b) {
    return import_detail::port_key(a) == import_detail::port_key(b);
}

} // namespace quarn
