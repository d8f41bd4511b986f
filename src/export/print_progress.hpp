#pragma once

#include <windows.h>

#include <cstddef>

#include "win/window_base.hpp"

namespace quarn {

inline constexpr wchar_t k_print_progress_class[] = L"QuarnPrintProgressWnd";
inline constexpr int k_print_progress_text = 101;

// The small window a long print job shows: "Printing page n of N" and
// Cancel. While it is up its owner is disabled, as under a modal dialog;
// the page loop lets its messages through between pages and through the
// printer's abort procedure while the spooler takes a page.
class PrintProgress : public win::WindowBase<PrintProgress> {
  public:
    PrintProgress(HWND owner, std::size_t pages) noexcept;
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;
    ~PrintProgress();

    // Shows the page about to be printed and lets the waiting messages
    // through; false once the user cancelled.
    [[nodiscard]] bool page(std::size_t number) noexcept;
    // Lets the waiting messages through; false once the user cancelled.
    [[nodiscard]] bool pump() noexcept;
    [[nodiscard]] bool cancelled() const noexcept { return cancelled_; }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept;

  private:
    HWND owner_ = nullptr;
    bool owner_was_enabled_ = false;
    std::size_t pages_ = 0;
    bool cancelled_ = false;
};

} // namespace quarn
