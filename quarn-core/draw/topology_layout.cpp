#include "draw/topology_layout.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <utility>

#include "validate/map_index.hpp"

namespace quarn {
namespace {

constexpr std::size_t k_none = MapIndex::k_none;
constexpr float k_column_gap = 32.0f;
// Tall enough for the dips of several links within a layer, one below the
// other, and for the labels on the lines.
constexpr float k_band = 72.0f;
constexpr float k_column_pitch = k_topology_box_width + k_column_gap;
constexpr float k_row_pitch = k_topology_box_height + k_band;
constexpr float k_first_dip = 12.0f;
constexpr float k_dip_step = 8.0f;
constexpr std::size_t k_dip_tracks = 6;
constexpr int k_sweeps = 4;
// Switches without links wrap into rows of this many. Not the parts' width:
// an edit that widens a part would then reflow every one of them.
constexpr std::size_t k_loose_columns = 10;

// Each link once, however many of its ends name it: by the ports of both
// ends, sorted.
using LinkKey = std::vector<PortRef>;

LinkKey key_of(std::size_t s, const std::vector<std::size_t>& near, std::size_t t,
               const std::vector<std::size_t>& far) {
    LinkKey key;
    for (std::size_t p : near) key.push_back({s, p});
    for (std::size_t p : far) key.push_back({t, p});
    if (far.empty()) key.push_back({t, k_none});
    std::sort(key.begin(), key.end());
    return key;
}

} // namespace

std::vector<TopologyLink> topology_links(const Map& map) {
    const MapIndex index(map);
    std::vector<TopologyLink> links;
    std::set<LinkKey> seen;
    // Member ports of LAGs drawn as one line: their own uplinks are that line.
    std::vector<std::vector<bool>> folded(map.switches.size());
    for (std::size_t s = 0; s < map.switches.size(); ++s)
        folded[s].assign(map.switches[s].ports.size(), false);

    auto add = [&](std::size_t s, std::vector<std::size_t> near, std::size_t t, std::vector<std::size_t> far,
                   std::size_t members) {
        if (!seen.insert(key_of(s, near, t, far)).second) return;
        for (std::size_t p : near) folded[s][p] = true;
        for (std::size_t p : far) folded[t][p] = true;
        links.push_back({s, t, std::move(near), std::move(far), members});
    };

    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const Switch& sw = map.switches[s];
        for (std::size_t g = 0; g < sw.lags.size(); ++g) {
            const std::vector<std::size_t>& members = index.lag_ports(s, g);
            if (members.empty()) continue;
            if (const auto& peer = sw.lags[g].peer) {
                const std::size_t t = index.switch_at(peer->switch_name);
                if (t == k_none || t == s) continue;
                const auto target = index.peer_target(s, g);
                std::vector<std::size_t> far;
                if (target) far = index.lag_ports(target->first, target->second);
                add(s, members, t, std::move(far), members.size());
                continue;
            }
            // Without a peer, a LAG whose members all lead to one switch.
            std::size_t t = k_none;
            std::vector<std::size_t> far;
            bool one_switch = true;
            for (std::size_t p : members) {
                const auto target = index.link_target(s, p);
                if (!target || (t != k_none && target->switch_index != t)) {
                    one_switch = false;
                    break;
                }
                t = target->switch_index;
                far.push_back(target->port_index);
            }
            if (!one_switch || t == s) continue;
            std::sort(far.begin(), far.end());
            far.erase(std::unique(far.begin(), far.end()), far.end());
            add(s, members, t, std::move(far), members.size());
        }
    }

    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const Switch& sw = map.switches[s];
        for (std::size_t p = 0; p < sw.ports.size(); ++p) {
            if (!sw.ports[p].link || folded[s][p]) continue;
            const std::size_t t = index.switch_at(sw.ports[p].link->switch_name);
            if (t == k_none || t == s) continue;
            const auto target = index.link_target(s, p);
            if (target && folded[t][target->port_index]) continue;
            std::vector<std::size_t> far;
            if (target) far.push_back(target->port_index);
            add(s, {p}, t, std::move(far), 0);
        }
    }
    return links;
}

