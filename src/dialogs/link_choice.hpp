#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "model/map.hpp"

namespace quarn::dialogs {

// One entry of a "Linked To:" list: a switch other than the current one, and
// what can be chosen on it (its LAG names, or its free port labels).
struct LinkCandidate {
    std::string switch_name;
    std::vector<std::string> entries;

    bool operator==(const LinkCandidate&) const = default;
};

// The two lists' selections: a candidate (none: "None") and an entry of it.
struct LinkChoice {
    std::optional<std::size_t> candidate;
    std::optional<std::size_t> entry;

    bool operator==(const LinkChoice&) const = default;
};

// The switches a link may go to, in map order: every switch but the current
// one, leaving out switches that their name does not reach (a later switch
// bearing an earlier one's name) and switches named like the current one, as
// a peer record, which names switches, could not tell them apart.
std::vector<std::size_t> link_switches(const Map& map, std::size_t current);

// Where the lists start: on the current link's switch and entry; on that
// switch and its first entry when the entry is not offered; on "None" when
// the switch is not offered.
LinkChoice initial_link_choice(const std::vector<LinkCandidate>& candidates, std::string_view switch_name,
                               std::string_view entry);

struct ChosenLink {
    std::string switch_name;
    std::string entry;

    bool operator==(const ChosenLink&) const = default;
};

// What OK reads from the lists: nothing for "None", the switch and entry
// otherwise; a switch without a chosen entry is refused with
// `no_entry_message` filled with the switch's name.
Result<std::optional<ChosenLink>> read_link_choice(const std::vector<LinkCandidate>& candidates,
                                                   const LinkChoice& choice,
                                                   std::string_view no_entry_message);

} // namespace quarn::dialogs
