// HPE ArubaOS-Switch and ProCurve: VLAN-centric. Each `vlan` block lists
// the ports it runs over untagged and tagged (`untagged 1-24`, `tagged
// 49-52,Trk1`); `trunk 49-50 trk1 lacp` makes ports members of a LAG, which
// the VLAN blocks then name instead of its members; `interface` blocks hold
// only names and `disable`.
#include <algorithm>
#include <array>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

// A range names at most this many ports; longer ones are typing mistakes.
constexpr std::uint32_t k_max_range = 1024;

struct PortName {
    std::string prefix; // "", "A", "1/", "1/A", "Trk"
    std::uint32_t number = 0;
};

std::optional<PortName> split_name(std::string_view text) {
    std::size_t end = text.size();
    std::size_t start = end;
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9') --start;
    auto number = parse_number(text.substr(start));
    if (!number) return std::nullopt;
    PortName name;
    for (char c : text.substr(0, start)) {
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && c != '/' && !(c >= '0' && c <= '9')) return std::nullopt;
        name.prefix += c;
    }
    // Module letters are written in capitals, LAGs as Trk.
    if (iequals(name.prefix, "trk"))
        name.prefix = "Trk";
    else
        for (char& c : name.prefix)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    name.number = *number;
    return name;
}

// "1-24,A1-A4,Trk1": the names, or nothing when a part is no port name.
std::optional<std::vector<std::string>> parse_ports(std::string_view text) {
    std::vector<std::string> names;
    for (std::string_view part : split_words(text)) {
        while (!part.empty()) {
            std::size_t comma = part.find(',');
            std::string_view item = part.substr(0, comma);
            part = comma == std::string_view::npos ? std::string_view{} : part.substr(comma + 1);
            if (item.empty()) continue;
            std::size_t dash = item.find('-');
            auto from = split_name(item.substr(0, dash));
            if (!from) return std::nullopt;
            if (dash == std::string_view::npos) {
                names.push_back(from->prefix + std::to_string(from->number));
                continue;
            }
            auto to = split_name(item.substr(dash + 1));
            if (!to) return std::nullopt;
            if (to->prefix.empty()) to->prefix = from->prefix; // A1-4
            if (to->prefix != from->prefix || to->number < from->number ||
                to->number - from->number >= k_max_range)
                return std::nullopt;
            for (std::uint32_t n = from->number; n <= to->number; ++n)
                names.push_back(from->prefix + std::to_string(n));
        }
    }
    if (names.empty()) return std::nullopt;
    return names;
}

bool is_lag(std::string_view name) {
    return name.starts_with("Trk");
}

struct Reader {
    Collector& out;
    enum class Block : std::uint8_t { None, Port, Vlan, Skip };
    Block block = Block::None;
    std::size_t block_indent = 0;
    std::vector<std::string> block_ports;
    std::uint16_t vlan = 0;
    bool saw_vlan_1 = false;

    PortDraft& item(const std::string& name) {
        PortDraft& draft = is_lag(name) ? out.lag(name) : out.port(name, PortKind::Rj45);
        if (draft.mode == Mode::Unset) draft.mode = Mode::Direct;
        return draft;
    }

    void vlan_line(const Line& line, std::string_view content) {
        std::vector<std::string_view> w = split_words(content, true);
        if (w.empty()) return;
        bool no = iequals(w[0], "no");
        std::size_t at = no ? 1 : 0;
        if (w.size() <= at) return;
        if (iequals(w[at], "name") && !no && w.size() >= 2) {
            out.define_vlan(vlan, w[1]);
            return;
        }
        bool untagged = iequals(w[at], "untagged");
        if (!untagged && !iequals(w[at], "tagged")) return; // ip, voice, jumbo: nothing for the map
        auto ports = parse_ports(after_words(content, at + 1));
        if (!ports) {
            out.unread(line);
            return;
        }
        for (const std::string& name : *ports) {
            PortDraft& draft = item(name);
            if (untagged) {
                // A port is untagged in one VLAN only; the first one named wins.
                if (!no && !draft.pvid) draft.pvid = vlan;
                if (no && draft.pvid == vlan) draft.pvid.reset();
            } else if (no) {
                draft.tagged.remove(vlan);
            } else {
                draft.tagged.add(vlan);
            }
        }
    }

