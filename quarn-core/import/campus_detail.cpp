#include "import/campus_detail.hpp"

#include <algorithm>
#include <deque>
#include <limits>

#include "import/campus_import.hpp"
#include "import/config_reader.hpp"
#include "import/neighbour_reader.hpp"

namespace quarn {

std::string system_key(std::string_view name) {
    std::string key = neighbour_detail::lower(neighbour_detail::unquote(name));
    // NX-OS adds the serial number to its CDP device ID: n9k-2(FOX1234ABCD).
    if (!key.empty() && key.back() == ')') {
        std::size_t open = key.rfind('(');
        if (open != std::string::npos && open > 0)
            key = std::string(neighbour_detail::trim(key.substr(0, open)));
    }
    if (neighbour_detail::looks_like_ipv4(key)) return key;
    std::size_t dot = key.find('.');
    if (dot != std::string::npos && dot > 0) key.resize(dot);
    return key;
}

} // namespace quarn

namespace quarn::campus_detail {
using import_detail::digit;
namespace {

bool letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// IOS's brief LLDP table cuts device IDs at this length, without a mark.
constexpr std::size_t k_cut_device_id = 20;

} // namespace

void SwitchNames::add(std::string_view name, std::size_t index) {
    if (neighbour_detail::trim(name).empty()) return;
    auto put = [&](std::vector<std::size_t>& list) {
        if (std::find(list.begin(), list.end(), index) == list.end()) list.push_back(index);
    };
    put(whole_[neighbour_detail::lower(neighbour_detail::unquote(name))]);
    put(keys_[system_key(name)]);
}

std::optional<std::size_t> SwitchNames::only(const std::vector<std::size_t>& indices) {
    if (indices.size() == 1) return indices.front();
    return std::nullopt;
}

std::optional<std::size_t> SwitchNames::find(std::string_view reported) const {
    std::string_view name = neighbour_detail::unquote(reported);
    if (name.empty()) return std::nullopt;
    if (auto found = whole_.find(neighbour_detail::lower(name)); found != whole_.end())
        return only(found->second);
    std::string key = system_key(name);
    if (auto found = keys_.find(key); found != keys_.end()) return only(found->second);
    bool marked = name.ends_with("...");
    if (!marked && name.size() != k_cut_device_id) return std::nullopt;
    std::string prefix = neighbour_detail::lower(marked ? name.substr(0, name.size() - 3) : name);
    if (prefix.size() < 3) return std::nullopt;
    std::optional<std::size_t> match;
    for (const auto& [whole, indices] : whole_) {
        if (!whole.starts_with(prefix)) continue;
        for (std::size_t index : indices) {
            if (match && *match != index) return std::nullopt;
            match = index;
        }
    }
    return match;
}

std::string port_match_key(std::string_view name) {
    std::string port = neighbour_detail::tidy_port(name);
    // ge-0/0/1.0 (a Junos unit), Gi1/0/1.100 (a subinterface): the port itself.
    std::size_t dot = port.rfind('.');
    if (dot != std::string::npos && dot > 0 && dot + 1 < port.size() && port.find('/') != std::string::npos &&
        digit(port[dot - 1]) && neighbour_detail::all_digits(std::string_view(port).substr(dot + 1)))
        port.resize(dot);
    return import_detail::port_key(port);
}

PortIndex::PortIndex(const Switch& sw) {
    for (std::size_t i = 0; i < sw.ports.size(); ++i) {
        const std::string& label = sw.ports[i].label;
        if (label.empty()) continue;
        by_key_.emplace(port_match_key(label), i);
        if (std::none_of(label.begin(), label.end(), letter)) by_number_.emplace(label, i);
    }
}

std::optional<std::size_t> PortIndex::find(std::string_view reported) const {
    std::string_view name = neighbour_detail::unquote(reported);
    if (name.empty()) return std::nullopt;
    if (auto found = by_key_.find(port_match_key(name)); found != by_key_.end()) return found->second;
    if (by_number_.empty()) return std::nullopt;
    std::size_t last_letter = name.size();
    for (std::size_t i = name.size(); i > 0; --i)
        if (letter(name[i - 1])) {
            last_letter = i - 1;
            break;
        }
    if (last_letter == name.size()) return std::nullopt;
    std::string_view number = neighbour_detail::trim(name.substr(last_letter + 1));
    if (number.empty() || !digit(number[0])) return std::nullopt;
    if (auto found = by_number_.find(std::string(number)); found != by_number_.end()) return found->second;
    return std::nullopt;
}

bool natural_less(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && a[ei] == '0') ++ei;
            while (ej < b.size() && b[ej] == '0') ++ej;
            std::size_t si = ei;
            std::size_t sj = ej;
            while (ei < a.size() && digit(a[ei])) ++ei;
            while (ej < b.size() && digit(b[ej])) ++ej;
            if (ei - si != ej - sj) return ei - si < ej - sj;
            if (int c = a.substr(si, ei - si).compare(b.substr(sj, ej - sj)); c != 0) return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        char y = b[j] >= 'A' && b[j] <= 'Z' ? static_cast<char>(b[j] - 'A' + 'a') : b[j];
        if (x != y) return x < y;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j;
    return a < b;
}

