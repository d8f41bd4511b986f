#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/map.hpp"

namespace quarn {

// The numbers from which a front panel is built (the switch dialog's form).
struct SwitchLayoutInput {
    std::string label_prefix;
    std::uint16_t ports = 0; // RJ45
    std::uint16_t rows = 0;
    std::uint16_t gap_every = 0;
    std::uint16_t dual = 0;
    std::uint16_t sfp = 0;
    bool number_row_by_row = false;

    bool operator==(const SwitchLayoutInput&) const = default;
};

struct SwitchLayout {
    std::vector<PortGroup> groups;
    std::vector<Port> ports;

    bool operator==(const SwitchLayout&) const = default;
};

// Groups RJ45, dual, SFP (each only when its count is not 0) and one empty
// port per place, labelled prefix + 1, 2, ...; counts that do not fill their
// rows are rounded up.
SwitchLayout build_switch_layout(const SwitchLayoutInput& input);

// A switch as the switch dialog describes it, with empty ports.
Switch make_switch(std::string name, std::string location, std::string model,
                   const SwitchLayoutInput& layout);

// The new record for an edited switch and what the edit costs.
struct SwitchEdit {
    Switch edited;
    // Old ports with VLANs whose data does not reach the new layout: their
    // label is gone, or an earlier port bears the same label and its data is
    // the one carried over.
    std::size_t ports_losing_vlans = 0;
};

// Builds the new layout and carries over, by label, each old port's VLANs,
// description, disabled flag and link (from the first old port bearing the
// label); keeps the LAGs (apply_switch_edit drops members that are gone).
SwitchEdit prepare_switch_edit(const Switch& old, std::string name, std::string location, std::string model,
                               const SwitchLayoutInput& layout);

// Puts the edited record in place of switch `index`: ports that are gone
// lose their links at both ends, links and LAG peers follow a rename, LAGs
// lose members that are gone and LAGs left empty are unpeered and dropped.
// Also keeps the LAG rules of the record itself (unique names, each label a
// member once, no member with a link) by dropping what breaks them, so a
// record from elsewhere than prepare_switch_edit cannot damage the map.
// False, and nothing changes, for an index past the list or a record whose
// ports do not match its groups (or that has an empty group).
bool apply_switch_edit(Map& map, std::size_t index, Switch edited);

// Inserts the switch after `after` (at the end when that names no switch)
// and gives its position. The switch is made from the form, so it has no
// links or LAGs that could break the map.
std::size_t add_switch(Map& map, std::optional<std::size_t> after, std::string name, std::string location,
                       std::string model, const SwitchLayoutInput& layout);

// Inserts a copy named "{} (Copy)" right after the original and gives its
// position. The copy keeps VLANs, descriptions and LAG members but no links
// and no LAG peers: those belong to the original's cables.
std::optional<std::size_t> duplicate_switch(Map& map, std::size_t index);

// Swap with the neighbour; give the switch's new position, or nothing when it
// cannot move (first, last, or no such switch).
std::optional<std::size_t> move_switch_up(Map& map, std::size_t index);
std::optional<std::size_t> move_switch_down(Map& map, std::size_t index);

// Removes the switch; links and LAG peers elsewhere that pointed at it are
// cleared, so nothing is left pointing into the void. When another switch
// earlier in the list bears the same name, those references meant that one
// and stay.
void remove_switch(Map& map, std::size_t index);

} // namespace quarn
