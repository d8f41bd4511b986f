#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/link_choice.hpp"
#include "model/map.hpp"

namespace quarn::dialogs {

// What the LAG dialog hands back. With `remove` set the other fields are
// empty and none.
struct LagForm {
    std::string name;  // trimmed
    std::string ports; // the port range text as typed
    std::optional<LagPeer> peer;
    bool remove = false;

    bool operator==(const LagForm&) const = default;
};

struct LagDialogInput {
    bool editing = false; // "Edit LAG" with "Remove LAG"; else "Add LAG"
    std::string name;
    std::string ports;
    std::vector<LinkCandidate> candidates; // entries: the switch's LAG names
    std::optional<LagPeer> current;

    bool operator==(const LagDialogInput&) const = default;
};

inline constexpr std::string_view k_lag_has_no_lags = "{} has no LAGs yet. Add one there first.";

// The LAG that the LAG command edits: the first LAG that the first selected
// port (by position) is a member of; nothing means the command adds one.
std::optional<std::string> lag_to_edit(const Switch& sw, const std::vector<std::size_t>& selected);

// The dialog's inputs. Editing: the LAG's name, its members as a port range
// text and its peer. Adding: the first free "Trk{}" name and the selected
// ports as a port range text.
LagDialogInput lag_dialog_input(const Map& map, std::size_t switch_index,
                                const std::optional<std::string>& editing,
                                const std::vector<std::size_t>& selected);

// The caller's check, run on OK: the port range text against the switch's
// ports, then the name, its uniqueness on the switch and the ports' freedom.
std::optional<std::string> check_lag_form(const Switch& sw, const std::optional<std::string>& editing,
                                          const LagForm& form);

// The question asked once the check has passed, when accepting would change
// the VLANs of some port: "All ports of the LAG will take the VLANs of port
// {}". Nothing when no port's VLANs change.
std::optional<std::string> lag_form_question(const Switch& sw, const std::optional<std::string>& editing,
                                             const LagForm& form);

// The two as the dialog takes them; they keep a copy of the switch, so they
// hold no reference into the document while the dialog runs.
using LagCheck = std::function<std::optional<std::string>(const LagForm&)>;
LagCheck lag_check(const Map& map, std::size_t switch_index, const std::optional<std::string>& editing);
LagCheck lag_question(const Map& map, std::size_t switch_index, const std::optional<std::string>& editing);

// Applies the dialog's result: removes the edited LAG, or creates or edits
// it and then links it to the chosen far LAG, both ways (none: the LAG and
// whatever named it lose their peer). All or nothing: on a refusal the map
// is unchanged and the message comes back.
std::optional<std::string> apply_lag_form(Map& map, std::size_t switch_index,
                                          const std::optional<std::string>& editing, const LagForm& form);

} // namespace quarn::dialogs
