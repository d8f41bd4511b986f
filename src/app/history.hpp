#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/map.hpp"

namespace quarn::app {

// A map told by how it differs from a newer one: the parts that differ, and
// for the switch list, which runs of switches are the newer map's own
// (equal by value) and which switches differ and are kept here.
struct MapDelta {
    // A run of the older map's switches: `count` switches from the newer
    // map starting at `from`, or, when `kept`, the next `count` of `switches`.
    struct Run {
        bool kept = false;
        std::size_t from = 0;
        std::size_t count = 0;
    };

    std::uint32_t format = 0;
    std::optional<std::string> site; // none: as in the newer map
    std::optional<std::string> notes;
    std::optional<std::vector<Vlan>> vlans;
    std::vector<Run> runs;
    std::vector<Switch> switches;
};

// What `older` keeps that `newer` does not have; equal switches are found
// where an edit leaves them (the same place, or one place before or after,
// as a move, an insertion or a removal shifts them).
MapDelta map_delta(Map older, const Map& newer);
// The older map back, exactly as it was.
Map restore_map(MapDelta delta, const Map& newer);

// The switches of `scope` as they are now, ascending and once each; indices
// past the map are left out. Taken before an edit of those switches alone.
std::vector<std::pair<std::size_t, Switch>> copy_switches(const Map& map, std::vector<std::size_t> scope);
// After the edit: drops the copies of switches that did not change (equal as
// the file would write them), so that the rest are the change as it was.
void keep_changed(const Map& map, std::vector<std::pair<std::size_t, Switch>>& copies);

// A stack of maps, newest on top. Only the top is kept whole; each map below
// it is kept as its difference from the map above, so states that differ in
// a switch or two cost a switch or two each.
class MapStack {
  public:
    void push(Map map);
    // Pushes the map that `current` was before a change of the switches
    // named, given as they were (ascending, as many switches before as
    // after). When the top's own difference from the map above it is known,
    // this costs the switches of the two changes, not a copy of the map.
    void push_switches(const Map& current, std::vector<std::pair<std::size_t, Switch>> before);
    // The top map; the one below becomes whole in its place. Not on an empty stack.
    Map pop();
    void drop_oldest();
    void clear();
    // The map above the top changed without a push (an edit that joined
    // the step before): the top's difference from it is no longer known.
    void forget_difference() noexcept { top_differs_.reset(); }

    [[nodiscard]] bool empty() const noexcept { return !top_; }
    [[nodiscard]] std::size_t size() const noexcept { return top_ ? below_.size() + 1 : 0; }
    // Switch records held whole: those of the top and those the deltas keep.
    [[nodiscard]] std::size_t kept_switches() const noexcept;

  private:
    std::optional<Map> top_;
    std::deque<MapDelta> below_; // oldest first; the last is told against the top
    // Where the top differs from the map above it, when a push of switches
    // made it: the switches then changed, ascending.
    std::optional<std::vector<std::size_t>> top_differs_;
};

// The undo and redo stacks. They hold whole maps as far as anyone outside
// can tell; inside, a step that changed one switch costs about that switch,
// not a copy of the whole campus.
class History {
  public:
    static constexpr std::size_t k_limit = 200;

    // The map as it was before a change; drops the oldest beyond the limit
    // and forgets everything that could be redone.
    void record_change(Map before);
    // The same for a change of the switches named, which are given as they
    // were; `current` is the map after the change.
    void record_switches(const Map& current, std::vector<std::pair<std::size_t, Switch>> before);

    // The map changed and the change joined the last step.
    void changed_within_step() noexcept { undo_.forget_difference(); }

    // Make the previous (next) state current; false when there is none.
    bool undo(Map& current);
    bool redo(Map& current);

    void clear();

    [[nodiscard]] bool can_undo() const noexcept { return !undo_.empty(); }
    [[nodiscard]] bool can_redo() const noexcept { return !redo_.empty(); }
    [[nodiscard]] std::size_t undo_depth() const noexcept { return undo_.size(); }
    [[nodiscard]] std::size_t kept_switches() const noexcept {
        return undo_.kept_switches() + redo_.kept_switches();
    }

  private:
    MapStack undo_;
    MapStack redo_;
};

} // namespace quarn::app
