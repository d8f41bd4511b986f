#include "compare/compare_maps.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "compare/value_text.hpp"

namespace quarn {
namespace {

constexpr std::size_t k_none = static_cast<std::size_t>(-1);

// Which record of one list is which record of the other.
struct Matching {
    std::vector<std::size_t> new_for_old;
    std::vector<std::size_t> old_for_new;
};

enum class Leftovers { Unmatched, PairedByPosition };

// The k-th old record with a key is the k-th new record with it. Records
// left over on both sides at the same position may be paired too: the same
// record under a new name.
template <class Key>
Matching match(const std::vector<Key>& old_keys, const std::vector<Key>& new_keys, Leftovers leftovers) {
    Matching m{std::vector<std::size_t>(old_keys.size(), k_none),
               std::vector<std::size_t>(new_keys.size(), k_none)};
    // Nearly every compared list is the same on both sides.
    if (old_keys == new_keys) {
        for (std::size_t i = 0; i < old_keys.size(); ++i) m.new_for_old[i] = m.old_for_new[i] = i;
        return m;
    }
    std::unordered_map<Key, std::vector<std::size_t>> bearers;
    for (std::size_t j = new_keys.size(); j-- > 0;) bearers[new_keys[j]].push_back(j);
    for (std::size_t i = 0; i < old_keys.size(); ++i) {
        auto found = bearers.find(old_keys[i]);
        if (found == bearers.end() || found->second.empty()) continue;
        std::size_t j = found->second.back();
        found->second.pop_back();
        m.new_for_old[i] = j;
        m.old_for_new[j] = i;
    }
    if (leftovers == Leftovers::PairedByPosition) {
        for (std::size_t i = 0; i < old_keys.size() && i < new_keys.size(); ++i) {
            if (m.new_for_old[i] == k_none && m.old_for_new[i] == k_none)
                m.new_for_old[i] = m.old_for_new[i] = i;
        }
    }
    return m;
}

enum class Side { Old, New };

// One field of a record that exists on one side only; a value that is not
// set is left out.
void put_value(std::vector<FieldChange>& fields, Side side, ChangeField which,
               std::optional<std::string>& value) {
    if (!value) return;
    FieldChange f{which, {}, {}, {}, {}};
    (side == Side::New ? f.new_value : f.old_value) = std::move(*value);
    fields.push_back(std::move(f));
}

// The matched records of the new list that left the order of the others:
// those outside one longest run (in new order) whose old positions rise. Of
// the longest runs, one that keeps the most records at their own position
// wins, so that reversing three records moves two, not "2 -> 2".
std::vector<bool> moved_records(const Matching& m) {
    std::vector<bool> moved(m.old_for_new.size(), false);
    std::vector<std::size_t> sequence; // new positions of matched records
    for (std::size_t j = 0; j < m.old_for_new.size(); ++j)
        if (m.old_for_new[j] != k_none) sequence.push_back(j);
    const auto old_of = [&](std::size_t k) { return m.old_for_new[sequence[k]]; };
    bool rising = true;
    for (std::size_t k = 1; k < sequence.size() && rising; ++k) rising = old_of(k - 1) < old_of(k);
    if (rising) return moved;

    // Heaviest rising run by a Fenwick tree of prefix maxima over old
    // positions: a record weighs more than all bonuses for staying put
    // together, so length comes first.
    struct Best {
        std::uint64_t weight = 0;
        std::size_t k = k_none;
    };
    const std::uint64_t record_weight = sequence.size() + 1;
    std::vector<Best> tree(m.new_for_old.size() + 1);
    std::vector<std::size_t> before(sequence.size(), k_none);
    Best overall;
    for (std::size_t k = 0; k < sequence.size(); ++k) {
        Best prefix;
        for (std::size_t at = old_of(k); at > 0; at -= at & (~at + 1))
            if (tree[at].weight > prefix.weight) prefix = tree[at];
        const std::uint64_t bonus = old_of(k) == sequence[k] ? 1 : 0;
        Best here{prefix.weight + record_weight + bonus, k};
        before[k] = prefix.k;
        if (here.weight > overall.weight) overall = here;
        for (std::size_t at = old_of(k) + 1; at < tree.size(); at += at & (~at + 1))
            if (here.weight > tree[at].weight) tree[at] = here;
    }
    for (std::size_t k = 0; k < sequence.size(); ++k) moved[sequence[k]] = true;
    for (std::size_t k = overall.k; k != k_none; k = before[k]) moved[sequence[k]] = false;
    return moved;
}

std::vector<std::string_view> port_labels(const Switch& sw) {
    std::vector<std::string_view> labels;
    labels.reserve(sw.ports.size());
    for (const Port& port : sw.ports) labels.push_back(port.label);
    return labels;
}

template <class Record>
std::vector<std::string_view> names_of(const std::vector<Record>& records) {
    std::vector<std::string_view> names;
    names.reserve(records.size());
    for (const Record& record : records) names.push_back(record.name);
    return names;
}

std::optional<std::string> text_or_none(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return text;
}

std::optional<std::string> number_text(std::optional<std::uint16_t> value) {
    if (!value) return std::nullopt;
    return std::to_string(*value);
}

std::optional<std::string> list_or_none(const std::vector<std::uint16_t>& ids) {
    if (ids.empty()) return std::nullopt;
    return vlan_list_text(ids);
}

std::optional<std::string> link_text(const std::optional<PortPeer>& link) {
    if (!link) return std::nullopt;
    return port_peer_text(*link);
}

std::optional<std::string> peer_text(const std::optional<LagPeer>& peer) {
    if (!peer) return std::nullopt;
    return lag_peer_text(*peer);
}

std::optional<std::string> members_or_none(const std::vector<std::string>& members) {
    if (members.empty()) return std::nullopt;
    return members_text(members);
}

// NaN gaps would make a map differ from its own copy.
bool same_groups(const std::vector<PortGroup>& a, const std::vector<PortGroup>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PortGroup& x, const PortGroup& y) {
        const bool gap = x.gap_after == y.gap_after || (std::isnan(x.gap_after) && std::isnan(y.gap_after));
        return gap && x.kind == y.kind && x.columns == y.columns && x.rows == y.rows &&
               x.numbering == y.numbering && x.block == y.block;
    });
}

