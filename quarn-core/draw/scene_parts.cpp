#include "draw/scene_parts.hpp"

#include <algorithm>
#include <bit>

#include "draw/scene_context.hpp"

namespace quarn {
namespace {

constexpr float k_margin = 16.0f;
constexpr float k_switch_gap = 16.0f;

// Sorted, and joined where no more than the gap between two switches lies
// between them.
std::vector<Span> joined(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.top < b.top; });
    std::vector<Span> out;
    for (const Span& span : spans) {
        if (!out.empty() && span.top <= out.back().bottom + k_switch_gap) {
            out.back().bottom = std::max(out.back().bottom, span.bottom);
        } else {
            out.push_back(span);
        }
    }
    return out;
}

// The selected ports of one switch, from a selection sorted by switch.
std::vector<std::size_t> ports_of(const std::vector<PortRef>& selection, std::size_t switch_index) {
    std::vector<std::size_t> ports;
    auto it = std::lower_bound(selection.begin(), selection.end(), PortRef{switch_index, 0});
    for (; it != selection.end() && it->switch_index == switch_index; ++it) ports.push_back(it->port_index);
    return ports;
}

bool same_switch(const Switch& a, const Switch& b) {
    if (!(a == b)) return false;
    for (std::size_t g = 0; g < a.groups.size(); ++g)
        if (std::bit_cast<std::uint32_t>(a.groups[g].gap_after) !=
            std::bit_cast<std::uint32_t>(b.groups[g].gap_after))
            return false;
    return true;
}

} // namespace

MapChange map_change(const Map& before, const Map& after) {
    MapChange change;
    if (before.switches.size() != after.switches.size()) return change;
    change.anything = false;
    for (std::size_t s = 0; s < after.switches.size(); ++s)
        if (!same_switch(before.switches[s], after.switches[s])) change.switches.push_back(s);
    return change;
}

namespace {

// What the topology's layout reads of a switch, in one string.
std::string shape_of(const Switch& sw) {
    std::string shape = sw.name;
    auto add = [&](const std::string& text) {
        shape += '\0';
        shape += std::to_string(text.size());
        shape += ':';
        shape += text;
    };
    for (const Port& port : sw.ports) {
        add(port.label);
        add(port.link ? "+" + port.link->switch_name : "-");
        if (port.link) add(port.link->port);
    }
    for (const Lag& lag : sw.lags) {
        add(lag.name);
        add(std::to_string(lag.members.size()));
        for (const std::string& member : lag.members) add(member);
        add(lag.peer ? "+" + lag.peer->switch_name : "-");
        if (lag.peer) add(lag.peer->lag);
    }
    return shape;
}

} // namespace

SceneParts::Hits SceneParts::packed_hits(std::vector<HitRegion> hits) {
    Hits packed;
    packed.offsets = {0.0f};
    // A row ends where the first place comes again.
    std::size_t row = hits.size();
    for (std::size_t i = 1; i < hits.size(); ++i) {
        if (hits[i].x == hits[0].x && hits[i].port_index == hits[0].port_index && hits[i].y != hits[0].y) {
            row = i;
            break;
        }
    }
    if (row < hits.size() && hits.size() % row == 0) {
        std::vector<float> offsets;
        bool rows = true;
        for (std::size_t start = 0; rows && start < hits.size(); start += row) {
            const float offset = hits[start].y - hits[0].y;
            for (std::size_t k = 0; rows && k < row; ++k) {
                HitRegion moved = hits[k];
                if (offset != 0.0f) moved.y += offset;
                // Only rows that come back bit for bit are packed.
                rows = moved == hits[start + k] && std::bit_cast<std::uint32_t>(moved.y) ==
                                                       std::bit_cast<std::uint32_t>(hits[start + k].y);
            }
            offsets.push_back(offset);
        }
        if (rows) {
            hits.resize(row);
            hits.shrink_to_fit();
            packed.offsets = std::move(offsets);
        }
    }
    packed.row = std::move(hits);
    return packed;
}