void place_new_switches(Map& map, std::size_t first_new) {
    std::size_t count = map.switches.size();
    if (first_new >= count || count - first_new < 2) return;
    std::unordered_map<std::string_view, std::size_t> by_name;
    for (std::size_t i = 0; i < count; ++i) by_name.emplace(map.switches[i].name, i);
    std::vector<std::vector<std::size_t>> next(count);
    std::vector<std::size_t> links(count, 0);
    auto join = [&](std::size_t from, std::string_view far) {
        auto found = by_name.find(far);
        if (found == by_name.end() || found->second == from) return;
        next[from].push_back(found->second);
        next[found->second].push_back(from);
        ++links[from];
    };
    for (std::size_t i = 0; i < count; ++i) {
        for (const Port& port : map.switches[i].ports)
            if (port.link) join(i, port.link->switch_name);
        for (const Lag& lag : map.switches[i].lags)
            if (lag.peer) join(i, lag.peer->switch_name);
    }
    auto by_name_order = [&](std::size_t a, std::size_t b) {
        return natural_less(map.switches[a].name, map.switches[b].name);
    };
    std::vector<bool> placed(count, false);
    std::vector<std::size_t> order;
    constexpr std::size_t k_far = std::numeric_limits<std::size_t>::max();
    while (true) {
        std::optional<std::size_t> root;
        for (std::size_t i = first_new; i < count; ++i) {
            if (placed[i] || links[i] == 0) continue;
            if (!root || links[i] > links[*root] || (links[i] == links[*root] && by_name_order(i, *root)))
                root = i;
        }
        if (!root) break;
        std::vector<std::size_t> hops(count, k_far);
        std::deque<std::size_t> queue{*root};
        hops[*root] = 0;
        while (!queue.empty()) {
            std::size_t at = queue.front();
            queue.pop_front();
            for (std::size_t far : next[at])
                if (hops[far] == k_far) {
                    hops[far] = hops[at] + 1;
                    queue.push_back(far);
                }
        }
        std::vector<std::size_t> reached;
        for (std::size_t i = first_new; i < count; ++i)
            if (!placed[i] && hops[i] != k_far) reached.push_back(i);
        std::sort(reached.begin(), reached.end(), [&](std::size_t a, std::size_t b) {
            if (hops[a] != hops[b]) return hops[a] < hops[b];
            return by_name_order(a, b);
        });
        for (std::size_t i : reached) {
            placed[i] = true;
            order.push_back(i);
        }
    }
    std::vector<std::size_t> rest;
    for (std::size_t i = first_new; i < count; ++i)
        if (!placed[i]) rest.push_back(i);
    std::sort(rest.begin(), rest.end(), by_name_order);
    order.insert(order.end(), rest.begin(), rest.end());
    std::vector<Switch> tail;
    tail.reserve(order.size());
    for (std::size_t i : order) tail.push_back(std::move(map.switches[i]));
    std::move(tail.begin(), tail.end(), map.switches.begin() + static_cast<std::ptrdiff_t>(first_new));
}

} // namespace quarn::campus_detail