std::vector<std::uint16_t> sorted_set(std::vector<std::uint16_t> ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

std::vector<std::uint16_t> set_minus(const std::vector<std::uint16_t>& a,
                                     const std::vector<std::uint16_t>& b) {
    std::vector<std::uint16_t> out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

class Comparer {
  public:
    Comparer(const Map& before, const Map& after) : a_(before), b_(after) {
        switches_ = match(names_of(a_.switches), names_of(b_.switches), Leftovers::PairedByPosition);
        ports_.resize(a_.switches.size());
        lags_.resize(a_.switches.size());
        for (std::size_t i = 0; i < a_.switches.size(); ++i) {
            std::size_t j = switches_.new_for_old[i];
            if (j == k_none) continue;
            const Switch& x = a_.switches[i];
            const Switch& y = b_.switches[j];
            ports_[i] = match(port_labels(x), port_labels(y), Leftovers::PairedByPosition);
            lags_[i] = match(names_of(x.lags), names_of(y.lags), Leftovers::PairedByPosition);
        }
    }

    std::vector<Change> run() {
        compare_header();
        compare_vlans();
        compare_switches();
        return std::move(out_);
    }

  private:
    void add(Change::Kind kind, ChangePlace place, std::vector<FieldChange> fields) {
        if (kind == Change::Kind::Changed && fields.empty()) return;
        out_.push_back(Change{kind, std::move(place), std::move(fields)});
    }

    static void field(std::vector<FieldChange>& fields, ChangeField which,
                      std::optional<std::string> old_value, std::optional<std::string> new_value) {
        if (old_value == new_value) return;
        fields.push_back(FieldChange{which, std::move(old_value), std::move(new_value), {}, {}});
    }

    static void position(std::vector<FieldChange>& fields, std::size_t old_index, std::size_t new_index) {
        fields.push_back(FieldChange{
            ChangeField::Position, std::to_string(old_index + 1), std::to_string(new_index + 1), {}, {}});
    }

    void compare_header() {
        std::vector<FieldChange> fields;
        field(fields, ChangeField::Format, std::to_string(a_.format), std::to_string(b_.format));
        field(fields, ChangeField::Site, a_.site, b_.site);
        field(fields, ChangeField::Notes, a_.notes, b_.notes);
        add(Change::Kind::Changed, ChangePlace{}, std::move(fields));
    }

    static std::vector<FieldChange> vlan_values(const Vlan& vlan, Side side) {
        std::vector<FieldChange> fields;
        auto put = [&](ChangeField which, std::optional<std::string> value) {
            put_value(fields, side, which, value);
        };
        put(ChangeField::Name, vlan.name);
        put(ChangeField::Color, rgb_text(vlan.color));
        return fields;
    }

    void compare_vlans() {
        std::vector<std::uint16_t> old_ids;
        std::vector<std::uint16_t> new_ids;
        for (const Vlan& vlan : a_.vlans) old_ids.push_back(vlan.id);
        for (const Vlan& vlan : b_.vlans) new_ids.push_back(vlan.id);
        Matching m = match(old_ids, new_ids, Leftovers::Unmatched);
        auto place = [](std::uint16_t id) { return ChangePlace{PlaceKind::Vlan, id, {}, {}}; };
        for (std::size_t i = 0; i < a_.vlans.size(); ++i)
            if (m.new_for_old[i] == k_none)
                add(Change::Kind::Removed, place(a_.vlans[i].id), vlan_values(a_.vlans[i], Side::Old));
        std::vector<bool> moved = moved_records(m);
        for (std::size_t j = 0; j < b_.vlans.size(); ++j) {
            const Vlan& now = b_.vlans[j];
            std::size_t i = m.old_for_new[j];
            if (i == k_none) {
                add(Change::Kind::Added, place(now.id), vlan_values(now, Side::New));
                continue;
            }
            const Vlan& was = a_.vlans[i];
            std::vector<FieldChange> fields;
            field(fields, ChangeField::Name, was.name, now.name);
            field(fields, ChangeField::Color, rgb_text(was.color), rgb_text(now.color));
            if (moved[j]) position(fields, i, j);
            add(Change::Kind::Changed, place(now.id), std::move(fields));
        }
    }

    static std::vector<FieldChange> switch_values(const Switch& sw, Side side) {
        std::vector<FieldChange> fields;
        auto put = [&](ChangeField which, std::optional<std::string> value) {
            put_value(fields, side, which, value);
        };
        put(ChangeField::Location, text_or_none(sw.location));
        put(ChangeField::Model, text_or_none(sw.model));
        put(ChangeField::Layout, layout_text(sw.groups));
        return fields;
    }

    void compare_switches() {
        auto place = [](const std::string& name) { return ChangePlace{PlaceKind::Switch, 0, name, {}}; };
        for (std::size_t i = 0; i < a_.switches.size(); ++i)
            if (switches_.new_for_old[i] == k_none)
                add(Change::Kind::Removed, place(a_.switches[i].name),
                    switch_values(a_.switches[i], Side::Old));
        std::vector<bool> moved = moved_records(switches_);
        for (std::size_t j = 0; j < b_.switches.size(); ++j) {
            const Switch& now = b_.switches[j];
            std::size_t i = switches_.old_for_new[j];
            if (i == k_none) {
                add(Change::Kind::Added, place(now.name), switch_values(now, Side::New));
                continue;
            }
            const Switch& was = a_.switches[i];
            std::vector<FieldChange> fields;
            field(fields, ChangeField::Name, was.name, now.name);
            if (moved[j]) position(fields, i, j);
            if (was == now) {
                add(Change::Kind::Changed, place(now.name), std::move(fields));
                continue;
            }
            field(fields, ChangeField::Location, was.location, now.location);
            field(fields, ChangeField::Model, was.model, now.model);
            if (!same_groups(was.groups, now.groups))
                fields.push_back(FieldChange{
                    ChangeField::Layout, layout_text(was.groups), layout_text(now.groups), {}, {}});
            add(Change::Kind::Changed, place(now.name), std::move(fields));
            compare_ports(i, j);
            compare_lags(i, j);
        }
    }

    static std::vector<FieldChange> port_values(const Port& port, Side side) {
        std::vector<FieldChange> fields;
        auto put = [&](ChangeField which, std::optional<std::string> value) {
            put_value(fields, side, which, value);
        };
        put(ChangeField::Untagged, number_text(port.untagged));
        put(ChangeField::Tagged, list_or_none(port.tagged));
        put(ChangeField::Description, text_or_none(port.description));
        if (port.disabled) put(ChangeField::Disabled, "yes");
        put(ChangeField::Link, link_text(port.link));
        return fields;
    }

    // Where a link of the old map leads when it follows the renames of
    // switches and ports.
    PortPeer follow(const PortPeer& link) const {
        auto i = find_switch(a_, link.switch_name);
        if (!i || switches_.new_for_old[*i] == k_none) return link;
        const Switch& now = b_.switches[switches_.new_for_old[*i]];
        PortPeer mapped{now.name, link.port};
        if (auto p = find_port(a_.switches[*i], link.port)) {
            std::size_t q = ports_[*i].new_for_old[*p];
            if (q != k_none) mapped.port = now.ports[q].label;
        }
        return mapped;
    }

    LagPeer follow(const LagPeer& peer) const {
        auto i = find_switch(a_, peer.switch_name);
        if (!i || switches_.new_for_old[*i] == k_none) return peer;
        const Switch& now = b_.switches[switches_.new_for_old[*i]];
        LagPeer mapped{now.name, peer.lag};
        if (auto l = find_lag(a_.switches[*i], peer.lag)) {
            std::size_t k = lags_[*i].new_for_old[*l];
            if (k != k_none) mapped.lag = now.lags[k].name;
        }
        return mapped;
    }

    void compare_ports(std::size_t i, std::size_t j) {
        const Switch& x = a_.switches[i];
        const Switch& y = b_.switches[j];
        const Matching& m = ports_[i];
        for (std::size_t p = 0; p < x.ports.size(); ++p)
            if (m.new_for_old[p] == k_none)
                add(Change::Kind::Removed, ChangePlace{PlaceKind::Port, 0, x.name, x.ports[p].label},
                    port_values(x.ports[p], Side::Old));
        std::vector<bool> moved = moved_records(m);
        for (std::size_t q = 0; q < y.ports.size(); ++q) {
            const Port& now = y.ports[q];
            ChangePlace place{PlaceKind::Port, 0, y.name, now.label};
            std::size_t p = m.old_for_new[q];
            if (p == k_none) {
                add(Change::Kind::Added, std::move(place), port_values(now, Side::New));
                continue;
            }
            const Port& was = x.ports[p];
            if (was == now && !moved[q]) continue;
            std::vector<FieldChange> fields;
            field(fields, ChangeField::Label, was.label, now.label);
            if (moved[q]) position(fields, p, q);
            field(fields, ChangeField::Untagged, number_text(was.untagged), number_text(now.untagged));
            if (was.tagged != now.tagged) {
                std::vector<std::uint16_t> old_set = sorted_set(was.tagged);
                std::vector<std::uint16_t> new_set = sorted_set(now.tagged);
                fields.push_back(FieldChange{ChangeField::Tagged, list_or_none(was.tagged),
                                             list_or_none(now.tagged), set_minus(new_set, old_set),
                                             set_minus(old_set, new_set)});
            }
            field(fields, ChangeField::Description, was.description, now.description);
            field(fields, ChangeField::Disabled, was.disabled ? "yes" : "no", now.disabled ? "yes" : "no");
            if (was.link != now.link && (!was.link || !now.link || follow(*was.link) != *now.link))
                fields.push_back(
                    FieldChange{ChangeField::Link, link_text(was.link), link_text(now.link), {}, {}});
            add(Change::Kind::Changed, std::move(place), std::move(fields));
        }
    }

    static std::vector<FieldChange> lag_values(const Lag& lag, Side side) {
        std::vector<FieldChange> fields;
        auto put = [&](ChangeField which, std::optional<std::string> value) {
            put_value(fields, side, which, value);
        };
        put(ChangeField::Members, members_or_none(lag.members));
        put(ChangeField::Peer, peer_text(lag.peer));
        return fields;
    }

    // The members of an old LAG under the labels their ports bear now.
    std::vector<std::string> follow_members(std::size_t i, const Lag& lag) const {
        const Switch& x = a_.switches[i];
        const Switch& y = b_.switches[switches_.new_for_old[i]];
        std::vector<std::string> members;
        for (const std::string& member : lag.members) {
            auto p = find_port(x, member);
            std::size_t q = p ? ports_[i].new_for_old[*p] : k_none;
            members.push_back(q == k_none ? member : y.ports[q].label);
        }
        return members;
    }

    void compare_lags(std::size_t i, std::size_t j) {
        const Switch& x = a_.switches[i];
        const Switch& y = b_.switches[j];
        const Matching& m = lags_[i];
        for (std::size_t l = 0; l < x.lags.size(); ++l)
            if (m.new_for_old[l] == k_none)
                add(Change::Kind::Removed, ChangePlace{PlaceKind::Lag, 0, x.name, x.lags[l].name},
                    lag_values(x.lags[l], Side::Old));
        std::vector<bool> moved = moved_records(m);
        for (std::size_t k = 0; k < y.lags.size(); ++k) {
            const Lag& now = y.lags[k];
            ChangePlace place{PlaceKind::Lag, 0, y.name, now.name};
            std::size_t l = m.old_for_new[k];
            if (l == k_none) {
                add(Change::Kind::Added, std::move(place), lag_values(now, Side::New));
                continue;
            }
            const Lag& was = x.lags[l];
            std::vector<FieldChange> fields;
            field(fields, ChangeField::Name, was.name, now.name);
            if (moved[k]) position(fields, l, k);
            if (was.members != now.members && follow_members(i, was) != now.members)
                fields.push_back(FieldChange{ChangeField::Members,
                                             members_or_none(was.members),
                                             members_or_none(now.members),
                                             {},
                                             {}});
            if (was.peer != now.peer && (!was.peer || !now.peer || follow(*was.peer) != *now.peer))
                fields.push_back(
                    FieldChange{ChangeField::Peer, peer_text(was.peer), peer_text(now.peer), {}, {}});
            add(Change::Kind::Changed, std::move(place), std::move(fields));
        }
    }

    const Map& a_;
    const Map& b_;
    Matching switches_;
    // By old switch index, for switches that have a partner.
    std::vector<Matching> ports_;
    std::vector<Matching> lags_;
    std::vector<Change> out_;
};

} // namespace

std::vector<Change> compare_maps(const Map& before, const Map& after) {
    return Comparer(before, after).run();
}

} // namespace quarn
