#include "dialogs/link_choice.hpp"

#include <algorithm>

#include "common/fill.hpp"

namespace quarn::dialogs {

std::vector<std::size_t> link_switches(const Map& map, std::size_t current) {
    std::vector<std::size_t> positions;
    const std::string* own_name = current < map.switches.size() ? &map.switches[current].name : nullptr;
    for (std::size_t i = 0; i < map.switches.size(); ++i) {
        if (i == current) continue;
        const std::string& name = map.switches[i].name;
        if (own_name != nullptr && name == *own_name) continue;
        if (find_switch(map, name) != i) continue;
        positions.push_back(i);
    }
    return positions;
}

LinkChoice initial_link_choice(const std::vector<LinkCandidate>& candidates, std::string_view switch_name,
                               std::string_view entry) {
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        if (candidates[c].switch_name != switch_name) continue;
        const auto& entries = candidates[c].entries;
        auto found = std::find(entries.begin(), entries.end(), entry);
        // An entry the switch no longer has: the switch stays chosen, with its
        // first entry as a change of switch would give, so that OK keeps a
        // link the user can see instead of dropping it unseen.
        if (found == entries.end()) {
            if (entries.empty()) return LinkChoice{c, std::nullopt};
            return LinkChoice{c, 0};
        }
        return LinkChoice{c, static_cast<std::size_t>(found - entries.begin())};
    }
    return {};
}

Result<std::optional<ChosenLink>> read_link_choice(const std::vector<LinkCandidate>& candidates,
                                                   const LinkChoice& choice,
                                                   std::string_view no_entry_message) {
    using Read = Result<std::optional<ChosenLink>>;
    if (!choice.candidate || *choice.candidate >= candidates.size()) return Read(std::nullopt);
    const LinkCandidate& candidate = candidates[*choice.candidate];
    if (!choice.entry || *choice.entry >= candidate.entries.size())
        return Read::failure(fill(no_entry_message, {candidate.switch_name}));
    return Read(ChosenLink{candidate.switch_name, candidate.entries[*choice.entry]});
}

} // namespace quarn::dialogs