    void port_line(const Line& line, std::string_view content) {
        std::vector<std::string_view> w = split_words(content, true);
        if (w.empty()) return;
        auto is = [&](std::size_t i, std::string_view word) { return w.size() > i && iequals(w[i], word); };
        for (const std::string& name : block_ports) {
            PortDraft& draft = item(name);
            if (is(0, "name") && w.size() >= 2)
                draft.description = std::string(w[1]);
            else if (is(0, "disable") && w.size() == 1)
                draft.shutdown = true;
            else if (is(0, "enable") && w.size() == 1)
                draft.shutdown = false;
            else if ((is(0, "untagged") || is(0, "tagged")) && is(1, "vlan") && w.size() == 3) {
                auto ids = parse_dash_list(w[2]);
                if (!ids) {
                    out.unread(line);
                    return;
                }
                if (is(0, "untagged"))
                    draft.pvid = ids->ids().front();
                else
                    draft.tagged.add(*ids);
            } else {
                static constexpr std::array<std::string_view, 20> k_ignored = {
                    "speed-duplex",    "flow-control", "lacp",          "power-over-ethernet",
                    "poe-allocate-by", "poe-priority", "spanning-tree", "bandwidth-min",
                    "broadcast-limit", "mdix-mode",    "lldp",          "loop-protect",
                    "rate-limit",      "qos",          "unknown-vlans", "aaa",
                    "monitor",         "ip",           "ipv6",          "no",
                };
                if (!iequals_any(k_ignored, w[0])) out.unread(line);
                return; // one message per line, not per port
            }
        }
    }

    void top(const Line& line) {
        std::vector<std::string_view> w = split_words(line.content, true);
        block = Block::Skip;
        block_indent = line.indent;
        if (iequals(w[0], "hostname") && w.size() >= 2) {
            out.set_host(w[1]);
        } else if (iequals(w[0], "trunk") && w.size() >= 3) {
            auto ports = parse_ports(w[1]);
            auto lag = split_name(w[2]);
            if (!ports || !lag || lag->prefix != "Trk") {
                out.unread(line);
                return;
            }
            std::string name = "Trk" + std::to_string(lag->number);
            item(name);
            for (const std::string& port : *ports) {
                if (is_lag(port)) continue;
                out.join_lag(item(port), name);
            }
        } else if (iequals(w[0], "interface") && w.size() >= 2) {
            auto ports = parse_ports(w[1]);
            if (!ports) {
                out.unread(line);
                return;
            }
            block = Block::Port;
            block_ports = std::move(*ports);
            for (const std::string& name : block_ports) item(name);
            std::string_view rest = after_words(line.content, 2);
            if (!rest.empty()) port_line(line, rest);
        } else if (iequals(w[0], "vlan") && w.size() >= 2) {
            auto id = parse_vlan_id(w[1]);
            if (!id) {
                out.unread(line);
                return;
            }
            block = Block::Vlan;
            vlan = *id;
            if (vlan == 1) saw_vlan_1 = true;
            out.define_vlan(vlan, "");
            std::string_view rest = after_words(line.content, 2);
            if (!rest.empty()) vlan_line(line, rest);
        }
    }

    void read(std::string_view text) {
        Lines lines(text);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (c.front() == ';' || c.front() == '#' || c.front() == '!') continue;
            if (iequals(c, "exit")) {
                block = Block::None;
                continue;
            }
            std::vector<std::string_view> w = split_words(c, true);
            std::string_view first = iequals(w[0], "no") && w.size() > 1 ? w[1] : w[0];
            bool inside = block != Block::None && line.indent > block_indent;
            if (!inside && block == Block::Vlan)
                inside = iequals(first, "untagged") || iequals(first, "tagged") || iequals(first, "name");
            if (!inside && block == Block::Port) inside = iequals(first, "name") || iequals(first, "disable");
            if (!inside) {
                top(line);
                continue;
            }
            if (block == Block::Vlan)
                vlan_line(line, c);
            else if (block == Block::Port)
                port_line(line, c);
        }
    }
};

} // namespace

void read_aruba(std::string_view text, Collector& out) {
    out.unset_mode = Mode::Direct;
    out.default_vlan_name = "DEFAULT_VLAN";
    out.vlan_name_prefix = "VLAN";
    out.vlan_name_digits = 0;
    out.sort_ports = true;
    Reader reader{out};
    reader.read(text);
    // Without a `vlan 1` block every port stays in the default VLAN that it
    // starts in; with one, that block says which ports are in it.
    if (!reader.saw_vlan_1)
        out.each_draft([](PortDraft& draft) {
            if (!draft.pvid && !draft.tagged.has(1)) draft.pvid = 1;
        });
}

} // namespace quarn::import_detail
