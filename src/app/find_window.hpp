#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "app/app_state_fwd.hpp"
#include "app/find_commands.hpp"
#include "find/find_map.hpp"
#include "win/window_base.hpp"

namespace quarn::app {

inline constexpr wchar_t k_find_window_class[] = L"QuarnFindWnd";

// Control ids of the Find window.
enum FindControl : int {
    k_find_query = 100,
    k_find_results = 101,
    k_find_count = 102,
};

// Find: a small modeless window that searches the whole map as the user
// types and goes to the chosen place. One per main window, owned by its
// state; F3 and Shift+F3 step through the last search's places without it.
class FindWindow : public win::WindowBase<FindWindow> {
  public:
    // Opens the window, or brings it to the front, with its text selected.
    void show(AppState& state) noexcept;
    // The next (or previous) place of the last search, found afresh in the
    // map as it is now; opens the window when nothing was searched yet.
    void step(AppState& state, int direction) noexcept;

    // The message loop's step for the window: Enter goes to the chosen
    // place, Escape closes, other keys go to its dialog navigation. True
    // when the message was taken.
    [[nodiscard]] bool take_message(MSG& msg) noexcept;

    [[nodiscard]] const FindResults& results() const noexcept { return results_; }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    void search() noexcept;
    void go_to_chosen() noexcept;

    AppState* state_ = nullptr;
    std::string query_;
    FindResults results_;
    std::size_t current_ = 0;
    bool stepped_ = false;
};

// Makes a found place the current one: a port is selected, a switch becomes
// the current switch, a VLAN is selected in the list; the canvas scrolls to
// the port or switch.
void go_to_found(AppState& state, const Found& found) noexcept;

} // namespace quarn::app
