#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state_fwd.hpp"
#include "controls/modeless_window.hpp"
#include "validate/problem.hpp"

namespace quarn::app {

inline constexpr wchar_t k_check_window_class[] = L"QuarnCheckWnd";

// Control ids of the Check Map window.
enum CheckControl : int {
    k_check_problems = 100,
    k_check_count = 101,
    k_check_copy = 102,
};

// Check Map: the problems of the map in a list beside the main window, in
// the check's order. Choosing one (Enter, a double-click) selects the ports
// it names and scrolls the canvas to them. One per main window, owned by
// its state; opening it again checks the map as it is now.
class CheckWindow : public controls::ModelessWindow<CheckWindow> {
  public:
    // Checks the map and shows the problems, opening the window or
    // bringing it to the front.
    void show(AppState& state) noexcept;

    // The message loop's step: Enter in the list goes to the chosen
    // problem; the rest as every modeless window has it.
    [[nodiscard]] bool take_message(MSG& msg) noexcept;

    [[nodiscard]] const std::vector<Problem>& problems() const noexcept { return problems_; }

    // Every message, one a line, in the list's order; "No problems found."
    // for none: what Copy Report puts on the clipboard.
    [[nodiscard]] std::string report() const;

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    void go_to_chosen() noexcept;
    void copy_report() noexcept;

    AppState* state_ = nullptr;
    std::vector<Problem> problems_;
};

// Makes the problem's ports the selection and scrolls the canvas to them;
// ports the map no longer has (it changed since the check) are left out.
// False when none is left.
bool go_to_problem(AppState& state, const Problem& problem) noexcept;

} // namespace quarn::app
