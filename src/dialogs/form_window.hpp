#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The colours of a drop-down list's open list, which asks its dialog as a
// list box does; nothing for other messages.
std::optional<LRESULT> form_colour_message(UINT msg, WPARAM wparam) noexcept;

// Gives the keyboard focus back to the control that had it when the dialog
// is activated again (after a message box, or coming back from another
// program); the default would leave it on the dialog window itself.
class FocusMemory {
  public:
    std::optional<LRESULT> message(HWND dialog, UINT msg, WPARAM wparam) noexcept;

  private:
    HWND last_ = nullptr;
};

} // namespace quarn::dialogs
