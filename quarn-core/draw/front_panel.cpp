#include <algorithm>
#include <string>

#include "draw/connections.hpp"
#include "draw/layout.hpp"
#include "draw/scene_context.hpp"
#include "draw/text_fit.hpp"

namespace quarn {
namespace {

constexpr float k_body_x = 16.0f;
constexpr float k_places_x = 24.0f; // 8 inside the body on both sides
constexpr float k_place_w = k_front_panel_geometry.place_width;
constexpr float k_place_h = k_front_panel_geometry.place_height;
constexpr float k_lane_pitch = 22.0f;
constexpr std::size_t k_max_chips = 4;
// Labels longer than this would run into the neighbouring places at size 9;
// Gi1/0/48 and Te1/1/12 still fit whole.
constexpr std::size_t k_label_limit = 8;

bool carries(const Port& port, std::uint16_t vlan) {
    return port.untagged == vlan ||
           std::find(port.tagged.begin(), port.tagged.end(), vlan) != port.tagged.end();
}

// Everything drawn on one port's face, worked out once for the place and
// its SFP twin.
struct Face {
    Rgb fill;
    Rgb ink; // writing on the face
    Rgb outline;
    float outline_width = 1.0f;
    bool dimmed = false;
};

Face port_face(const SceneContext& context, const Port& port, bool selected) {
    Face face;
    const Palette& palette = context.palette;
    face.fill = palette.face;
    if (port.untagged) face.fill = context.vlan_color(*port.untagged).value_or(palette.face);

    // With a VLAN chosen in the list, the ports without it step back so that
    // the VLAN's ports stand out; the selection itself never fades.
    const std::optional<std::uint16_t> chosen = context.options.selected_vlan;
    const bool carries_chosen = chosen && carries(port, *chosen);
    face.dimmed = chosen && !carries_chosen;
    if (face.dimmed) face.fill = context.dim(face.fill);
    face.ink = text_on(face.fill);
    if (face.dimmed) face.ink = context.dim(face.ink);

    if (selected) {
        face.outline = palette.highlight;
        face.outline_width = 3.0f;
    } else if (carries_chosen) {
        face.outline = palette.text;
        face.outline_width = 2.0f;
    } else {
        face.outline = face.dimmed ? context.muted_frame : palette.frame;
    }
    return face;
}

std::string vlan_text(const Port& port) {
    if (port.untagged && port.tagged.empty()) return std::to_string(*port.untagged);
    if (port.untagged) return std::to_string(*port.untagged) + "+T";
    if (!port.tagged.empty()) return "T";
    return {};
}

void draw_place(SceneContext& context, std::size_t switch_index, std::size_t port_index, const Port& port,
                const Face& face, std::optional<Rgb> bar, float x, float y) {
    context.add_rect(x, y, k_place_w, k_place_h, face.fill, face.outline, face.outline_width);
    context.add_text(short_port_label(port.label, k_label_limit), x + 19.0f, y + 9.0f, 9.0f,
                     FontWeight::Normal, TextAlign::Centre, face.ink);
    if (std::string text = vlan_text(port); !text.empty())
        context.add_text(text, x + 19.0f, y + 21.0f, 10.0f, FontWeight::Bold, TextAlign::Centre, face.ink);

    const std::size_t tagged = port.tagged.size();
    const std::size_t chips = tagged <= k_max_chips ? tagged : 2;
    for (std::size_t i = 0; i < chips; ++i) {
        Rgb color = context.vlan_color(port.tagged[i]).value_or(context.palette.face);
        if (face.dimmed) color = context.dim(color);
        context.add_rect(x + 3.0f + 7.0f * static_cast<float>(i), y + 31.0f, 6.0f, 6.0f, color, face.ink,
                         0.5f);
    }
    if (tagged > k_max_chips) {
        std::string count = "+";
        count += std::to_string(tagged - 2);
        context.add_text(count, x + 17.0f, y + 34.0f, 8.0f, FontWeight::Normal, TextAlign::Left, face.ink);
    }

    if (bar)
        context.add_rect(x, y + 37.0f, k_place_w, 3.0f, face.dimmed ? context.dim(*bar) : *bar, std::nullopt,
                         0.0f);
    if (port.disabled) context.add_line(x, y + k_place_h, x + k_place_w, y, 1.0f, face.ink);
    context.scene.hits.push_back({x, y, k_place_w, k_place_h, switch_index, port_index});
}

// Lanes below the panel, one line per connection; returns how many lanes.
std::size_t draw_lanes(SceneContext& context, const PanelLayout& layout,
                       const std::vector<Connection>& connections, float lanes_top) {
    struct Drawn {
        const Connection* connection;
        std::vector<float> xs; // member x, ascending
    };
    std::vector<Drawn> drawn;
    std::vector<LaneRequest> requests;
    for (const Connection& connection : connections) {
        Drawn d{&connection, {}};
        for (std::size_t port : connection.ports) {
            if (port < layout.places.size())
                d.xs.push_back(k_places_x + layout.places[port].x + k_place_w / 2.0f);
        }
        if (d.xs.empty()) continue; // none of its ports is on the panel
        std::sort(d.xs.begin(), d.xs.end());
        // The label starts under the leftmost member, below the lane line.
        const float label_x = d.xs.front();
        requests.push_back(
            {d.xs.front(), d.xs.back(), label_x, static_cast<float>(code_points(connection.name)) * 5.1f});
        drawn.push_back(std::move(d));
    }
    const LanePlan plan = assign_lanes(requests);
    // The member lines of a deep lane pass the labels of the lanes above it.
    // Painting the deepest lanes first, each label on a patch of background,
    // lets those lines pass behind the labels instead of striking them out;
    // lines of a higher lane end above every deeper label.
    std::vector<std::size_t> order = plan.order;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return plan.lanes[a] > plan.lanes[b]; });
    for (std::size_t i : order) {
        const Drawn& d = drawn[i];
        const Rgb color = lane_color(d.connection->number, context.palette);
        const float lane_y = lanes_top + k_lane_pitch * static_cast<float>(plan.lanes[i]) + 5.0f;
        for (float x : d.xs) context.add_line(x, lanes_top, x, lane_y, 1.5f, color);
        // The bar is centred on the lane line, where the member lines end.
        context.add_rect(d.xs.front(), lane_y - 1.5f, d.xs.back() - d.xs.front(), 3.0f, color, std::nullopt,
                         0.0f);
        const float label_x = requests[i].label_x;
        context.add_rect(label_x - 2.0f, lane_y + 4.0f,
                         estimated_text_width(d.connection->name, 10.0f, FontWeight::Bold) + 4.0f, 12.0f,
                         context.palette.background, std::nullopt, 0.0f);
        context.add_wide_text(d.connection->name, label_x, lane_y + 10.0f, 10.0f, FontWeight::Bold,
                              context.palette.text);
    }
    return plan.lane_count;
}

} // namespace

