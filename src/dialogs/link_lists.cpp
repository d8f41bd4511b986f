#include "dialogs/link_lists.hpp"

#include <string>

#include "dialogs/form_fields.hpp"

namespace quarn::dialogs {

void LinkLists::show(HWND dialog, const LinkChoice& start) {
    std::vector<std::string> switches{"None"};
    for (const LinkCandidate& candidate : candidates_) switches.push_back(candidate.switch_name);
    fill_list(dialog, switch_id_, switches, start.candidate ? *start.candidate + 1 : 0);
    show_entries(dialog, start.entry.value_or(0));
}

std::optional<LRESULT> LinkLists::message(HWND dialog, UINT msg, WPARAM wparam) noexcept {
    if (msg != WM_COMMAND || LOWORD(wparam) != switch_id_ || HIWORD(wparam) != CBN_SELCHANGE)
        return std::nullopt;
    show_entries(dialog, 0);
    return 0;
}

Result<std::optional<ChosenLink>> LinkLists::read(HWND dialog, std::string_view no_entry_message) const {
    LinkChoice chosen;
    auto entry = list_selection(dialog, switch_id_);
    if (entry && *entry > 0) chosen.candidate = *entry - 1;
    chosen.entry = list_selection(dialog, entry_id_);
    return read_link_choice(candidates_, chosen, no_entry_message);
}

void LinkLists::show_entries(HWND dialog, std::size_t selected) noexcept {
    static const std::vector<std::string> none;
    auto entry = list_selection(dialog, switch_id_);
    const std::vector<std::string>& entries =
        entry && *entry > 0 && *entry <= candidates_.size() ? candidates_[*entry - 1].entries : none;
    fill_list(dialog, entry_id_, entries,
              selected < entries.size() ? std::optional<std::size_t>(selected) : std::nullopt);
}

} // namespace quarn::dialogs