namespace {

struct Graph {
    // Neighbours by switch index, each once, in map order.
    std::vector<std::vector<std::size_t>> neighbours;
    std::vector<std::size_t> degree; // links, a LAG counting once
};

Graph graph_of(std::size_t switches, const std::vector<TopologyLink>& links) {
    Graph graph{std::vector<std::vector<std::size_t>>(switches), std::vector<std::size_t>(switches, 0)};
    for (const TopologyLink& link : links) {
        graph.neighbours[link.from].push_back(link.to);
        graph.neighbours[link.to].push_back(link.from);
        ++graph.degree[link.from];
        ++graph.degree[link.to];
    }
    for (auto& list : graph.neighbours) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return graph;
}

// One linked part: its switches by layer, each layer in drawing order.
using Layers = std::vector<std::vector<std::size_t>>;

// Mean position of a switch's neighbours in the layer `other`, or its own
// position when it has none there.
void order_by_neighbours(std::vector<std::size_t>& layer, const Graph& graph,
                         const std::vector<std::size_t>& layer_of, std::size_t other,
                         const std::vector<float>& position) {
    std::vector<std::pair<float, std::size_t>> keyed;
    keyed.reserve(layer.size());
    for (std::size_t s : layer) {
        float sum = 0.0f;
        std::size_t count = 0;
        for (std::size_t n : graph.neighbours[s])
            if (layer_of[n] == other) {
                sum += position[n];
                ++count;
            }
        keyed.emplace_back(count == 0 ? position[s] : sum / static_cast<float>(count), s);
    }
    // Stable on the old order, so ties and untouched switches stay put.
    std::vector<std::size_t> order(layer.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keyed[a].first < keyed[b].first; });
    std::vector<std::size_t> sorted;
    sorted.reserve(layer.size());
    for (std::size_t i : order) sorted.push_back(keyed[i].second);
    layer = std::move(sorted);
}

void renumber(const std::vector<std::size_t>& layer, std::vector<float>& position) {
    for (std::size_t i = 0; i < layer.size(); ++i) position[layer[i]] = static_cast<float>(i);
}

// Columns (in box pitches, halves allowed) of one part's switches: each
// layer below the top one as near as it can stand to the mean column of the
// switches above it that it links to, one column apart at least.
void place_columns(const Layers& layers, const Graph& graph, const std::vector<std::size_t>& layer_of,
                   std::vector<float>& column) {
    for (std::size_t i = 0; i < layers[0].size(); ++i) column[layers[0][i]] = static_cast<float>(i);
    for (std::size_t k = 1; k < layers.size(); ++k) {
        const std::vector<std::size_t>& layer = layers[k];
        std::vector<float> wanted(layer.size());
        for (std::size_t i = 0; i < layer.size(); ++i) {
            float sum = 0.0f;
            std::size_t count = 0;
            for (std::size_t n : graph.neighbours[layer[i]])
                if (layer_of[n] + 1 == k) {
                    sum += column[n];
                    ++count;
                }
            wanted[i] = count == 0 ? static_cast<float>(i) : sum / static_cast<float>(count);
        }
        // Runs of switches that would stand closer than a column apart
        // become one block, centred on what its members want: a switch
        // added at one end moves only the block it joins, not the layer.
        struct Block {
            std::size_t first;
            std::size_t count;
            float sum; // of each member's wanted column less its place in the block
        };
        std::vector<Block> blocks;
        for (std::size_t i = 0; i < layer.size(); ++i) {
            Block block{i, 1, wanted[i]};
            while (!blocks.empty()) {
                const Block& last = blocks.back();
                const float last_left = last.sum / static_cast<float>(last.count);
                const float left = block.sum / static_cast<float>(block.count);
                if (last_left + static_cast<float>(last.count) <= left) break;
                block = Block{last.first, last.count + block.count,
                              last.sum + block.sum -
                                  static_cast<float>(last.count) * static_cast<float>(block.count)};
                blocks.pop_back();
            }
            blocks.push_back(block);
        }
        for (const Block& block : blocks) {
            const float left = block.sum / static_cast<float>(block.count);
            for (std::size_t m = 0; m < block.count; ++m)
                column[layer[block.first + m]] = left + static_cast<float>(m);
        }
    }
    // Columns snap to halves: boxes line up on a grid, two children centre
    // under their parent, and the spacing stays exact in floats.
    for (const auto& layer : layers) {
        float last = -1e30f;
        for (std::size_t s : layer) {
            column[s] = std::max(std::round(column[s] * 2.0f) / 2.0f, last + 1.0f);
            last = column[s];
        }
    }
}

} // namespace

