#include "app/history.hpp"

#include <algorithm>
#include <bit>
#include <utility>

namespace quarn::app {
namespace {

// Equal as the file would write them: `==` takes -0 for 0, but the two are
// written differently, and undo must give back the very bytes.
bool same_switch(const Switch& a, const Switch& b) {
    if (!(a == b)) return false;
    for (std::size_t g = 0; g < a.groups.size(); ++g)
        if (std::bit_cast<std::uint32_t>(a.groups[g].gap_after) !=
            std::bit_cast<std::uint32_t>(b.groups[g].gap_after))
            return false;
    return true;
}

void add_run(std::vector<MapDelta::Run>& runs, bool kept, std::size_t from) {
    if (!runs.empty()) {
        MapDelta::Run& last = runs.back();
        if (last.kept == kept && (kept || last.from + last.count == from)) {
            ++last.count;
            return;
        }
    }
    runs.push_back({kept, from, 1});
}

} // namespace

std::vector<std::pair<std::size_t, Switch>> copy_switches(const Map& map, std::vector<std::size_t> scope) {
    std::sort(scope.begin(), scope.end());
    scope.erase(std::unique(scope.begin(), scope.end()), scope.end());
    std::vector<std::pair<std::size_t, Switch>> copies;
    for (std::size_t s : scope)
        if (s < map.switches.size()) copies.emplace_back(s, map.switches[s]);
    return copies;
}

void keep_changed(const Map& map, std::vector<std::pair<std::size_t, Switch>>& copies) {
    std::erase_if(copies, [&](const auto& copy) {
        return copy.first < map.switches.size() && same_switch(copy.second, map.switches[copy.first]);
    });
}

MapDelta map_delta(Map older, const Map& newer) {
    MapDelta delta;
    delta.format = older.format;
    if (older.site != newer.site) delta.site = std::move(older.site);
    if (older.notes != newer.notes) delta.notes = std::move(older.notes);
    if (older.vlans != newer.vlans) delta.vlans = std::move(older.vlans);

    // An edit keeps most switches where they were or shifts a stretch of
    // them by one place; the shift found last is tried first.
    const std::size_t count = newer.switches.size();
    std::ptrdiff_t shift = 0;
    for (std::size_t i = 0; i < older.switches.size(); ++i) {
        Switch& sw = older.switches[i];
        std::optional<std::size_t> found;
        for (std::ptrdiff_t candidate : {shift, std::ptrdiff_t{0}, std::ptrdiff_t{-1}, std::ptrdiff_t{1}}) {
            const std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + candidate;
            if (j < 0 || static_cast<std::size_t>(j) >= count) continue;
            if (same_switch(sw, newer.switches[static_cast<std::size_t>(j)])) {
                found = static_cast<std::size_t>(j);
                shift = candidate;
                break;
            }
        }
        if (found) {
            add_run(delta.runs, false, *found);
        } else {
            add_run(delta.runs, true, delta.switches.size());
            delta.switches.push_back(std::move(sw));
        }
    }
    return delta;
}

Map restore_map(MapDelta delta, const Map& newer) {
    Map older;
    older.format = delta.format;
    older.site = delta.site ? std::move(*delta.site) : newer.site;
    older.notes = delta.notes ? std::move(*delta.notes) : newer.notes;
    older.vlans = delta.vlans ? std::move(*delta.vlans) : newer.vlans;
    std::size_t switches = 0;
    for (const MapDelta::Run& run : delta.runs) switches += run.count;
    older.switches.reserve(switches);
    for (const MapDelta::Run& run : delta.runs) {
        for (std::size_t k = 0; k < run.count; ++k) {
            if (run.kept) {
                older.switches.push_back(std::move(delta.switches[run.from + k]));
            } else {
                older.switches.push_back(newer.switches[run.from + k]);
            }
        }
    }
    return older;
}

void MapStack::push(Map map) {
    if (top_) below_.push_back(map_delta(std::move(*top_), map));
    top_ = std::move(map);
    top_differs_.reset();
}

void MapStack::push_switches(const Map& current, std::vector<std::pair<std::size_t, Switch>> before) {
    std::vector<std::size_t> changed;
    changed.reserve(before.size());
    for (const auto& [index, sw] : before) changed.push_back(index);
    if (!top_ || !top_differs_ || top_->switches.size() != current.switches.size()) {
        Map whole = current;
        for (auto& [index, sw] : before) whole.switches[index] = std::move(sw);
        push(std::move(whole));
        top_differs_ = std::move(changed);
        return;
    }

    // The top differs from the map it goes below only where the last push
    // of switches changed them: it keeps those, and names runs of the new
    // top for the others. Its site, notes and VLANs are those of the map.
    MapDelta delta;
    delta.format = top_->format;
    std::size_t from = 0;
    for (std::size_t index : *top_differs_) {
        if (index > from) delta.runs.push_back({false, from, index - from});
        add_run(delta.runs, true, delta.switches.size());
        delta.switches.push_back(std::move(top_->switches[index]));
        from = index + 1;
    }
    if (from < current.switches.size()) delta.runs.push_back({false, from, current.switches.size() - from});

    // The new top: the map as it was before the change.
    for (std::size_t index : *top_differs_) top_->switches[index] = current.switches[index];
    for (auto& [index, sw] : before) top_->switches[index] = std::move(sw);
    below_.push_back(std::move(delta));
    top_differs_ = std::move(changed);
}

Map MapStack::pop() {
    top_differs_.reset();
    Map out = std::move(*top_);
    if (below_.empty()) {
        top_.reset();
    } else {
        top_ = restore_map(std::move(below_.back()), out);
        below_.pop_back();
    }
    return out;
}

void MapStack::drop_oldest() {
    if (below_.empty()) {
        top_.reset();
        top_differs_.reset();
    } else {
        below_.pop_front();
    }
}

void MapStack::clear() {
    top_.reset();
    top_differs_.reset();
    below_.clear();
}

std::size_t MapStack::kept_switches() const noexcept {
    std::size_t kept = top_ ? top_->switches.size() : 0;
    for (const MapDelta& delta : below_) kept += delta.switches.size();
    return kept;
}

void History::record_change(Map before) {
    undo_.push(std::move(before));
    if (undo_.size() > k_limit) undo_.drop_oldest();
    redo_.clear();
}

void History::record_switches(const Map& current, std::vector<std::pair<std::size_t, Switch>> before) {
    undo_.push_switches(current, std::move(before));
    if (undo_.size() > k_limit) undo_.drop_oldest();
    redo_.clear();
}

bool History::undo(Map& current) {
    if (undo_.empty()) return false;
    redo_.push(std::move(current));
    current = undo_.pop();
    return true;
}

bool History::redo(Map& current) {
    if (redo_.empty()) return false;
    undo_.push(std::move(current));
    current = redo_.pop();
    return true;
}

void History::clear() {
    undo_.clear();
    redo_.clear();
}

} // namespace quarn::app