float front_panel_body_width(float common) {
    return common + 16.0f;
}

void build_front_panel_switch(SceneContext& context, std::size_t s, const PanelLayout& layout,
                              float body_width) {
    const Switch& sw = context.map.switches[s];
    context.right = std::max(context.right, k_body_x + body_width);
    const float block_top = context.top;
    context.add_switch_title(s);

    const float body_top = context.top + 24.0f;
    const float body_height = layout.height + 16.0f;
    context.add_rect(k_body_x, body_top, body_width, body_height, context.palette.panel,
                     context.palette.frame, 1.0f);

    const auto lags = port_lags(sw);
    const std::vector<Connection> connections = switch_connections(sw, lags);
    // The bar under a port has the colour of its lane: LAG members their
    // LAG's, a port with an uplink of its own that of its uplink lane.
    std::vector<std::optional<Rgb>> bars(sw.ports.size());
    for (const Connection& connection : connections) {
        const Rgb color = lane_color(connection.number, context.palette);
        for (std::size_t port : connection.ports)
            if (!bars[port]) bars[port] = color;
    }

    // At most seven items and two texts of a few bytes a port.
    const std::size_t places = layout.places.size() + layout.twins.size();
    if (context.parts) {
        context.scene.items.reserve(4 + connections.size() * 8 + places * 7, 2 + places * 2, places * 12);
        context.scene.hits.reserve(places);
    }

    std::vector<Face> faces;
    faces.reserve(layout.places.size());
    const float places_y = body_top + 8.0f;
    for (std::size_t p = 0; p < layout.places.size(); ++p) {
        faces.push_back(port_face(context, sw.ports[p], context.selected(s, p)));
        draw_place(context, s, p, sw.ports[p], faces.back(), bars[p], k_places_x + layout.places[p].x,
                   places_y + layout.places[p].y);
    }
    for (const TwinPlace& twin : layout.twins) {
        draw_place(context, s, twin.place, sw.ports[twin.place], faces[twin.place], bars[twin.place],
                   k_places_x + twin.x, places_y + twin.y);
    }

    // The lanes hang from the body's lower edge.
    const float lanes_top = body_top + body_height;
    context.scene.cuts.push_back({block_top, lanes_top});
    const std::size_t lanes = draw_lanes(context, layout, connections, lanes_top);
    for (std::size_t lane = 0; lane < lanes; ++lane) {
        const float lane_top = lanes_top + k_lane_pitch * static_cast<float>(lane);
        context.scene.cuts.push_back({lane_top, lane_top + k_lane_pitch});
    }
    context.top = lanes_top + k_lane_pitch * static_cast<float>(lanes);
    context.scene.blocks.push_back({block_top, context.top});
}

} // namespace quarn