TopologyLayout layout_topology(const Map& map) {
    TopologyLayout layout;
    const std::size_t count = map.switches.size();
    layout.links = topology_links(map);
    layout.boxes.assign(count, {});
    const Graph graph = graph_of(count, layout.links);

    // The parts in map order of their top switch; a part's top switch is
    // its switch with the most links.
    std::vector<std::size_t> layer_of(count, k_none);
    std::vector<std::size_t> part_of(count, k_none);
    std::vector<Layers> parts;
    std::vector<std::size_t> tops;
    for (std::size_t s = 0; s < count; ++s) {
        if (part_of[s] != k_none || graph.degree[s] == 0) continue;
        std::vector<std::size_t> members{s};
        part_of[s] = parts.size();
        for (std::size_t i = 0; i < members.size(); ++i)
            for (std::size_t n : graph.neighbours[members[i]])
                if (part_of[n] == k_none) {
                    part_of[n] = parts.size();
                    members.push_back(n);
                }
        std::size_t top = members[0];
        for (std::size_t m : members)
            if (graph.degree[m] > graph.degree[top] || (graph.degree[m] == graph.degree[top] && m < top))
                top = m;
        tops.push_back(top);
        parts.emplace_back();
    }
    std::vector<std::size_t> part_order(parts.size());
    std::iota(part_order.begin(), part_order.end(), 0);
    std::sort(part_order.begin(), part_order.end(),
              [&](std::size_t a, std::size_t b) { return tops[a] < tops[b]; });

    std::vector<float> position(count, 0.0f);
    std::vector<float> column(count, 0.0f);
    std::size_t rows = 0;
    float part_left = 0.0f; // in columns
    for (std::size_t p : part_order) {
        Layers& layers = parts[p];
        // Hops from the top switch, neighbours in map order.
        layer_of[tops[p]] = 0;
        layers.push_back({tops[p]});
        for (std::size_t k = 0; k < layers.size(); ++k) {
            std::vector<std::size_t> next;
            for (std::size_t s : layers[k])
                for (std::size_t n : graph.neighbours[s])
                    if (layer_of[n] == k_none) {
                        layer_of[n] = k + 1;
                        next.push_back(n);
                    }
            if (!next.empty()) layers.push_back(std::move(next));
        }
        for (const auto& layer : layers) renumber(layer, position);
        for (int sweep = 0; sweep < k_sweeps; ++sweep) {
            for (std::size_t k = 1; k < layers.size(); ++k) {
                order_by_neighbours(layers[k], graph, layer_of, k - 1, position);
                renumber(layers[k], position);
            }
            for (std::size_t k = layers.size() - 1; k-- > 0;) {
                order_by_neighbours(layers[k], graph, layer_of, k + 1, position);
                renumber(layers[k], position);
            }
        }
        place_columns(layers, graph, layer_of, column);
        float low = 1e30f, high = -1e30f;
        for (const auto& layer : layers) {
            low = std::min(low, column[layer.front()]);
            high = std::max(high, column[layer.back()]);
        }
        for (std::size_t k = 0; k < layers.size(); ++k)
            for (std::size_t s : layers[k])
                layout.boxes[s] = {(part_left + column[s] - low) * k_column_pitch,
                                   static_cast<float>(k) * k_row_pitch};
        part_left += high - low + 1.0f;
        rows = std::max(rows, layers.size());
    }

    // Switches without links, in map order, in rows below the parts.
    const std::size_t loose_columns = k_loose_columns;
    std::size_t loose = 0;
    for (std::size_t s = 0; s < count; ++s) {
        if (graph.degree[s] != 0) continue;
        layout.boxes[s] = {static_cast<float>(loose % loose_columns) * k_column_pitch,
                           static_cast<float>(rows + loose / loose_columns) * k_row_pitch};
        ++loose;
    }
    const std::size_t loose_rows = (loose + loose_columns - 1) / loose_columns;
    const std::size_t all_rows = rows + loose_rows;
    for (std::size_t r = 0; r < all_rows; ++r) layout.row_tops.push_back(static_cast<float>(r) * k_row_pitch);
    const float columns =
        std::max(part_left, loose == 0 ? 0.0f : static_cast<float>(std::min(loose, loose_columns)));
    layout.width = columns > 0.0f ? columns * k_column_pitch - k_column_gap : 0.0f;
    layout.height = all_rows > 0 ? static_cast<float>(all_rows) * k_row_pitch - k_band : 0.0f;

    // Where each line meets its boxes: the links leaving a box downwards (to
    // the layer below, or dipping to a switch of its own layer) share its
    // lower edge, those leaving upwards its upper edge, each edge's links in
    // the order of their far boxes, so lines of one box do not cross there.
    struct End {
        float far_x;
        std::size_t link;
        bool from;
    };
    std::vector<std::vector<End>> down(count), up(count);
    for (std::size_t i = 0; i < layout.links.size(); ++i) {
        const TopologyLink& link = layout.links[i];
        const PlacePoint a = layout.boxes[link.from];
        const PlacePoint b = layout.boxes[link.to];
        if (a.y == b.y) {
            down[link.from].push_back({b.x, i, true});
            down[link.to].push_back({a.x, i, false});
        } else if (a.y < b.y) {
            down[link.from].push_back({b.x, i, true});
            up[link.to].push_back({a.x, i, false});
        } else {
            up[link.from].push_back({b.x, i, true});
            down[link.to].push_back({a.x, i, false});
        }
    }
    std::vector<float> from_x(layout.links.size()), to_x(layout.links.size());
    auto spread = [&](std::vector<End>& ends, float left) {
        std::sort(ends.begin(), ends.end(), [](const End& a, const End& b) {
            return a.far_x != b.far_x ? a.far_x < b.far_x : a.link < b.link;
        });
        for (std::size_t k = 0; k < ends.size(); ++k) {
            const float x =
                left + k_topology_box_width * static_cast<float>(k + 1) / static_cast<float>(ends.size() + 1);
            (ends[k].from ? from_x : to_x)[ends[k].link] = x;
        }
    };
    for (std::size_t s = 0; s < count; ++s) {
        spread(down[s], layout.boxes[s].x);
        spread(up[s], layout.boxes[s].x);
    }

    std::vector<std::size_t> dips(all_rows, 0);
    layout.routes.reserve(layout.links.size());
    layout.labels.reserve(layout.links.size());
    for (std::size_t i = 0; i < layout.links.size(); ++i) {
        const TopologyLink& link = layout.links[i];
        const PlacePoint a = layout.boxes[link.from];
        const PlacePoint b = layout.boxes[link.to];
        if (a.y == b.y) {
            const float bottom = a.y + k_topology_box_height;
            const std::size_t row = static_cast<std::size_t>(a.y / k_row_pitch + 0.5f);
            const float dip =
                bottom + k_first_dip + k_dip_step * static_cast<float>(dips[row]++ % k_dip_tracks);
            layout.routes.push_back(
                {{from_x[i], bottom}, {from_x[i], dip}, {to_x[i], dip}, {to_x[i], bottom}});
            layout.labels.push_back({(from_x[i] + to_x[i]) / 2.0f, dip});
            layout.height = std::max(layout.height, dip);
        } else {
            const float ay = a.y < b.y ? a.y + k_topology_box_height : a.y;
            const float by = a.y < b.y ? b.y : b.y + k_topology_box_height;
            layout.routes.push_back({{from_x[i], ay}, {to_x[i], by}});
            layout.labels.push_back({(from_x[i] + to_x[i]) / 2.0f, (ay + by) / 2.0f});
        }
    }
    return layout;
}

} // namespace quarn