bool SceneParts::same_topology(const Map& map, const MapChange& change) {
    if (!topology_ || change.anything || shapes_.size() != map.switches.size()) return false;
    for (std::size_t s : change.switches) {
        if (s >= shapes_.size()) return false;
        std::string shape = shape_of(map.switches[s]);
        if (shape != shapes_[s]) return false;
    }
    return true;
}

std::optional<std::vector<Span>> SceneParts::patch_topology(const Map& map, const SceneOptions& options,
                                                            const MapChange& change) {
    if (parts_.size() != 1 || boxes_.first_item.size() != map.switches.size() + 1 ||
        !same_topology(map, change))
        return std::nullopt;
    std::vector<std::size_t> redraw = change.switches;
    if (options.selected_vlan) {
        for (std::size_t s : change.switches)
            if (readings_[s] != topology_reading(map.switches[s], *options.selected_vlan))
                return std::nullopt;
    }
    for (const std::optional<std::size_t>& s : {common_.selected_switch, options.selected_switch})
        if (s && *s < map.switches.size()) redraw.push_back(*s);
    std::sort(redraw.begin(), redraw.end());
    redraw.erase(std::unique(redraw.begin(), redraw.end()), redraw.end());

    Part& part = parts_.front();
    SceneContext context(map, options);
    std::vector<Span> changed;
    for (std::size_t s : redraw) {
        context.scene = Scene{};
        const Span box = draw_topology_box(context, *topology_, boxes_, s);
        const SceneItems& drawn = context.scene.items;
        const std::size_t first = boxes_.first_item[s];
        // A box that gains or loses its second line has no place of its own.
        if (drawn.size() != boxes_.first_item[s + 1] - first) return std::nullopt;
        bool same = true;
        for (std::size_t k = 0; same && k < drawn.size(); ++k) same = part.scene.items[first + k] == drawn[k];
        if (same) continue;
        for (std::size_t k = 0; k < drawn.size(); ++k) part.scene.items.replace(first + k, drawn[k]);
        changed.push_back({box.top + part.dy(), box.bottom + part.dy()});
    }
    common_.selected_switch = options.selected_switch;
    return changed;
}

void SceneParts::rebuild(const Map& map, const SceneOptions& options, const MapChange& change) {
    SceneContext context(map, options);
    context.parts = true;
    add_header(context);
    header_ = Part{};
    header_.scene = std::move(context.scene);
    header_.bottom = context.top;
    header_.right = context.right;
    parts_.clear();

    std::vector<PortRef> selection = options.selected_ports;
    std::sort(selection.begin(), selection.end());
    common_.panel_width = 0.0f;
    if (options.view.kind == ViewKind::Topology) {
        Part part;
        context.scene = Scene{};
        context.right = 0.0f;
        part.drawn_top = part.top = context.top;
        if (!same_topology(map, change)) {
            topology_ = layout_topology(map);
            shapes_.clear();
            for (const Switch& sw : map.switches) shapes_.push_back(shape_of(sw));
        }
        build_topology(context, *topology_, &boxes_);
        readings_.clear();
        if (options.selected_vlan)
            for (const Switch& sw : map.switches)
                readings_.push_back(topology_reading(sw, *options.selected_vlan));
        part.bottom = context.top;
        part.right = context.right;
        part.scene = std::move(context.scene);
        part.hits = packed_hits(std::move(part.scene.hits));
        // Boxes are put in place again after edits: the table that finds
        // looks stays.
        part.scene.items.shrink_to_fit(true);
        parts_.push_back(std::move(part));
    } else {
        topology_.reset();
        shapes_.clear();
        boxes_ = {};
        readings_.clear();
        std::vector<PanelLayout> layouts;
        layouts.reserve(map.switches.size());
        for (const Switch& sw : map.switches) layouts.push_back(switch_layout(sw, options.view.kind));
        parts_.resize(map.switches.size());
        for (std::size_t s = 0; s < layouts.size(); ++s) parts_[s].panel_width = layouts[s].width;
        common_.panel_width = line_up_panels(layouts);
        for (std::size_t s = 0; s < map.switches.size(); ++s) {
            Part& part = parts_[s];
            context.scene = Scene{};
            context.right = 0.0f;
            part.drawn_top = part.top = s > 0 ? context.top + k_switch_gap : context.top;
            build_switch(context, s, layouts[s], common_.panel_width);
            part.bottom = context.top;
            part.right = context.right;
            part.scene = std::move(context.scene);
            part.hits = packed_hits(std::move(part.scene.hits));
            part.scene.items.shrink_to_fit();
            part.selected = ports_of(selection, s);
        }
    }
    selected_switches_.clear();
    for (const PortRef& ref : selection) {
        if (selected_switches_.empty() || selected_switches_.back() != ref.switch_index)
            selected_switches_.push_back(ref.switch_index);
    }
    common_.view = options.view;
    common_.palette = options.palette;
    common_.show_site_title = options.show_site_title;
    common_.site = map.site;
    common_.vlans = map.vlans;
    common_.selected_vlan = options.selected_vlan;
    common_.selected_switch = options.selected_switch;
    common_.switches = map.switches.size();
    built_ = true;
    place_parts();
}

