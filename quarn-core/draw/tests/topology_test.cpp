#include "draw/topology_layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "draw/scene.hpp"
#include "draw/tests/fixtures.hpp"
#include "draw/text_fit.hpp"
#include "model/generator/generated_map.hpp"

namespace quarn {
namespace {

constexpr float k_row_pitch = k_topology_box_height + 72.0f;

// Links port `pa` of switch `a` and port `pb` of switch `b`, both ways.
void link(Map& map, std::size_t a, std::size_t pa, std::size_t b, std::size_t pb) {
    Port& near = map.switches[a].ports[pa];
    Port& far = map.switches[b].ports[pb];
    near.link = PortPeer{map.switches[b].name, far.label};
    far.link = PortPeer{map.switches[a].name, near.label};
}

// Ports `first`, `first` + 1, ... of two switches in LAG "Po1" on both sides.
void lag(Map& map, std::size_t a, std::size_t b, std::size_t first, std::size_t members) {
    Lag near{"Po1", {}, LagPeer{map.switches[b].name, "Po1"}};
    Lag far{"Po1", {}, LagPeer{map.switches[a].name, "Po1"}};
    for (std::size_t m = 0; m < members; ++m) {
        near.members.push_back(map.switches[a].ports[first + m].label);
        far.members.push_back(map.switches[b].ports[first + m].label);
    }
    map.switches[a].lags.push_back(near);
    map.switches[b].lags.push_back(far);
}

Map switches(std::initializer_list<const char*> names) {
    Map map = two_vlans();
    for (const char* name : names) map.switches.push_back(row_switch(name, 8));
    return map;
}

Map star() {
    // The hub last in the map: the most links, not the first place, put it on top.
    Map map = switches({"a", "b", "c", "d", "hub"});
    for (std::size_t s = 0; s < 4; ++s) link(map, 4, s, s, 7);
    return map;
}

Map campus() {
    Map map = switches({"core", "dist", "acc1", "acc2", "acc3"});
    lag(map, 0, 1, 4, 3);
    link(map, 0, 0, 2, 7);
    link(map, 1, 0, 3, 7);
    link(map, 1, 1, 4, 7);
    link(map, 0, 1, 4, 6);
    return map;
}

Map ring(std::size_t size) {
    Map map = two_vlans();
    for (std::size_t s = 0; s < size; ++s) map.switches.push_back(row_switch("r" + std::to_string(s), 8));
    for (std::size_t s = 0; s < size; ++s) link(map, s, 0, (s + 1) % size, 1);
    return map;
}

Map two_parts() {
    Map map = switches({"spare", "a1", "b1", "a2", "b2", "b3"});
    link(map, 1, 0, 3, 0);
    link(map, 2, 0, 4, 0);
    link(map, 4, 1, 5, 0);
    return map;
}

bool overlaps(PlacePoint a, PlacePoint b) {
    return a.x < b.x + k_topology_box_width && b.x < a.x + k_topology_box_width &&
           a.y < b.y + k_topology_box_height && b.y < a.y + k_topology_box_height;
}

// Whether the segment passes through the inside of the box (Liang-Barsky);
// touching its edge, as a line does where it meets its own box, is not.
bool crosses(PlacePoint p, PlacePoint q, PlacePoint box) {
    const float inset = 0.5f;
    const float x0 = box.x + inset, x1 = box.x + k_topology_box_width - inset;
    const float y0 = box.y + inset, y1 = box.y + k_topology_box_height - inset;
    float t0 = 0.0f, t1 = 1.0f;
    const float dx = q.x - p.x, dy = q.y - p.y;
    const float ps[4] = {-dx, dx, -dy, dy};
    const float qs[4] = {p.x - x0, x1 - p.x, p.y - y0, y1 - p.y};
    for (int i = 0; i < 4; ++i) {
        if (ps[i] == 0.0f) {
            if (qs[i] < 0.0f) return false;
            continue;
        }
        const float t = qs[i] / ps[i];
        if (ps[i] < 0.0f) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    return true;
}

bool on_edge(PlacePoint point, PlacePoint box) {
    return point.x >= box.x && point.x <= box.x + k_topology_box_width &&
           (point.y == box.y || point.y == box.y + k_topology_box_height);
}

void check_drawing(const TopologyLayout& layout) {
    for (std::size_t a = 0; a < layout.boxes.size(); ++a)
        for (std::size_t b = a + 1; b < layout.boxes.size(); ++b)
            ASSERT_FALSE(overlaps(layout.boxes[a], layout.boxes[b])) << a << " and " << b;
    ASSERT_EQ(layout.routes.size(), layout.links.size());
    for (std::size_t i = 0; i < layout.routes.size(); ++i) {
        const auto& route = layout.routes[i];
        ASSERT_TRUE(on_edge(route.front(), layout.boxes[layout.links[i].from])) << i;
        ASSERT_TRUE(on_edge(route.back(), layout.boxes[layout.links[i].to])) << i;
        for (std::size_t k = 1; k < route.size(); ++k)
            for (std::size_t b = 0; b < layout.boxes.size(); ++b)
                ASSERT_FALSE(crosses(route[k - 1], route[k], layout.boxes[b]))
                    << "link " << i << " box " << b;
    }
    for (const PlacePoint& box : layout.boxes) {
        EXPECT_LE(box.x + k_topology_box_width, layout.width);
        EXPECT_LE(box.y + k_topology_box_height, layout.height);
    }
}

TEST(Topology, LayoutsKeepLinesOffBoxesAndLayersByHops) {
    struct Case {
        const char* name;
        Map map;
        std::vector<int> rows; // row of each switch; empty: not checked
        std::size_t links;
        std::vector<std::size_t> lag_members; // of the LAG links, in link order
    };
    const Case cases[] = {
        {"star", star(), {1, 1, 1, 1, 0}, 4, {}},
        {"campus", campus(), {0, 1, 1, 2, 1}, 5, {3}},
        {"even ring", ring(6), {0, 1, 2, 3, 2, 1}, 6, {}},
        {"odd ring", ring(5), {0, 1, 2, 2, 1}, 5, {}},
        {"two parts", two_parts(), {2, 0, 1, 1, 0, 1}, 3, {}},
        {"generated", generate_map({.switches = 1000, .vlans = 40, .seed = 3}), {}, 999 + 500, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TopologyLayout layout = layout_topology(c.map);
        check_drawing(layout);
        EXPECT_EQ(layout.links.size(), c.links);
        std::vector<std::size_t> members;
        for (const TopologyLink& link : layout.links)
            if (link.members > 0) members.push_back(link.members);
        if (c.rows.empty()) continue;
        EXPECT_EQ(members, c.lag_members);
        std::vector<int> rows;
        for (const PlacePoint& box : layout.boxes)
            rows.push_back(static_cast<int>(box.y / k_row_pitch + 0.5f));
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(layout_topology(c.map), layout);
    }
}

std::size_t index_of(const Map& map, const std::string& name) {
    for (std::size_t s = 0; s < map.switches.size(); ++s)
        if (map.switches[s].name == name) return s;
    ADD_FAILURE() << "no switch " << name;
    return 0;
}

void link(Map& map, const std::string& a, std::size_t pa, const std::string& b, std::size_t pb) {
    link(map, index_of(map, a), pa, index_of(map, b), pb);
}

// A core with three server switches and three distribution switches of four
// access switches each, a lab of a hub and three switches beside it, and
// four switches without links.
Map two_sites() {
    Map map = two_vlans();
    auto add = [&](const std::string& name) { map.switches.push_back(row_switch(name, 8)); };
    add("core");
    for (int s = 1; s <= 3; ++s) {
        add("srv" + std::to_string(s));
        link(map, "core", static_cast<std::size_t>(3 + s), "srv" + std::to_string(s), 0);
    }
    for (int d = 1; d <= 3; ++d) {
        const std::string dist = "dist" + std::to_string(d);
        add(dist);
        link(map, "core", static_cast<std::size_t>(d), dist, 0);
        for (int a = 1; a <= 4; ++a) {
            const std::string access = "acc" + std::to_string(d) + std::to_string(a);
            add(access);
            link(map, dist, static_cast<std::size_t>(a), access, 0);
        }
    }
    add("lab");
    for (int l = 1; l <= 3; ++l) {
        add("lab" + std::to_string(l));
        link(map, "lab", static_cast<std::size_t>(l), "lab" + std::to_string(l), 0);
    }
    for (int s = 1; s <= 4; ++s) add("spare" + std::to_string(s));
    return map;
}

// Where each switch's box stands, by name, from the top switch of its part
// ("core" or "lab"), or from the first switch without links: a part that
// moves as a whole, or a row of spares that moves down, is not rearranged.
std::map<std::string, PlacePoint> arrangement(const Map& map) {
    const TopologyLayout layout = layout_topology(map);
    std::vector<std::size_t> anchor(map.switches.size());
    const std::size_t core = index_of(map, "core"), lab = index_of(map, "lab"),
                      spare = index_of(map, "spare1");
    for (std::size_t s = 0; s < map.switches.size(); ++s) {
        const std::string& name = map.switches[s].name;
        anchor[s] = name.rfind("lab", 0) == 0 ? lab : name.rfind("spare", 0) == 0 ? spare : core;
    }
    std::map<std::string, PlacePoint> places;
    for (std::size_t s = 0; s < map.switches.size(); ++s)
        places[map.switches[s].name] = {layout.boxes[s].x - layout.boxes[anchor[s]].x,
                                        layout.boxes[s].y - layout.boxes[anchor[s]].y};
    return places;
}

// A small edit rearranges only the part it touches, and there little: every
// box but those named keeps its place in its part, whatever the part's
// neighbours and the spares do.
TEST(Topology, ASmallEditMovesFewBoxes) {
    struct Case {
        const char* name;
        void (*edit)(Map&);
        std::vector<std::string> moved; // besides a switch the edit adds
    };
    const Case cases[] = {
        {"a link between two access switches of one distribution switch",
         [](Map& map) { link(map, "acc11", 5, "acc12", 5); },
         {}},
        {"a link between access switches of two distribution switches",
         [](Map& map) { link(map, "acc14", 5, "acc21", 5); },
         {}},
        // The access row stands as one block under the distribution row; the
        // access switch now between two of them moves that block, no other.
        {"a second uplink of an access switch",
         [](Map& map) { link(map, "dist2", 6, "acc14", 6); },
         {"acc22", "acc23", "acc24", "acc31", "acc32", "acc33", "acc34"}},
        {"a new access switch",
         [](Map& map) {
             map.switches.push_back(row_switch("acc35", 8));
             link(map, "dist3", 5, "acc35", 0);
         },
         {}},
        {"a new switch without links", [](Map& map) { map.switches.push_back(row_switch("spare5", 8)); }, {}},
        {"a new switch in the middle of the map",
         [](Map& map) { map.switches.insert(map.switches.begin() + 5, row_switch("new", 8)); },
         {}},
        {"a link of the lab taken away",
         [](Map& map) {
             Switch& lab = map.switches[index_of(map, "lab")];
             lab.ports[2].link.reset();
             map.switches[index_of(map, "lab2")].ports[0].link.reset();
         },
         // lab2 joins the spares; the other two close up under their hub.
         {"lab1", "lab2", "lab3"}},
    };
    const Map before = two_sites();
    const auto old_places = arrangement(before);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Map after = before;
        c.edit(after);
        const auto new_places = arrangement(after);
        std::vector<std::string> moved;
        for (const auto& [name, place] : old_places) {
            auto it = new_places.find(name);
            ASSERT_NE(it, new_places.end());
            if (it->second.x != place.x || it->second.y != place.y) moved.push_back(name);
        }
        EXPECT_EQ(moved, c.moved);
        check_drawing(layout_topology(after));
    }
}

TEST(Topology, ThePictureIsTheSameOnEveryRun) {
    const Map map = generate_map({.switches = 300, .vlans = 20, .seed = 9});
    SceneOptions options;
    options.view.kind = ViewKind::Topology;
    options.selected_vlan = map.vlans[2].id;
    const Scene first = build_scene(map, options);
    const Scene second = build_scene(Map(map), options);
    EXPECT_EQ(first.items, second.items);
    EXPECT_EQ(first.hits, second.hits);
}

TEST(Topology, LinksOfTheMap) {
    Map map = switches({"a", "b", "c"});
    link(map, 0, 0, 1, 0);                                      // answered: drawn once
    map.switches[0].ports[1].link = PortPeer{"elsewhere", "1"}; // not in the map
    map.switches[0].ports[2].link = PortPeer{"a", "4"};         // to itself
    map.switches[1].ports[1].link = PortPeer{"c", "9"};         // a port c lacks
    // A LAG without a peer whose members lead to c; c's ports answer one by one.
    link(map, 1, 4, 2, 4);
    link(map, 1, 5, 2, 5);
    map.switches[1].lags = {Lag{"Trk1", {"5", "6"}, std::nullopt}};
    const std::vector<TopologyLink> expected{
        {1, 2, {4, 5}, {4, 5}, 2},
        {0, 1, {0}, {0}, 0},
        {1, 2, {1}, {}, 0},
    };
    EXPECT_EQ(topology_links(map), expected);
}

// A trunk tagged 10 between each pair of linked switches, 10 untagged on a
// host port of each switch.
Map vlan_campus() {
    Map map = switches({"core", "left", "right", "far"});
    link(map, 0, 4, 1, 4);
    link(map, 0, 5, 2, 4);
    link(map, 2, 5, 3, 4);
    for (Switch& sw : map.switches)
        for (Port& port : sw.ports)
            if (port.link) port.tagged = {10};
    for (Switch& sw : map.switches) sw.ports[0].untagged = 10;
    map.switches[3].ports[4].tagged.clear(); // right - far carries 10 at right's end only
    map.switches[3].ports[0].untagged = 20;  // far: 20 only, reached over nothing carrying it
    map.switches[0].ports[1].untagged = 20;
    return map;
}

TEST(Topology, VlanColouring) {
    const Map map = vlan_campus();
    SceneOptions options;
    options.view.kind = ViewKind::Topology;
    options.selected_switch = 2;
    struct Expected {
        std::optional<std::uint16_t> vlan;
        std::vector<std::pair<Rgb, LineStyle>> lines; // by link
        std::vector<Rgb> outlines;                    // by switch
        std::size_t marks;
        std::vector<std::string> key; // the key's texts, left to right
        std::vector<std::pair<Rgb, LineStyle>> key_lines;
    };
    const Rgb grey = mix(k_frame, k_white, 0.45f);
    const Expected cases[] = {
        {std::nullopt,
         {{k_frame, LineStyle::Solid}, {k_frame, LineStyle::Solid}, {k_frame, LineStyle::Solid}},
         {k_frame, k_frame, k_frame, k_frame},
         0,
         {"Link", "LAG, with its number of ports",
          "Select a VLAN with Highlight Selected VLAN on to see where it runs."},
         {{k_frame, LineStyle::Solid}, {k_frame, LineStyle::Solid}}},
        {10,
         {{k_red, LineStyle::Solid}, {k_red, LineStyle::Solid}, {k_red, LineStyle::Dashed}},
         {k_red, k_red, k_red, k_frame},
         0,
         {"VLAN 10 Data:", "carried at both ends", "at one end only", "not carried", "uses the VLAN",
          "cut off from the others"},
         {{k_red, LineStyle::Solid}, {k_red, LineStyle::Dashed}, {grey, LineStyle::Solid}}},
        {20,
         {{grey, LineStyle::Solid}, {grey, LineStyle::Solid}, {grey, LineStyle::Solid}},
         {k_green, k_frame, k_frame, k_green},
         1,
         {"VLAN 20 Voice:", "carried at both ends", "at one end only", "not carried", "uses the VLAN",
          "cut off from the others"},
         {{k_green, LineStyle::Solid}, {k_green, LineStyle::Dashed}, {grey, LineStyle::Solid}}},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.vlan ? *e.vlan : 0);
        options.selected_vlan = e.vlan;
        const Scene scene = build_scene(map, options);
        ASSERT_EQ(scene.hits.size(), 4u);
        // The key is a row above the boxes and the marks over them.
        float boxes_top = scene.hits[0].y;
        for (const HitRegion& hit : scene.hits) boxes_top = std::min(boxes_top, hit.y);
        const float key_bottom = boxes_top - 16.0f;
        std::vector<std::pair<Rgb, LineStyle>> lines, key_lines;
        std::vector<Rgb> outlines;
        std::vector<std::string> key;
        std::size_t marks = 0;
        std::size_t rings = 0;
        std::vector<std::string> current;
        for (const SceneItem& item : scene.items) {
            if (const Line* line = std::get_if<Line>(&item))
                (line->y1 < key_bottom ? key_lines : lines).emplace_back(line->color, line->style);
            if (const Rect* rect = std::get_if<Rect>(&item); rect && rect->y >= key_bottom) {
                if (rect->width == k_topology_box_width && rect->fill) outlines.push_back(*rect->outline);
                if (rect->width > k_topology_box_width && !rect->fill) ++rings;
            }
            if (const Text* text = std::get_if<Text>(&item)) {
                if (text->y < key_bottom) {
                    if (text->text != map.site) key.push_back(text->text);
                    continue;
                }
                if (text->text == "cut off") ++marks;
                if (text->color == k_light_palette.highlight) current.push_back(text->text);
            }
        }
        // Every link here is one straight line between neighbouring layers.
        EXPECT_EQ(lines, e.lines);
        EXPECT_EQ(outlines, e.outlines);
        EXPECT_EQ(marks, e.marks);
        EXPECT_EQ(rings, e.marks);
        EXPECT_EQ(current, std::vector<std::string>{"right"});
        EXPECT_EQ(key, e.key);
        EXPECT_EQ(key_lines, e.key_lines);
        EXPECT_EQ(scene.hits[3].switch_index, 3u);
        EXPECT_EQ(scene.hits[3].port_index, k_whole_switch);
        EXPECT_EQ(scene.hits[3].width, k_topology_box_width);
        // The key widens the picture rather than running off it.
        EXPECT_GE(scene.width, estimated_text_width(e.key.back(), 10.0f, FontWeight::Normal));
    }
}

} // namespace
} // namespace quarn
