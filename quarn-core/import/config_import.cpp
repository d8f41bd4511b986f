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
};

bool digit(char c) {
    return c >= '0' && c <= '9';
}

void score_line(std::string_view c, Scores& s) {
    if (c.starts_with("set interfaces ") || c.starts_with("set vlans ") || c.starts_with("set system "))
        s.junos += 3;
    if (c == "interfaces {" || c == "system {" || c == "vlans {" || c.starts_with("## Last commit"))
        s.junos += 5;
    if (c.find("family ethernet-switching") != std::string_view::npos) s.junos += 3;

    if (c.starts_with("sysname ") || c.starts_with("port link-type ") ||
        c.starts_with("port trunk permit vlan") || c.starts_with("port hybrid ") ||
        c.starts_with("interface Bridge-Aggregation") || c.starts_with("interface Vlan-interface") ||
        c.starts_with("interface Ten-GigabitEthernet") || c.starts_with("interface M-GigabitEthernet"))
        s.comware += 4;
    if (c == "#" || c == "return" || c.starts_with("undo ")) s.comware += 1;

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
    }
    if (c == "!") s.ios += 1;
}

} // namespace

Dialect detect_dialect(std::string_view text) {
    Scores s;
    import_detail::Lines lines(text);
    for (Line line; lines.next(line);) score_line(line.content, s);
    const std::array<std::pair<int, Dialect>, 5> ranked = {{
        {s.ios, Dialect::CiscoIos},
        {s.nxos, Dialect::NxOs},
        {s.aruba, Dialect::ArubaOs},
        {s.comware, Dialect::Comware},
        {s.junos, Dialect::Junos},
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
    switch (chosen) {
    case Dialect::CiscoIos:
        import_detail::read_cisco(text, out, false);
        break;
    case Dialect::NxOs:
        import_detail::read_cisco(text, out, true);
        break;
    case Dialect::ArubaOs:
        import_detail::read_aruba(text, out);
        break;
    case Dialect::Comware:
        import_detail::read_comware(text, out);
        break;
    case Dialect::Junos:
        import_detail::read_junos(text, out);
        break;
    case Dialect::Unknown:
        break;
    }
    return out.finish();
}

std::string_view dialect_title(Dialect dialect) {
    switch (dialect) {
    case Dialect::CiscoIos:
        return "Cisco IOS";
    case Dialect::NxOs:
        return "Cisco NX-OS";
    case Dialect::ArubaOs:
        return "ArubaOS-Switch";
    case Dialect::Comware:
        return "Comware";
    case Dialect::Junos:
        return "Junos";
    case Dialect::Unknown:
        break;
    }
    return "unknown";
}

std::optional<Dialect> parse_dialect_name(std::string_view name) {
    struct Row {
        std::string_view name;
        Dialect dialect;
    };
    static constexpr std::array<Row, 10> k_names = {{
        {"ios", Dialect::CiscoIos},
        {"ios-xe", Dialect::CiscoIos},
        {"eos", Dialect::CiscoIos},
        {"nxos", Dialect::NxOs},
        {"nx-os", Dialect::NxOs},
        {"aruba", Dialect::ArubaOs},
        {"procurve", Dialect::ArubaOs},
        {"comware", Dialect::Comware},
        {"h3c", Dialect::Comware},
        {"junos", Dialect::Junos},
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
    bool cisco = dialect == Dialect::CiscoIos || dialect == Dialect::NxOs;
    if (!cisco && dialect != Dialect::Comware) return std::string(label);
    std::size_t length = 0;
    std::string_view family = import_detail::port_family(label, length);
    for (const Row& row : k_short)
        if (row.family == family)
            return std::string(cisco ? row.cisco : row.comware) + std::string(label.substr(length));
    return std::string(label);
}

bool same_port_label(std::string_view a, std::string_view b) {
    return import_detail::port_key(a) == import_detail::port_key(b);
}

} // namespace quarn