void SceneParts::place_parts() {
    float right = header_.right;
    for (const Part& part : parts_) right = std::max(right, part.right);
    width_ = right + k_margin;
    height_ = (parts_.empty() ? header_.bottom : parts_.back().span().bottom) + k_margin;
}

std::vector<Span> SceneParts::update(const Map& map, const SceneOptions& options, const MapChange& change) {
    const Span before{0.0f, height_};
    const float width_before = width_;
    // The breakdown draws no VLAN chosen in the list; every other view
    // draws each switch with it.
    const bool whole =
        !built_ || change.anything || common_.view != options.view || common_.palette != options.palette ||
        common_.show_site_title != options.show_site_title || common_.site != map.site ||
        common_.switches != map.switches.size() || common_.vlans != map.vlans ||
        (options.view.kind != ViewKind::VlanBreakdown && common_.selected_vlan != options.selected_vlan);
    if (!whole && options.view.kind == ViewKind::Topology) {
        if (auto patched = patch_topology(map, options, change)) return joined(std::move(*patched));
    }
    if (whole || options.view.kind == ViewKind::Topology) {
        rebuild(map, options, change);
        return {{0.0f, std::max(before.bottom, height_)}};
    }

    // The switches to draw again: those the edit changed, those whose
    // selected ports changed, and the old and the new current switch.
    const std::size_t count = map.switches.size();
    std::vector<bool> dirty(count, false);
    for (std::size_t s : change.switches)
        if (s < count) dirty[s] = true;
    std::vector<PortRef> selection = options.selected_ports;
    std::sort(selection.begin(), selection.end());
    std::vector<std::size_t> touched = selected_switches_;
    selected_switches_.clear();
    for (const PortRef& ref : selection) {
        if (selected_switches_.empty() || selected_switches_.back() != ref.switch_index)
            selected_switches_.push_back(ref.switch_index);
    }
    touched.insert(touched.end(), selected_switches_.begin(), selected_switches_.end());
    for (std::size_t s : touched)
        if (s < count && ports_of(selection, s) != parts_[s].selected) dirty[s] = true;
    if (common_.selected_switch != options.selected_switch) {
        for (const std::optional<std::size_t>& s : {common_.selected_switch, options.selected_switch})
            if (s && *s < count) dirty[*s] = true;
        common_.selected_switch = options.selected_switch;
    }

    std::vector<std::size_t> redraw;
    for (std::size_t s = 0; s < count; ++s)
        if (dirty[s]) redraw.push_back(s);
    std::vector<PanelLayout> layouts;
    layouts.reserve(redraw.size());
    for (std::size_t s : redraw) {
        layouts.push_back(switch_layout(map.switches[s], options.view.kind));
        parts_[s].panel_width = layouts.back().width;
    }
    // A panel wider or narrower than all others moves every panel's
    // right-hand section.
    float panel_width = 0.0f;
    for (const Part& part : parts_) panel_width = std::max(panel_width, part.panel_width);
    if (panel_width != common_.panel_width) {
        rebuild(map, options, change);
        return {{0.0f, std::max(before.bottom, height_)}};
    }

    std::vector<Span> changed;
    SceneContext context(map, options);
    context.parts = true;
    float top = header_.bottom;
    std::size_t next = 0;
    for (std::size_t s = 0; s < count; ++s) {
        Part& part = parts_[s];
        const float part_top = s > 0 ? top + k_switch_gap : top;
        if (next < redraw.size() && redraw[next] == s) {
            changed.push_back(part.span());
            PanelLayout& layout = layouts[next++];
            line_up_panel(layout, panel_width);
            context.scene = Scene{};
            context.right = 0.0f;
            context.top = top;
            build_switch(context, s, layout, panel_width);
            part.drawn_top = part.top = part_top;
            part.bottom = context.top;
            part.right = context.right;
            part.scene = std::move(context.scene);
            part.hits = packed_hits(std::move(part.scene.hits));
            part.scene.items.shrink_to_fit();
            part.selected = ports_of(selection, s);
            changed.push_back(part.span());
        } else if (part.top != part_top) {
            changed.push_back(part.span());
            part.top = part_top;
            changed.push_back(part.span());
        }
        top = part.span().bottom;
    }
    place_parts();
    // The background follows the size of the picture.
    if (width_ != width_before) return {{0.0f, std::max(before.bottom, height_)}};
    if (height_ != before.bottom)
        changed.push_back({std::min(before.bottom, height_) - k_margin, std::max(before.bottom, height_)});
    return joined(std::move(changed));
}

