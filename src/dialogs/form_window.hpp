#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "controls/common_message.hpp"
#include "controls/dialog_window.hpp"
#include "controls/modal.hpp"
#include "dialogs/link_choice.hpp"
#include "win/window_base.hpp"

namespace quarn::dialogs {

// The kinds the editor dialogs are built from: the shared control kinds they
// use, plus the drop-down list, the switch dialog's preview and a caption
// (a label whose text comes from the map, so '&' is shown as it is).
enum class FormKind {
    Label,
    Caption,
    TextEdit,
    NumberEdit,
    CheckBox,
    PushButton,
    DropDownList, // drop-down-list combo box, vertical scroll bar, tab stop; h: the open list
    Preview,      // the QuarnPreview window, sunken client edge
};

// One row of an editor's control table, in units of 1/96 inch; `limit`:
// the character limit of edits.
struct FormControl {
    FormKind kind = FormKind::Label;
    int id = 0;
    const wchar_t* text = L"";
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int limit = 0;
};

// Creates the table's controls in table order (which is the Tab order),
// scaled for the window's DPI, with the dialog font and the current theme
// ("DarkMode_CFD" on drop-down lists in dark mode). A control that cannot be
// created is left out.
void create_form_controls(HWND window, std::span<const FormControl> table) noexcept;

// A field's text as UTF-8, at most k_max_field_text UTF-16 units (a pair cut
// in half is dropped).
std::string read_field(HWND dialog, int id);
void write_field(HWND dialog, int id, std::string_view text) noexcept;

bool is_checked(HWND dialog, int id) noexcept;
void set_checked(HWND dialog, int id, bool checked) noexcept;

// Drop-down lists: replace the entries (selecting `selected`, or nothing),
// and read the selection.
void fill_list(HWND dialog, int id, const std::vector<std::string>& entries,
               std::optional<std::size_t> selected) noexcept;
std::optional<std::size_t> list_selection(HWND dialog, int id) noexcept;

// Gives the keyboard focus back to the control that had it when the dialog
// is activated again (after a message box, or coming back from another
// program); the default would leave it on the dialog window itself.
class FocusMemory {
  public:
    std::optional<LRESULT> message(HWND dialog, UINT msg, WPARAM wparam) noexcept;

  private:
    HWND last_ = nullptr;
};

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

// Where and how an editor opens: its window class and title, its outer size
// in 1/96 inch, its controls and the one focused first.
struct FormWindow {
    const wchar_t* class_name = L"";
    const wchar_t* title = L"";
    int width = 0;
    int height = 0;
    std::span<const FormControl> controls;
    int first_focus = 0;
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
        if (auto handled = controls::dialog_result_message(msg, wparam)) return *handled;
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
        create_form_controls(window, form.controls);
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

    FocusMemory focus_;
};

} // namespace quarn::dialogs
