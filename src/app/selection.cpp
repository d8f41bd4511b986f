#include "app/selection.hpp"

#include <algorithm>
#include <array>

namespace quarn::app {

std::optional<PortRef> port_at(std::span<const HitRegion> hits, float x, float y) {
    // Later regions are painted later, so the last one under the point is the
    // one the user sees.
    for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
        if (x >= it->x && x < it->x + it->width && y >= it->y && y < it->y + it->height)
            return PortRef{it->switch_index, it->port_index};
    }
    return std::nullopt;
}

std::vector<PortRef> ports_touching(std::span<const HitRegion> hits, float x1, float y1, float x2, float y2) {
    float left = std::min(x1, x2), right = std::max(x1, x2);
    float top = std::min(y1, y2), bottom = std::max(y1, y2);
    std::vector<PortRef> found;
    for (const HitRegion& hit : hits) {
        if (hit.x <= right && hit.x + hit.width >= left && hit.y <= bottom && hit.y + hit.height >= top)
            found.push_back({hit.switch_index, hit.port_index});
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void Selection::click(PortRef port, ClickMode mode) {
    switch (mode) {
    case ClickMode::Replace:
        ports_ = {port};
        anchor_ = port;
        break;
    case ClickMode::Toggle:
        if (auto it = std::find(ports_.begin(), ports_.end(), port); it != ports_.end())
            ports_.erase(it);
        else
            ports_.push_back(port);
        anchor_ = port;
        break;
    case ClickMode::Extend:
        // Extending only makes sense along one switch; from another switch it
        // starts afresh.
        if (!anchor_ || anchor_->switch_index != port.switch_index) {
            ports_ = {port};
            anchor_ = port;
            break;
        }
        auto [low, high] = std::minmax(anchor_->port_index, port.port_index);
        std::erase_if(ports_, [&](const PortRef& p) { return p.switch_index == port.switch_index; });
        for (std::size_t i = low; i <= high; ++i) ports_.push_back({port.switch_index, i});
        break;
    }
    normalise();
}

void Selection::click_nothing(ClickMode mode) {
    if (mode == ClickMode::Replace) clear();
}

void Selection::drag(std::span<const PortRef> touched, DragMode mode) {
    if (mode == DragMode::Replace) ports_.clear();
    ports_.insert(ports_.end(), touched.begin(), touched.end());
    if (!touched.empty()) anchor_ = touched.front();
    normalise();
}

void Selection::set(std::vector<PortRef> ports) {
    ports_ = std::move(ports);
    anchor_ = ports_.empty() ? std::nullopt : std::optional(ports_.front());
    normalise();
}

void Selection::clear() {
    ports_.clear();
    anchor_.reset();
}

std::optional<std::size_t> Selection::single_switch() const {
    if (ports_.empty()) return std::nullopt;
    std::size_t first = ports_.front().switch_index;
    for (const PortRef& p : ports_)
        if (p.switch_index != first) return std::nullopt;
    return first;
}

void Selection::normalise() {
    std::sort(ports_.begin(), ports_.end());
    ports_.erase(std::unique(ports_.begin(), ports_.end()), ports_.end());
}

} // namespace quarn::app
