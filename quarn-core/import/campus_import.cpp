#include "import/campus_import.hpp"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <unordered_set>
#include <utility>

#include "common/fill.hpp"
#include "import/campus_detail.hpp"
#include "import/switch_capture.hpp"
#include "ops/lag_ops.hpp"

namespace quarn {
namespace {

using campus_detail::PortIndex;
using campus_detail::SwitchNames;

// A port of the map as (switch index, port index).
using End = PortRef;

constexpr std::size_t k_description_room = 120;

std::string file_stem(std::string_view name) {
    std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name = name.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

// The map's switch a file is about: its name exactly, else its name as a
// neighbour would be matched (unless the user named it).
std::optional<std::size_t> target_switch(const Map& map, const SwitchNames& names, std::string_view name,
                                         bool exact) {
    if (name.empty()) return std::nullopt;
    if (auto found = find_switch(map, name)) return found;
    if (exact) return std::nullopt;
    return names.find(name);
}

struct FileState {
    std::optional<std::size_t> index; // the switch, while indices hold (before placement)
    std::vector<NeighbourEntry> neighbours;
};

// What the neighbours of one port report.
struct Claims {
    std::vector<End> ends;                  // ports of the map, each once
    std::vector<std::size_t> ports_unknown; // switches of the map reported with a port they lack
    std::string first_elsewhere;            // the first other thing reported, as "system port"
    bool any = false;
};

class Campus {
  public:
    Campus(Map& map, CampusReport& report, const CampusOptions& options)
        : map_(map), report_(report), options_(options) {}

    void read_files(std::span<const CaptureFile> files);
    void resolve();
    void decide();
    void apply_links();
    void apply_peers();
    void describe_outside();
    void place() { campus_detail::place_new_switches(map_, first_new_); }

  private:
    const PortIndex& ports_of(std::size_t index);
    CampusEnd end_of(End end) const {
        const Switch& sw = map_.switches[end.switch_index];
        return CampusEnd{sw.name, sw.ports[end.port_index].label};
    }
    std::string lag_of(End end) const;
    void conflict(NeighbourConflict::Kind kind, CampusEnd at, CampusEnd says, CampusEnd other = {});

    Map& map_;
    CampusReport& report_;
    const CampusOptions& options_;
    std::size_t first_new_ = 0;
    std::vector<FileState> states_;
    SwitchNames names_;
    std::map<std::size_t, std::unique_ptr<PortIndex>> port_indices_;
    std::map<End, Claims> claims_;
    std::vector<std::pair<End, End>> pairs_; // accepted port pairs, first < second
    struct Outside {
        End at;
        std::string system;
        std::string port;
        std::vector<std::string> capabilities;
    };
    std::vector<Outside> outside_;
    std::set<std::pair<std::size_t, std::string>> lags_broken_;
    std::unordered_set<std::string> seen_; // what the report lists already
    std::map<std::pair<std::size_t, std::string>, std::set<std::pair<std::size_t, std::string>>> lag_reach_;
};

const PortIndex& Campus::ports_of(std::size_t index) {
    auto& slot = port_indices_[index];
    if (!slot) slot = std::make_unique<PortIndex>(map_.switches[index]);
    return *slot;
}

std::string Campus::lag_of(End end) const {
    const Switch& sw = map_.switches[end.switch_index];
    const std::string& label = sw.ports[end.port_index].label;
    for (const Lag& lag : sw.lags)
        if (std::find(lag.members.begin(), lag.members.end(), label) != lag.members.end()) return lag.name;
    return {};
}

void Campus::conflict(NeighbourConflict::Kind kind, CampusEnd at, CampusEnd says, CampusEnd other) {
    NeighbourConflict c{kind, std::move(at), std::move(says), std::move(other)};
    std::string key = std::to_string(static_cast<int>(kind)) + '\n' + c.at.switch_name + '\n' + c.at.port +
                      '\n' + c.says.switch_name + '\n' + c.says.port + '\n' + c.other.switch_name + '\n' +
                      c.other.port;
    if (seen_.insert(std::move(key)).second) report_.conflicts.push_back(std::move(c));
}

void Campus::read_files(std::span<const CaptureFile> files) {
    first_new_ = map_.switches.size();
    SwitchNames known;
    for (std::size_t i = 0; i < map_.switches.size(); ++i) known.add(map_.switches[i].name, i);
    std::vector<std::vector<std::string>> aliases;
    for (const CaptureFile& file : files) {
        SwitchCapture capture = read_capture(file.text);
        CampusFile done;
        done.file = file.name;
        done.configuration = import_config(capture.configuration, options_.dialect);
        done.neighbours = capture.neighbours.size();
        const ImportResult& config = done.configuration;
        bool named = !file.switch_name.empty();
        std::string name = named                          ? file.switch_name
                           : !config.host_name.empty()    ? config.host_name
                           : !capture.prompt_name.empty() ? capture.prompt_name
                                                          : file_stem(file.name);
        std::optional<std::size_t> target = target_switch(map_, known, name, named);
        FileState state;
        if (config.recognised()) {
            if (target) {
                done.applied = *import_into_switch(map_, *target, config);
                done.outcome = CampusFile::Outcome::Updated;
            } else {
                ImportResult renamed = config;
                if (named) renamed.host_name = file.switch_name;
                done.applied = import_new_switch(map_, renamed, file_stem(file.name));
                done.outcome = CampusFile::Outcome::Added;
                known.add(map_.switches[done.applied.switch_index].name, done.applied.switch_index);
            }
            state.index = done.applied.switch_index;
        } else if (capture.neighbour_output || !capture.neighbours.empty()) {
            done.outcome = target ? CampusFile::Outcome::NeighboursOnly : CampusFile::Outcome::NoSwitch;
            state.index = target;
        }
        done.switch_name = state.index ? map_.switches[*state.index].name : name;
        if (state.index) {
            state.neighbours = std::move(capture.neighbours);
            aliases.push_back({config.host_name, capture.prompt_name});
        } else {
            aliases.emplace_back();
        }
        states_.push_back(std::move(state));
        report_.files.push_back(std::move(done));
    }
    for (std::size_t i = 0; i < map_.switches.size(); ++i) names_.add(map_.switches[i].name, i);
    for (std::size_t f = 0; f < states_.size(); ++f)
        if (states_[f].index)
            for (const std::string& alias : aliases[f]) names_.add(alias, *states_[f].index);
}

void Campus::resolve() {
    for (const FileState& state : states_) {
        if (!state.index) continue;
        std::size_t a = *state.index;
        for (const NeighbourEntry& entry : state.neighbours) {
            const std::string& own = map_.switches[a].name;
            auto local = ports_of(a).find(entry.local_port);
            if (!local) {
                UnplacedNeighbour unplaced{{own, entry.local_port}, entry.remote_system, entry.remote_port};
                std::string key = "unplaced\n" + own + '\n' + entry.local_port + '\n' + entry.remote_system +
                                  '\n' + entry.remote_port;
                if (seen_.insert(std::move(key)).second) report_.unplaced.push_back(std::move(unplaced));
                continue;
            }
            End at{a, *local};
            auto b = names_.find(entry.remote_system);
            if (b && *b == a) continue; // a switch that sees itself: a loop, no link
            const PortIndex* far_ports = b ? &ports_of(*b) : nullptr;
            std::optional<std::size_t> far;
            if (far_ports) {
                far = far_ports->find(entry.remote_port);
                if (!far) far = far_ports->find(entry.remote_port_id);
                if (!far) far = far_ports->find(entry.remote_port_description);
                // A brief table cut the port's name short: the detail form, if any, tells.
                if (!far && entry.remote_port.ends_with("...")) continue;
            }
            Claims& claims = claims_[at];
            claims.any = true;
            if (!b) {
                if (claims.first_elsewhere.empty())
                    claims.first_elsewhere =
                        entry.remote_system + (entry.remote_port.empty() ? "" : " " + entry.remote_port);
                // LLDP and CDP both report a phone: it is listed once.
                std::string key = "outside\n" + std::to_string(at.switch_index) + '\n' +
                                  std::to_string(at.port_index) + '\n' + system_key(entry.remote_system) +
                                  '\n' + entry.remote_port;
                if (seen_.insert(std::move(key)).second)
                    outside_.push_back(
                        Outside{at, entry.remote_system, entry.remote_port, entry.capabilities});
                continue;
            }
            if (!far) {
                if (claims.first_elsewhere.empty())
                    claims.first_elsewhere = map_.switches[*b].name + " " + entry.remote_port;
                claims.ports_unknown.push_back(*b);
                conflict(NeighbourConflict::Kind::NoSuchPort, end_of(at),
                         CampusEnd{map_.switches[*b].name, entry.remote_port});
                continue;
            }
            End to{*b, *far};
            if (std::find(claims.ends.begin(), claims.ends.end(), to) == claims.ends.end())
                claims.ends.push_back(to);
        }
    }
}

void Campus::decide() {
    std::set<std::pair<End, End>> accepted;
    for (const auto& [at, claims] : claims_) {
        if (claims.ends.empty()) continue;
        if (claims.ends.size() > 1) {
            conflict(NeighbourConflict::Kind::Several, end_of(at), end_of(claims.ends[0]),
                     end_of(claims.ends[1]));
            continue;
        }
        End to = claims.ends.front();
        auto far = claims_.find(to);
        // The far port answers when it reports this port, or nothing, or only
        // this switch by a port name that does not resolve (a brief table's
        // interface index).
        const std::vector<std::size_t>* unknown = far == claims_.end() ? nullptr : &far->second.ports_unknown;
        bool answered = far == claims_.end() || !far->second.any ||
                        (far->second.ends.size() == 1 && far->second.ends.front() == at) ||
                        (far->second.ends.empty() &&
                         std::find(unknown->begin(), unknown->end(), at.switch_index) != unknown->end());
        if (!answered) {
            // The far port's own report decides; several of them are its own conflict.
            if (far->second.ends.size() > 1 &&
                std::find(far->second.ends.begin(), far->second.ends.end(), at) != far->second.ends.end())
                continue;
            CampusEnd other = !far->second.ends.empty() ? end_of(far->second.ends.front())
                                                        : CampusEnd{far->second.first_elsewhere, ""};
            conflict(NeighbourConflict::Kind::Disagree, end_of(at), end_of(to), other);
            continue;
        }
        accepted.insert(std::minmax(at, to));
    }
    // A port that several others claim while it says nothing itself.
    std::map<End, std::vector<End>> partners;
    for (const auto& [a, b] : accepted) {
        partners[a].push_back(b);
        partners[b].push_back(a);
    }
    for (const auto& [a, b] : accepted) {
        bool shared = false;
        for (End end : {a, b}) {
            const std::vector<End>& list = partners[end];
            if (list.size() < 2) continue;
            shared = true;
            conflict(NeighbourConflict::Kind::Shared, end_of(list[0]), end_of(end), end_of(list[1]));
        }
        if (!shared) pairs_.emplace_back(a, b);
    }
    // Pairs of LAG members belong to their LAGs.
    std::vector<std::pair<End, End>> ports;
    for (const auto& [a, b] : pairs_) {
        std::string lag_a = lag_of(a);
        std::string lag_b = lag_of(b);
        if (lag_a.empty() && lag_b.empty()) {
            ports.emplace_back(a, b);
            continue;
        }
        if (lag_a.empty() || lag_b.empty()) {
            conflict(NeighbourConflict::Kind::LagOneSide, end_of(a), end_of(b));
            if (!lag_a.empty()) lags_broken_.emplace(a.switch_index, lag_a);
            if (!lag_b.empty()) lags_broken_.emplace(b.switch_index, lag_b);
            continue;
        }
        lag_reach_[{a.switch_index, lag_a}].emplace(b.switch_index, lag_b);
        lag_reach_[{b.switch_index, lag_b}].emplace(a.switch_index, lag_a);
    }
    pairs_ = std::move(ports);
}

void Campus::apply_links() {
    // Who points at each port before anything changes, to unlink the old
    // partners of ports that are linked anew.
    std::map<std::pair<std::string, std::string>, std::vector<End>> pointing;
    for (std::size_t s = 0; s < map_.switches.size(); ++s)
        for (std::size_t p = 0; p < map_.switches[s].ports.size(); ++p)
            if (const auto& link = map_.switches[s].ports[p].link)
                pointing[{link->switch_name, link->port}].push_back(End{s, p});
    auto unlink = [&](End end) {
        Port& port = map_.switches[end.switch_index].ports[end.port_index];
        PortPeer self{map_.switches[end.switch_index].name, port.label};
        port.link.reset();
        for (End other : pointing[{self.switch_name, self.port}]) {
            auto& link = map_.switches[other.switch_index].ports[other.port_index].link;
            if (link == self) link.reset();
        }
    };
    for (const auto& [a, b] : pairs_) {
        Port& pa = map_.switches[a.switch_index].ports[a.port_index];
        Port& pb = map_.switches[b.switch_index].ports[b.port_index];
        PortPeer to_b{map_.switches[b.switch_index].name, pb.label};
        PortPeer to_a{map_.switches[a.switch_index].name, pa.label};
        CampusLink link{end_of(a), end_of(b), false, pa.link == to_b && pb.link == to_a};
        if (link.already) {
            report_.links.push_back(std::move(link));
            continue;
        }
        bool contradicted = false;
        for (auto [end, port, wanted, far] : {std::tuple{a, &pa, to_b, b}, std::tuple{b, &pb, to_a, a}}) {
            if (!port->link || *port->link == wanted) continue;
            contradicted = true;
            report_.contradictions.push_back(LinkContradiction{end_of(end),
                                                               {port->link->switch_name, port->link->port},
                                                               end_of(far),
                                                               false,
                                                               options_.replace_contradicted});
        }
        if (contradicted && !options_.replace_contradicted) continue;
        unlink(a);
        unlink(b);
        pa.link = to_b;
        pb.link = to_a;
        report_.links.push_back(std::move(link));
    }
}

void Campus::apply_peers() {
    for (const auto& [from, reach] : lag_reach_) {
        if (lags_broken_.contains(from)) continue;
        if (reach.size() > 1) {
            auto it = reach.begin();
            const auto& [s1, l1] = *it++;
            const auto& [s2, l2] = *it;
            conflict(NeighbourConflict::Kind::LagSplit, {map_.switches[from.first].name, from.second},
                     {map_.switches[s1].name, l1}, {map_.switches[s2].name, l2});
            continue;
        }
        const auto& to = *reach.begin();
        auto back = lag_reach_.find(to);
        if (!(from < to) || lags_broken_.contains(to) || back == lag_reach_.end() || back->second.size() != 1)
            continue;
        Switch& a = map_.switches[from.first];
        Switch& b = map_.switches[to.first];
        auto la = find_lag(a, from.second);
        auto lb = find_lag(b, to.second);
        if (!la || !lb) continue;
        LagPeer to_b{b.name, to.second};
        LagPeer to_a{a.name, from.second};
        const auto& peer_a = a.lags[*la].peer;
        const auto& peer_b = b.lags[*lb].peer;
        CampusLink link{{a.name, from.second}, {b.name, to.second}, true, peer_a == to_b && peer_b == to_a};
        if (link.already) {
            report_.links.push_back(std::move(link));
            continue;
        }
        bool contradicted = false;
        if (peer_a && *peer_a != to_b) {
            contradicted = true;
            report_.contradictions.push_back(LinkContradiction{
                link.a, {peer_a->switch_name, peer_a->lag}, link.b, true, options_.replace_contradicted});
        }
        if (peer_b && *peer_b != to_a) {
            contradicted = true;
            report_.contradictions.push_back(LinkContradiction{
                link.b, {peer_b->switch_name, peer_b->lag}, link.a, true, options_.replace_contradicted});
        }
        if (contradicted && !options_.replace_contradicted) continue;
        set_lag_peer(map_, from.first, from.second, to_b);
        report_.links.push_back(std::move(link));
    }
}

void Campus::describe_outside() {
    std::map<End, std::string> texts;
    for (const Outside& o : outside_) {
        std::string& text = texts[o.at];
        // A port with a crowd behind it (a hub, a hypervisor) names the first few.
        if (text.size() > k_description_room) continue;
        if (!text.empty()) text += ", ";
        text += o.system;
        if (!o.port.empty()) text += " " + o.port;
    }
    std::set<End> described;
    if (options_.describe_outside)
        for (const auto& [at, text] : texts) {
            Port& port = map_.switches[at.switch_index].ports[at.port_index];
            if (!port.description.empty()) continue;
            port.description = text;
            described.insert(at);
        }
    for (const Outside& o : outside_)
        report_.outside.push_back(
            OutsideNeighbour{end_of(o.at), o.system, o.port, o.capabilities, described.contains(o.at)});
}

std::string end_text(const CampusEnd& end) {
    return end.port.empty() ? end.switch_name : end.switch_name + " " + end.port;
}

} // namespace

bool CampusReport::recognised() const {
    return std::any_of(files.begin(), files.end(), [](const CampusFile& file) {
        return file.outcome == CampusFile::Outcome::Added || file.outcome == CampusFile::Outcome::Updated ||
               file.outcome == CampusFile::Outcome::NeighboursOnly;
    });
}

std::size_t CampusReport::count(CampusFile::Outcome outcome) const {
    return static_cast<std::size_t>(std::count_if(
        files.begin(), files.end(), [&](const CampusFile& file) { return file.outcome == outcome; }));
}

std::size_t CampusReport::links_made() const {
    return static_cast<std::size_t>(
        std::count_if(links.begin(), links.end(), [](const CampusLink& link) { return !link.already; }));
}

CampusImport import_campus(const Map& map, std::span<const CaptureFile> files, const CampusOptions& options) {
    CampusImport result{map, {}};
    Campus campus(result.map, result.report, options);
    campus.read_files(files);
    campus.resolve();
    campus.decide();
    campus.apply_links();
    campus.apply_peers();
    campus.describe_outside();
    campus.place();
    return result;
}

std::string campus_link_text(const CampusLink& link) {
    return (link.lag ? "LAG " : "") + end_text(link.a) + " \xE2\x86\x94 " + end_text(link.b);
}

std::string conflict_message(const NeighbourConflict& c) {
    const std::string at = end_text(c.at);
    const std::string says = end_text(c.says);
    const std::string other = end_text(c.other);
    switch (c.kind) {
    case NeighbourConflict::Kind::Disagree:
        return fill("{} reports {}, but {} reports {}.", {at, says, says, other});
    case NeighbourConflict::Kind::Several:
        return fill("{} reports both {} and {}.", {at, says, other});
    case NeighbourConflict::Kind::Shared:
        return fill("{} and {} both report {}.", {at, other, says});
    case NeighbourConflict::Kind::NoSuchPort:
        return fill("{} reports {} port {}, which {} does not have.",
                    {at, c.says.switch_name, c.says.port, c.says.switch_name});
    case NeighbourConflict::Kind::LagOneSide:
        return fill("{} and {} reach each other, but only one of them is in a LAG.", {at, says});
    case NeighbourConflict::Kind::LagSplit:
        return fill("LAG {} reaches both LAG {} and LAG {}.", {at, says, other});
    }
    return {};
}

std::string contradiction_message(const LinkContradiction& c) {
    const char* pattern = c.lag ? "LAG {} is peered with LAG {}, but its neighbours report LAG {}: {}."
                                : "{} is linked to {}, but its neighbours report {}: {}.";
    return fill(pattern, {end_text(c.end), end_text(c.linked_to), end_text(c.reported),
                          c.replaced ? "replaced" : "kept"});
}

std::string outside_text(const OutsideNeighbour& outside) {
    return end_text(outside.at) + " \xE2\x86\x92 " + outside.system +
           (outside.port.empty() ? "" : " " + outside.port);
}

std::string unplaced_text(const UnplacedNeighbour& unplaced) {
    return end_text(unplaced.at) + " \xE2\x86\x92 " + unplaced.system +
           (unplaced.port.empty() ? "" : " " + unplaced.port);
}

} // namespace quarn
