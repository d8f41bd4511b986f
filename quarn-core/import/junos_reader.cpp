// Juniper Junos, in its curly-brace form and as `set` lines (both may be
// mixed). Both are turned into statements, the words of the path and the
// value ("interfaces ge-0/0/0 unit 0 family ethernet-switching vlan members
// data"), which one interpreter reads. VLANs are named in `vlans` and ports
// name them by name or number; `members all` means every VLAN the text
// defines. `interface-mode` (ELS) and `port-mode` (older EX) say access or
// trunk; a port without `family ethernet-switching` switches nothing. An
// interface-range's statements reach each member but where the member
// states the same itself: its own statement wins.
#include <algorithm>
#include <span>
#include <unordered_map>
#include <unordered_set>

#include "import/config_reader.hpp"

namespace quarn::import_detail {
namespace {

// An interface-range names at most this many members.
constexpr std::uint32_t k_max_range = 1024;

struct Statement {
    std::vector<std::string_view> words;
    Line line;
};

// Only these parts of a configuration say anything about ports and VLANs;
// the rest is not kept.
bool relevant(std::string_view first) {
    return first == "interfaces" || first == "vlans" || first == "system" || first == "switch-options" ||
           first == "ethernet-switching-options";
}

// Turns the text into statements. Curly blocks push their header words;
// `;` ends a statement; `[ ]` around a list is dropped; comments (`#` and
// `/* */`) and annotations are skipped; `inactive:` parts are left out.
class StatementReader {
  public:
    explicit StatementReader(std::string_view text) : text_(text) {}

    std::vector<Statement> read() {
        Lines lines(text_);
        for (Line line; lines.next(line);) {
            std::string_view c = line.content;
            if (levels_.empty() && words_.empty() && !in_comment_) {
                if (c.starts_with("set ")) {
                    set_line(line, c.substr(4), false);
                    continue;
                }
                if (c.starts_with("deactivate ")) {
                    set_line(line, c.substr(11), true);
                    continue;
                }
                if (c.starts_with("delete ") || c.starts_with("activate ") || c.starts_with("edit ") ||
                    c == "top" || c == "exit" || c == "up")
                    continue;
            }
            curly_line(line);
        }
        std::vector<Statement> kept;
        for (Statement& s : out_)
            if (!deactivated(s)) kept.push_back(std::move(s));
        return kept;
    }

  private:
    struct Level {
        std::vector<std::string_view> words;
        bool inactive = false;
    };

    void set_line(const Line& line, std::string_view rest, bool deactivate) {
        std::vector<std::string_view> words;
        for (std::string_view word : split_words(rest, true))
            if (word != "[" && word != "]") words.push_back(word);
        if (words.empty() || !relevant(words.front())) return;
        if (deactivate)
            deactivated_.push_back(std::move(words));
        else
            out_.push_back(Statement{std::move(words), line});
    }

    bool deactivated(const Statement& s) const {
        for (const auto& prefix : deactivated_)
            if (prefix.size() <= s.words.size() && std::equal(prefix.begin(), prefix.end(), s.words.begin()))
                return true;
        return false;
    }

    bool inactive_now() const {
        return std::any_of(levels_.begin(), levels_.end(), [](const Level& l) { return l.inactive; });
    }

    void emit(bool inactive) {
        if (!words_.empty() && !inactive && !inactive_now()) {
            Statement s;
            for (const Level& level : levels_)
                s.words.insert(s.words.end(), level.words.begin(), level.words.end());
            s.words.insert(s.words.end(), words_.begin(), words_.end());
            s.line = start_;
            if (relevant(s.words.front())) out_.push_back(std::move(s));
        }
        words_.clear();
        inactive_ = false;
    }

    void word(const Line& line, std::string_view w) {
        if (w == "[" || w == "]") return;
        if (words_.empty()) {
            start_ = line;
            if (w == "inactive:") {
                inactive_ = true;
                return;
            }
            if (w.size() > 1 && w.back() == ':' && (w == "protect:" || w == "replace:")) return;
        }
        words_.push_back(w);
    }

