#pragma once

#include <windows.h>

#include "common/dpi.hpp"

namespace quarn::controls {

// The kinds every window of the program is built from.
enum class ControlKind {
    Label,       // static text, left-aligned
    Caption,     // static text from the map: no prefix characters ('&' shows as it is), end ellipsis
    Heading,     // static text in the heading font
    PathLabel,   // static text, no prefix characters, path ellipsis
    MessageText, // static text, no prefix characters, words longer than the width broken
    Icon,        // an icon scaled into the control; set with STM_SETICON
    CheckBox,    // automatic check box without visual style
    RadioButton, // automatic radio button; the first after a non-radio row starts a group
    NumberEdit,  // digits only
    UpperEdit,   // converts to upper case
    TextEdit,
    TextViewer,   // read-only, multi-line, vertical scroll bar, no length limit
    CodeEdit,     // multi-line text to paste into: fixed-pitch font, both scroll bars, see below
    DropDownList, // drop-down-list combo box, vertical scroll bar, tab stop; h: the open list
    ResultList,   // list box of lines, one selected at a time, with tab stops in its lines
    Link,         // owner-drawn underlined text with the hand cursor
    PushButton,   // owner-drawn button
    MenuButton,   // owner-drawn button of a menu bar: its first letter is its access key
    Custom,       // a window of the class named by `text`, sunken client edge (the switch preview)
};

// A CodeEdit takes Enter as a new line; Tab and Escape stay the dialog's
// (Tab moves on, Escape cancels); Ctrl+A selects all; pasted line breaks of
// any kind become CR LF, the only ones an edit shows. `limit` 0: as much as
// the control can hold.

// One row of a dialog's control table. Position and size are in 1/96 inch;
// `limit` is the character limit of edits (0: the control's default).
struct ControlRow {
    ControlKind kind = ControlKind::Label;
    int id = 0;
    const wchar_t* text = L"";
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int limit = 0;
};

// The DPI a window is shown at, 96 when it cannot be read.
[[nodiscard]] UINT window_dpi(HWND window) noexcept;

} // namespace quarn::controls
