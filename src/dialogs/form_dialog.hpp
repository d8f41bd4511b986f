#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <utility>

#include "controls/common_message.hpp"
#include "controls/control_table.hpp"
#include "controls/dialog_window.hpp"
#include "controls/focus_memory.hpp"
#include "controls/modal.hpp"
#include "dialogs/form_controls.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {

// Where and how an editor opens: its window class and title, its outer size
// in 1/96 inch, its controls, the one focused first and the window object of
// its Custom row, if it has one.
struct FormWindow {
    const wchar_t* class_name = L"";
    const wchar_t* title = L"";
    int width = 0;
    int height = 0;
    std::span<const controls::ControlRow> controls;
    int first_focus = 0;
    void* custom_object = nullptr;
};

// What the editor dialogs have in common. `Derived` provides
//   std::optional<LRESULT> own_message(UINT, WPARAM, LPARAM) noexcept
//     for its own commands, seen before the shared messages;
//   void show()   to fill the fields once the controls exist;
//   bool accept() on OK: stores `result_` and returns true, or warns and
//     returns false to keep the dialog open.
// show and accept may throw (out of memory): the dialog then does not open,
// or stays open.
template <class Derived, class Result>
class FormDialog : public win::WindowBase<Derived> {
  public:
    LRESULT handle_message(UINT msg, WPARAM wparam, LPARAM lparam) noexcept {
        HWND dialog = this->hwnd();
        if (auto handled = self().own_message(msg, wparam, lparam)) return *handled;
        if (auto handled = controls::dialog_result_message(dialog, msg, wparam)) return *handled;
        if (auto handled = focus_.message(dialog, msg, wparam)) return *handled;
        if (auto handled = controls::common_window_message(dialog, msg, wparam, lparam)) return *handled;
        return this->default_proc(msg, wparam, lparam);
    }

    // Opens the dialog modally, owned by `owner`: the result once OK was
    // accepted, nothing when cancelled or closed or when the window could
    // not be created.
    std::optional<Result> run(HWND owner, const FormWindow& form) noexcept {
        HWND window = controls::create_dialog_window(form.class_name, form.title, &Derived::window_proc,
                                                     owner, form.width, form.height, &self());
        if (window == nullptr) return std::nullopt;
        create_form_controls(window, form.controls, form.custom_object);
        try {
            self().show();
        } catch (...) {
            ::DestroyWindow(window);
            return std::nullopt;
        }
        auto on_ok = [this]() noexcept {
            try {
                return self().accept();
            } catch (...) {
                return false;
            }
        };
        if (!controls::run_modal(window, owner, form.first_focus, on_ok)) return std::nullopt;
        return std::move(result_);
    }

  protected:
    std::optional<Result> result_;

  private:
    Derived& self() noexcept { return static_cast<Derived&>(*this); }

    controls::FocusMemory focus_;
};

} // namespace quarn::dialogs