    void curly_line(const Line& line) {
        std::string_view c = line.content;
        std::size_t i = 0;
        while (i < c.size()) {
            if (in_comment_) {
                std::size_t end = c.find("*/", i);
                if (end == std::string_view::npos) return;
                in_comment_ = false;
                i = end + 2;
                continue;
            }
            char ch = c[i];
            if (ch == ' ' || ch == '\t') {
                ++i;
            } else if (ch == '#' && words_.empty()) {
                return;
            } else if (ch == '/' && i + 1 < c.size() && c[i + 1] == '*') {
                in_comment_ = true;
                i += 2;
            } else if (ch == '{') {
                levels_.push_back(Level{std::move(words_), inactive_});
                words_.clear();
                inactive_ = false;
                ++i;
            } else if (ch == ';') {
                emit(inactive_);
                ++i;
            } else if (ch == '}') {
                emit(inactive_);
                if (!levels_.empty()) levels_.pop_back();
                ++i;
            } else if (ch == '"') {
                std::size_t end = i + 1;
                while (end < c.size() && c[end] != '"') end += c[end] == '\\' ? 2 : 1;
                end = std::min(end, c.size());
                word(line, c.substr(i + 1, end - i - 1));
                i = end + 1;
            } else {
                std::size_t end = i;
                while (end < c.size() && c[end] != ' ' && c[end] != '\t' && c[end] != ';' && c[end] != '{' &&
                       c[end] != '}')
                    ++end;
                word(line, c.substr(i, end - i));
                i = end;
            }
        }
    }

