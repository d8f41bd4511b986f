#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "model/map.hpp"

namespace quarn::app {

// Whole-map snapshots: a map is a plain value, and a copy of even a large
// campus takes well under a millisecond.
class History {
  public:
    static constexpr std::size_t k_limit = 200;

    // The map as it was before a change; drops the oldest beyond the limit
    // and forgets everything that could be redone.
    void record_change(Map before);

    // Make the previous (next) state current; false when there is none.
    bool undo(Map& current);
    bool redo(Map& current);

    void clear();

    [[nodiscard]] bool can_undo() const noexcept { return !undo_.empty(); }
    [[nodiscard]] bool can_redo() const noexcept { return !redo_.empty(); }
    [[nodiscard]] std::size_t undo_depth() const noexcept { return undo_.size(); }

  private:
    std::deque<Map> undo_;
    std::vector<Map> redo_;
};

} // namespace quarn::app
