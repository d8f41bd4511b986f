#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::dialogs {

inline constexpr wchar_t k_message_window_class[] = L"QuarnMessageWnd";
// Button i of a message box has the control id 5000 + i.
inline constexpr int k_message_first_button_id = 5000;

enum class MessageIcon { Warning, Program };

// One message, warning or question. Texts are UTF-8.
struct MessageRequest {
    HWND owner = nullptr;
    MessageIcon icon = MessageIcon::Warning;
    std::string text;
    std::vector<std::string> buttons; // captions in order; none means a single "OK"
    std::size_t default_index = 0;    // pressed by Enter, focused at the start
    std::size_t close_index = 0;      // returned for Escape and the close box
};

// Shows the message in the program's own box (owner disabled meanwhile) and
// returns the index of the chosen button. Indices beyond the buttons count
// as the last one. When the box cannot be created, or the quit message ends
// its loop, the close index comes back.
std::size_t show_message(const MessageRequest& request) noexcept;

// The plain warning: the message, the warning icon and "OK".
void show_warning(HWND owner, std::string_view text) noexcept;

// The box's geometry in units of 1/96 inch for a measured text height and a
// number of buttons; the window lays itself out by it.
struct MessageLayout {
    int text_height = 0; // at least 32
    int outer_width = 0;
    int outer_height = 0;
    int buttons_y = 0;
    [[nodiscard]] constexpr int button_x(int index, int count) const noexcept {
        return 366 - (count - index) * 88;
    }
};

inline constexpr int k_message_text_width = 306;
inline constexpr int k_message_button_width = 84;
inline constexpr int k_message_button_height = 26;

[[nodiscard]] constexpr MessageLayout message_layout(int measured_text_height) noexcept {
    int text_height = measured_text_height < 32 ? 32 : measured_text_height;
    return MessageLayout{text_height, 390, text_height + 112, text_height + 32};
}

} // namespace quarn::dialogs