    std::string_view text_;
    std::vector<Statement> out_;
    std::vector<std::vector<std::string_view>> deactivated_;
    std::vector<Level> levels_;
    std::vector<std::string_view> words_;
    Line start_;
    bool inactive_ = false;
    bool in_comment_ = false;
};

enum class IfKind : std::uint8_t { Port, Lag, Logical };

IfKind classify(std::string_view name, PortKind& kind) {
    auto family = [&](std::string_view prefix) {
        return name.size() > prefix.size() && name.starts_with(prefix) && name[prefix.size()] >= '0' &&
               name[prefix.size()] <= '9';
    };
    for (std::string_view copper : {"ge-", "fe-", "mge-"}) {
        if (family(copper)) {
            kind = PortKind::Rj45;
            return IfKind::Port;
        }
    }
    for (std::string_view fast : {"xe-", "et-", "xle-", "fte-"}) {
        if (family(fast)) {
            kind = PortKind::Sfp;
            return IfKind::Port;
        }
    }
    if (family("ae")) return IfKind::Lag;
    return IfKind::Logical;
}

std::string_view without_unit(std::string_view name) {
    std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

// ge-0/0/[0-23] and member-range ge-0/0/0 to ge-0/0/23.
std::vector<std::string> expand_member(std::string_view pattern) {
    std::size_t open = pattern.find('[');
    std::size_t close = pattern.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return {std::string(pattern)};
    std::string_view inside = pattern.substr(open + 1, close - open - 1);
    std::size_t dash = inside.find('-');
    auto from = parse_number(inside.substr(0, dash));
    auto to = dash == std::string_view::npos ? from : parse_number(inside.substr(dash + 1));
    if (!from || !to || *to < *from || *to - *from >= k_max_range) return {};
    std::vector<std::string> names;
    for (std::uint32_t n = *from; n <= *to; ++n)
        names.push_back(std::string(pattern.substr(0, open)) + std::to_string(n) +
                        std::string(pattern.substr(close + 1)));
    return names;
}

std::vector<std::string> expand_range(std::string_view from, std::string_view to) {
    std::size_t a = from.rfind('/');
    std::size_t b = to.rfind('/');
    if (a == std::string_view::npos || b == std::string_view::npos || from.substr(0, a) != to.substr(0, b))
        return {};
    auto first = parse_number(from.substr(a + 1));
    auto last = parse_number(to.substr(b + 1));
    if (!first || !last || *last < *first || *last - *first >= k_max_range) return {};
    std::vector<std::string> names;
    for (std::uint32_t n = *first; n <= *last; ++n)
        names.push_back(std::string(from.substr(0, a + 1)) + std::to_string(n));
    return names;
}

// The statement a line sets, without its value: "unit 0 family
// ethernet-switching vlan members", "description", "disable".
std::string statement_path(std::span<const std::string_view> words) {
    static constexpr std::string_view k_valued[] = {
        "description", "native-vlan-id", "interface-mode", "port-mode", "members", "802.3ad",
    };
    std::string path;
    for (std::string_view word : words) {
        if (!path.empty()) path += ' ';
        path += word;
        if (std::find(std::begin(k_valued), std::end(k_valued), word) != std::end(k_valued)) break;
    }
    return path;
}

struct PendingVlans {
    PortDraft* port;
    std::vector<std::string_view> members;
    std::optional<std::string_view> native;
    std::optional<std::string_view> voice;
    Line members_line;
    Line native_line;
    Line voice_line;
};

struct Interpreter {
    Collector& out;
    std::vector<PendingVlans> pending;
    std::unordered_map<PortDraft*, std::size_t> pending_index;
    std::unordered_map<std::string, std::uint16_t> vlan_ids; // by name
    std::vector<std::uint16_t> defined;
    struct RangeStatement {
        std::vector<std::string_view> rest;
        Line line;
    };
    std::unordered_map<std::string, std::vector<std::string>> range_members;
    std::unordered_map<std::string, std::vector<RangeStatement>> range_statements;
    std::vector<std::string> range_order;
    // What each interface states itself, kept when the text has ranges.
    bool ranges = false;
    std::unordered_map<std::string, std::unordered_set<std::string>> own_paths;

    PendingVlans& pending_of(PortDraft& port) {
        auto [it, fresh] = pending_index.emplace(&port, pending.size());
        if (fresh) pending.push_back(PendingVlans{&port, {}, {}, {}});
        return pending[it->second];
    }

    PortDraft* draft(std::string_view name) {
        PortKind kind = PortKind::Rj45;
        switch (classify(name, kind)) {
        case IfKind::Port:
            return &out.port(name, kind);
        case IfKind::Lag:
            return &out.lag(name);
        case IfKind::Logical:
            break;
        }
        return nullptr;
    }

    void interface(std::string_view name, std::span<const std::string_view> r, const Line& line) {
        PortDraft* found = draft(without_unit(name));
        if (!found || r.empty()) return;
        PortDraft& port = *found;
        auto is = [&](std::size_t i, std::string_view w) { return r.size() > i && r[i] == w; };
        if (is(0, "description") && r.size() >= 2) {
            port.description = std::string(r[1]);
        } else if (is(0, "disable") && r.size() == 1) {
            port.shutdown = true;
        } else if ((is(0, "ether-options") || is(0, "gigether-options")) && is(1, "802.3ad") &&
                   r.size() >= 3 && r[2].starts_with("ae")) {
            PortKind kind = PortKind::Rj45;
            if (classify(without_unit(name), kind) == IfKind::Port) out.join_lag(port, r[2]);
        } else if (is(0, "native-vlan-id") && r.size() == 2) {
            pending_of(port).native = r[1];
            pending_of(port).native_line = line;
        } else if (is(0, "unit") && is(2, "family") && r.size() >= 4) {
            if (r[3] == "ethernet-switching") {
                if (port.mode == Mode::Routed) port.mode = Mode::Unset;
                port.l2 = true;
                switching(port, r.subspan(4), line);
            } else if (r[3] == "inet" || r[3] == "inet6" || r[3] == "mpls" || r[3] == "iso") {
                if (!port.l2 && port.mode == Mode::Unset) port.mode = Mode::Routed;
            }
        }
    }

    void switching(PortDraft& port, std::span<const std::string_view> r, const Line& line) {
        if (r.empty()) return;
        if ((r[0] == "interface-mode" || r[0] == "port-mode") && r.size() == 2) {
            if (r[1] == "access")
                port.mode = Mode::Access;
            else if (r[1] == "trunk")
                port.mode = Mode::Trunk;
            else
                out.unread(line);
        } else if (r[0] == "vlan" && r.size() >= 3 && r[1] == "members") {
            PendingVlans& p = pending_of(port);
            p.members.insert(p.members.end(), r.begin() + 2, r.end());
            p.members_line = line;
        } else if (r[0] == "native-vlan-id" && r.size() == 2) {
            pending_of(port).native = r[1];
            pending_of(port).native_line = line;
        }
    }

    void statement(const Statement& s) {
        const auto& w = s.words;
        if (w.size() >= 3 && w[0] == "system" && w[1] == "host-name") {
            out.set_host(w[2]);
        } else if (w.size() >= 3 && w[0] == "interfaces" && w[1] == "interface-range" && w.size() >= 4) {
            std::string name(w[2]);
            if (!range_members.contains(name) && !range_statements.contains(name))
                range_order.push_back(name);
            auto& members = range_members[name];
            std::vector<std::string> named;
            if (w[3] == "member" && w.size() == 5)
                named = expand_member(w[4]);
            else if (w[3] == "member-range" && w.size() == 7 && w[5] == "to")
                named = expand_range(w[4], w[6]);
            if (!named.empty()) {
                // The members take their place in the text's order here.
                for (std::string& m : named) {
                    draft(m);
                    members.push_back(std::move(m));
                }
            } else if (w[3] == "member" || w[3] == "member-range") {
                out.unread(s.line);
            } else {
                range_statements[name].push_back(
                    RangeStatement{std::vector<std::string_view>(w.begin() + 3, w.end()), s.line});
            }
        } else if (w.size() >= 3 && w[0] == "interfaces") {
            if (ranges)
                own_paths[std::string(without_unit(w[1]))].insert(statement_path(std::span(w).subspan(2)));
            interface(w[1], std::span(w).subspan(2), s.line);
        } else if (w.size() >= 4 && w[0] == "vlans" && w[2] == "vlan-id") {
            auto id = parse_vlan_id(w[3]);
            if (!id) {
                out.unread(s.line);
                return;
            }
            vlan_ids[std::string(w[1])] = *id;
            out.define_vlan(*id, w[1]);
            defined.push_back(*id);
        } else if (w.size() >= 4 && w[0] == "vlans" && w[2] == "interface") {
            // Older EX: the VLAN lists its access ports.
            if (PortDraft* port = draft(without_unit(w[3]))) {
                PendingVlans& p = pending_of(*port);
                p.members.push_back(w[1]);
                p.members_line = s.line;
                port->l2 = true;
            }
        } else if (w.size() >= 6 && (w[0] == "switch-options" || w[0] == "ethernet-switching-options") &&
                   w[1] == "voip" && w[2] == "interface" && w[4] == "vlan") {
            if (PortDraft* port = draft(without_unit(w[3]))) {
                pending_of(*port).voice = w[5];
                pending_of(*port).voice_line = s.line;
            }
        }
    }

    std::optional<std::uint16_t> vlan_of(std::string_view word) const {
        auto it = vlan_ids.find(std::string(word));
        if (it != vlan_ids.end()) return it->second;
        if (word == "default") return std::uint16_t{1};
        return parse_vlan_id(word);
    }

    // Names, numbers, ranges (10-20) and `all`; nothing when a word is none of them.
    std::optional<VlanSet> members_of(const std::vector<std::string_view>& words) const {
        VlanSet set;
        for (std::string_view word : words) {
            if (word == "all") {
                for (std::uint16_t id : defined) set.add(id);
            } else if (auto id = vlan_of(word)) {
                set.add(*id);
            } else if (auto range = parse_dash_list(word)) {
                set.add(*range);
            } else {
                return std::nullopt;
            }
        }
        return set;
    }

    void settle() {
        for (const std::string& name : range_order) {
            for (const std::string& member : range_members[name]) {
                auto own = own_paths.find(member);
                for (const RangeStatement& r : range_statements[name]) {
                    if (own != own_paths.end() && own->second.contains(statement_path(r.rest))) continue;
                    interface(member, r.rest, r.line);
                }
            }
        }
        for (PendingVlans& p : pending) {
            PortDraft& port = *p.port;
            if (!p.members.empty()) {
                auto set = members_of(p.members);
                if (!set) {
                    out.unread(p.members_line);
                } else if (port.mode == Mode::Trunk) {
                    out.allowed(port).add(*set);
                } else {
                    // An access port is in one VLAN: the first one listed.
                    std::vector<std::uint16_t> ids = set->ids();
                    auto first = vlan_of(p.members.front());
                    if (!first && !ids.empty()) first = ids.front();
                    port.access = first;
                    if (ids.size() > 1) out.unread(p.members_line);
                }
            }
            if (p.native) {
                if (auto id = vlan_of(*p.native))
                    port.native = id;
                else
                    out.unread(p.native_line);
            }
            if (p.voice) {
                if (auto id = vlan_of(*p.voice))
                    port.voice = id;
                else
                    out.unread(p.voice_line);
            }
        }
    }
};

} // namespace

void read_junos(std::string_view text, Collector& out) {
    out.unset_mode = Mode::None;
    out.trunk_default = VlanSet{};
    out.default_vlan_name = "default";
    StatementReader reader(text);
    std::vector<Statement> statements = reader.read();
    Interpreter interpreter{out};
    interpreter.ranges = std::any_of(statements.begin(), statements.end(), [](const Statement& s) {
        return s.words.size() >= 2 && s.words[0] == "interfaces" && s.words[1] == "interface-range";
    });
    for (const Statement& s : statements) interpreter.statement(s);
    interpreter.settle();
}

} // namespace quarn::import_detail
