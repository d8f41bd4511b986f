#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/map.hpp"
#include "ops/switch_ops.hpp"

namespace quarn::dialogs {

// What the switch dialog hands back.
struct SwitchForm {
    std::string name;
    std::string location;
    std::string model;
    std::string label_prefix;
    std::uint16_t ports = 0; // RJ45, at most 128
    std::uint16_t rows = 1;  // at least 1
    std::uint16_t gap_every = 0;
    std::uint16_t dual = 0; // at most 128
    std::uint16_t sfp = 0;  // at most 128
    bool number_row_by_row = false;

    bool operator==(const SwitchForm&) const = default;
};

// The fields of the dialog as the user sees them, UTF-8.
struct SwitchFormText {
    std::string name;
    std::string model;
    std::string location;
    std::string ports;
    std::string sfp;
    std::string dual;
    std::string rows;
    std::string gap;
    std::string label_prefix;
    bool number_row_by_row = false;

    bool operator==(const SwitchFormText&) const = default;
};

inline constexpr std::uint16_t k_max_form_ports = 128;

struct SwitchTemplate {
    std::string_view text;
    std::uint16_t ports = 0;
    std::uint16_t sfp = 0;
};

// The "Template:" list; entry 0 changes nothing.
inline constexpr std::array<SwitchTemplate, 7> k_switch_templates{{
    {"Custom", 0, 0},
    {"8 Ports + 2 SFP", 8, 2},
    {"16 Ports + 2 SFP", 16, 2},
    {"24 Ports + 2 SFP", 24, 2},
    {"24 Ports + 4 SFP", 24, 4},
    {"48 Ports + 2 SFP", 48, 2},
    {"48 Ports + 4 SFP", 48, 4},
}};

// The fields of a new switch (none given) or of the switch being edited.
SwitchFormText switch_form_text(const Switch* existing);

// Entries 1 to 6 write their counts and reset dual, rows and gap; entry 0
// and entries past the list change nothing. True when a field changed.
bool apply_switch_template(SwitchFormText& text, std::size_t entry);

// Reads the fields: texts trimmed, numbers parsed (invalid: 0) and clamped.
SwitchForm read_switch_form(const SwitchFormText& text);

// The first reason OK is refused, or nothing.
std::optional<std::string> switch_form_problem(const SwitchForm& form);

// The numbers the layout builder takes.
SwitchLayoutInput layout_input(const SwitchForm& form);

// The one-switch map the live preview shows; named "Switch" while the name
// is empty.
Map preview_map(const SwitchForm& form);

// Device pixels per scene unit for the preview: fit the scene into the
// client area, never larger than `natural` (the scale of the canvas at 100
// percent). A scene without size shows at the natural scale.
float preview_scale(float client_width, float client_height, float scene_width, float scene_height,
                    float natural);

} // namespace quarn::dialogs
