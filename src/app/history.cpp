#include "app/history.hpp"

#include <utility>

namespace quarn::app {

void History::record_change(Map before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > k_limit) undo_.pop_front();
    redo_.clear();
}

bool History::undo(Map& current) {
    if (undo_.empty()) return false;
    redo_.push_back(std::move(current));
    current = std::move(undo_.back());
    undo_.pop_back();
    return true;
}

bool History::redo(Map& current) {
    if (redo_.empty()) return false;
    undo_.push_back(std::move(current));
    current = std::move(redo_.back());
    redo_.pop_back();
    return true;
}

void History::clear() {
    undo_.clear();
    redo_.clear();
}

} // namespace quarn::app