Scene SceneParts::scene() const {
    Scene out;
    out.width = width_;
    out.height = height_;
    std::size_t hits = 0;
    for (const Part& part : parts_) hits += part.hits.size();
    out.hits.reserve(hits);
    out.items.append(header_.scene.items, 0.0f);
    out.items.replace(0, Rect{0.0f, 0.0f, width_, height_, common_.palette.background, std::nullopt, 0.0f});
    for (const Part& part : parts_) {
        const float dy = part.dy();
        out.items.append(part.scene.items, dy);
        part.hits.each(dy, [&](const HitRegion& hit) { out.hits.push_back(hit); });
        for (Span span : part.scene.blocks)
            out.blocks.push_back(dy == 0.0f ? span : Span{span.top + dy, span.bottom + dy});
        for (Span span : part.scene.cuts)
            out.cuts.push_back(dy == 0.0f ? span : Span{span.top + dy, span.bottom + dy});
    }
    return out;
}

std::vector<HitRegion> SceneParts::hits(Span stretch) const {
    std::vector<HitRegion> out;
    auto it = std::partition_point(parts_.begin(), parts_.end(),
                                   [&](const Part& part) { return part.span().bottom < stretch.top; });
    for (; it != parts_.end() && it->top <= stretch.bottom; ++it) {
        const float dy = it->dy();
        it->hits.each(dy, [&](const HitRegion& hit) { out.push_back(hit); });
    }
    return out;
}

std::vector<Span> SceneParts::blocks() const {
    std::vector<Span> out;
    for (const Part& part : parts_)
        for (Span span : part.scene.blocks) out.push_back({span.top + part.dy(), span.bottom + part.dy()});
    return out;
}

std::size_t SceneParts::memory_bytes() const noexcept {
    auto bytes_of = [](const Part& part) {
        return part.scene.items.memory_bytes() + part.hits.row.capacity() * sizeof(HitRegion) +
               part.hits.offsets.capacity() * sizeof(float) +
               (part.scene.blocks.capacity() + part.scene.cuts.capacity()) * sizeof(Span) +
               part.selected.capacity() * sizeof(std::size_t);
    };
    std::size_t bytes = parts_.capacity() * sizeof(Part) + bytes_of(header_);
    for (const Part& part : parts_) bytes += bytes_of(part);
    return bytes;
}

} // namespace quarn
