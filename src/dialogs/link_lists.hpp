#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "dialogs/link_choice.hpp"

namespace quarn::dialogs {

// The "Linked To:" pair of drop-down lists: the switches ("None" first,
// then the candidates) and what can be chosen on the one chosen.
class LinkLists {
  public:
    LinkLists(const std::vector<LinkCandidate>& candidates, int switch_id, int entry_id) noexcept
        : candidates_(candidates), switch_id_(switch_id), entry_id_(entry_id) {}

    // Fills both lists, on `start` (see initial_link_choice).
    void show(HWND dialog, const LinkChoice& start);

    // A new switch chosen: its entries, the first one chosen.
    std::optional<LRESULT> message(HWND dialog, UINT msg, WPARAM wparam) noexcept;

    // What OK reads (see read_link_choice).
    Result<std::optional<ChosenLink>> read(HWND dialog, std::string_view no_entry_message) const;

  private:
    void show_entries(HWND dialog, std::size_t selected) noexcept;

    const std::vector<LinkCandidate>& candidates_;
    int switch_id_;
    int entry_id_;
};

} // namespace quarn::dialogs
