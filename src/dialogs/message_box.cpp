#include "dialogs/message_box.hpp"

#include <commctrl.h>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/create_controls.hpp"
#include "controls/dialog_window.hpp"
#include "controls/icons.hpp"
#include "controls/modal.hpp"
#include "identity/resource.h"
#include "theme/fonts.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {
namespace {

constexpr int k_icon_id = 4000;
constexpr int k_text_id = 4001;
constexpr UINT k_text_format = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT;

class MessageWindow : public win::WindowBase<MessageWindow> {
  public:
    MessageWindow(std::size_t button_count, std::size_t default_index, std::size_t close_index) noexcept
        : button_count_(button_count), default_index_(default_index), close_index_(close_index),
          result_(close_index) {}

    [[nodiscard]] bool done() const noexcept { return done_; }
    [[nodiscard]] std::size_t result() const noexcept { return result_; }
    [[nodiscard]] int default_button_id() const noexcept {
        return k_message_first_button_id + static_cast<int>(default_index_);
    }
    [[nodiscard]] HWND default_button() const noexcept { return ::GetDlgItem(hwnd(), default_button_id()); }

    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        switch (msg) {
        case DM_GETDEFID:
            return on_get_default();
        case WM_COMMAND:
            return on_command(LOWORD(wparam), HIWORD(wparam));
        case WM_CLOSE:
            finish(close_index_);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) != WA_INACTIVE) ::SetFocus(default_button());
            return 0;
        default:
            break;
        }
        if (auto handled = controls::common_window_message(hwnd(), msg, wparam, lparam)) return *handled;
        return default_proc(msg, wparam, lparam);
    }

  private:
    // Enter presses the button that has the focus, the default one otherwise.
    LRESULT on_get_default() noexcept {
        HWND focus = ::GetFocus();
        int id = k_message_first_button_id + static_cast<int>(default_index_);
        if (focus != nullptr && ::GetParent(focus) == hwnd()) {
            int focused = ::GetDlgCtrlID(focus);
            if (focused >= k_message_first_button_id &&
                focused < k_message_first_button_id + static_cast<int>(button_count_))
                id = focused;
        }
        return MAKELRESULT(id, DC_HASDEFID);
    }

    LRESULT on_command(int id, int notification) noexcept {
        if (notification != BN_CLICKED) return 0;
        if (id >= k_message_first_button_id &&
            id < k_message_first_button_id + static_cast<int>(button_count_))
            finish(static_cast<std::size_t>(id - k_message_first_button_id));
        else if (id == IDCANCEL)
            finish(close_index_);
        else if (id == IDOK)
            finish(default_index_);
        return 0;
    }

    void finish(std::size_t index) noexcept {
        if (done_) return;
        result_ = index;
        done_ = true;
    }

    std::size_t button_count_;
    std::size_t default_index_;
    std::size_t close_index_;
    std::size_t result_;
    bool done_ = false;
};

// The height of the message wrapped in the label's width, in units.
int measure_text(HWND window, const std::wstring& text, UINT dpi) noexcept {
    win::WindowDc dc(window);
    HDC hdc = dc.get();
    if (hdc == nullptr) return 0;
    win::SelectGuard font(hdc, theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Plain));
    RECT rect{0, 0, scale_units(k_message_text_width, dpi), 0};
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, k_text_format | DT_CALCRECT);
    int pixels = rect.bottom - rect.top;
    // Round up so that the label is never a pixel short of its last line.
    return (pixels * 96 + static_cast<int>(dpi) - 1) / static_cast<int>(dpi);
}

win::UniqueIcon load_icon(MessageIcon icon, int size) noexcept {
    if (icon == MessageIcon::Program) {
        win::UniqueIcon program =
            controls::load_icon(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUARN), size);
        if (program) return program;
    }
    return controls::load_icon(nullptr, icon == MessageIcon::Warning ? IDI_WARNING : IDI_APPLICATION, size);
}

} // namespace

std::size_t show_message(const MessageRequest& request) noexcept {
    std::vector<std::wstring> captions;
    for (const std::string& caption : request.buttons) captions.push_back(win::widen(caption));
    if (captions.empty()) captions.push_back(L"OK");
    std::size_t last = captions.size() - 1;
    std::size_t default_index = request.default_index < last ? request.default_index : last;
    std::size_t close_index = request.close_index < last ? request.close_index : last;

    MessageWindow box(captions.size(), default_index, close_index);
    HWND window = controls::create_dialog_window(k_message_window_class, L"Quarn",
                                                 &MessageWindow::window_proc, request.owner, 390, 144, &box);
    if (window == nullptr) return close_index;
    UINT dpi = controls::window_dpi(window);
    auto px = [dpi](int units) { return scale_units(units, dpi); };

    std::wstring text = win::widen(request.text);
    MessageLayout layout = message_layout(measure_text(window, text, dpi));
    // The icon, the text (which shows '&' as it is and breaks words longer
    // than its width), then the buttons.
    std::vector<controls::ControlRow> rows{
        {controls::ControlKind::Icon, k_icon_id, L"", 12, 12, 32, 32, 0},
        {controls::ControlKind::MessageText, k_text_id, text.c_str(), 56, 12, k_message_text_width,
         layout.text_height, 0},
    };
    int count = static_cast<int>(captions.size());
    for (int i = 0; i < count; ++i)
        rows.push_back({controls::ControlKind::PushButton, k_message_first_button_id + i,
                        captions[static_cast<std::size_t>(i)].c_str(), layout.button_x(i, count),
                        layout.buttons_y, k_message_button_width, k_message_button_height, 0});
    controls::CreatedControls created = controls::create_controls(window, rows, dpi);
    win::UniqueIcon icon = load_icon(request.icon, px(32));
    if (!created.handles.empty() && created.handles.front() != nullptr && icon)
        ::SendMessageW(created.handles.front(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    ::SetWindowPos(window, nullptr, 0, 0, px(layout.outer_width), px(layout.outer_height),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    controls::run_modal_loop(window, request.owner, box.default_button_id(),
                             [&box]() noexcept { return box.done(); });
    return box.done() ? box.result() : close_index;
}

void show_warning(HWND owner, std::string_view text) noexcept {
    MessageRequest request;
    request.owner = owner;
    request.icon = MessageIcon::Warning;
    request.text = std::string(text);
    request.buttons = {"OK"};
    (void)show_message(request);
}

} // namespace quarn::dialogs
