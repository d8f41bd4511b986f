#include "dialogs/switch_form.hpp"

#include <algorithm>

#include "dialogs/form_text.hpp"

namespace quarn::dialogs {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The label of the first port without its trailing decimal digits.
std::string prefix_of_first_port(const Switch& sw) {
    if (sw.ports.empty()) return {};
    std::string_view label = sw.ports.front().label;
    while (!label.empty() && is_digit(label.back())) label.remove_suffix(1);
    return std::string(label);
}

std::uint64_t places_of_kind(const Switch& sw, PortKind kind) {
    std::uint64_t places = 0;
    for (const PortGroup& group : sw.groups)
        if (group.kind == kind) places += group_places(group);
    return places;
}

// What every template resets the RJ45 block to.
constexpr int k_template_rows = 2;
constexpr int k_template_gap = 6;

std::uint16_t count_field(std::string_view text) {
    return std::min(parse_form_number(text).value_or(0), k_max_form_ports);
}

} // namespace

SwitchFormText switch_form_text(const Switch* existing) {
    SwitchFormText text{.ports = "24", .sfp = "0", .dual = "0", .rows = "2", .gap = "6"};
    if (existing == nullptr) return text;

    text.name = existing->name;
    text.model = existing->model;
    text.location = existing->location;
    auto main_block = std::find_if(existing->groups.begin(), existing->groups.end(),
                                   [](const PortGroup& group) { return group.kind == PortKind::Rj45; });
    if (main_block != existing->groups.end()) {
        text.ports = std::to_string(group_places(*main_block));
        text.rows = std::to_string(main_block->rows);
        text.gap = std::to_string(main_block->block);
        text.number_row_by_row = main_block->numbering == Numbering::Rows;
    } else {
        text.ports = std::to_string(0);
    }
    text.sfp = std::to_string(places_of_kind(*existing, PortKind::Sfp));
    text.dual = std::to_string(places_of_kind(*existing, PortKind::Dual));
    text.label_prefix = prefix_of_first_port(*existing);
    return text;
}

bool apply_switch_template(SwitchFormText& text, std::size_t entry) {
    if (entry == 0 || entry >= k_switch_templates.size()) return false;
    const SwitchTemplate& chosen = k_switch_templates[entry];
    SwitchFormText before = text;
    text.ports = std::to_string(chosen.ports);
    text.sfp = std::to_string(chosen.sfp);
    text.dual = std::to_string(0);
    text.rows = std::to_string(k_template_rows);
    text.gap = std::to_string(k_template_gap);
    return text != before;
}

SwitchForm read_switch_form(const SwitchFormText& text) {
    SwitchForm form;
    form.name = trim_space(text.name);
    form.location = trim_space(text.location);
    form.model = trim_space(text.model);
    form.label_prefix = trim_space(text.label_prefix);
    form.ports = count_field(text.ports);
    form.rows = std::max<std::uint16_t>(parse_form_number(text.rows).value_or(0), 1);
    form.gap_every = parse_form_number(text.gap).value_or(0);
    form.dual = count_field(text.dual);
    form.sfp = count_field(text.sfp);
    form.number_row_by_row = text.number_row_by_row;
    return form;
}

std::optional<std::string> switch_form_problem(const SwitchForm& form) {
    if (form.name.empty()) return "Enter a name for the switch.";
    if (form.ports == 0 && form.sfp == 0 && form.dual == 0) return "A switch needs at least one port.";
    return std::nullopt;
}

SwitchLayoutInput layout_input(const SwitchForm& form) {
    return SwitchLayoutInput{form.label_prefix,     form.ports, form.rows,
                             form.gap_every,        form.dual,  form.sfp,
                             form.number_row_by_row};
}

Map preview_map(const SwitchForm& form) {
    Map map;
    map.switches.push_back(
        make_switch(form.name.empty() ? "Switch" : form.name, form.location, form.model, layout_input(form)));
    return map;
}

float preview_scale(float client_width, float client_height, float scene_width, float scene_height,
                    float natural) {
    float scale = natural;
    if (scene_width > 0.0f) scale = std::min(scale, client_width / scene_width);
    if (scene_height > 0.0f) scale = std::min(scale, client_height / scene_height);
    return std::max(scale, 0.0f);
}

} // namespace quarn::dialogs
