#pragma once

// Drives a dialog from inside its modal loop (steps of a testing::Script)
// the way a user would: fields set by messages that notify the dialog,
// buttons clicked, list entries chosen; and reads where its controls are.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace quarn::testing {

// The DPI a window is shown at, 96 when the system cannot tell.
inline UINT dpi_of(HWND window) {
    UINT dpi = ::GetDpiForWindow(window);
    return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

inline int to_units(int pixels, UINT dpi) {
    return (pixels * 96 + static_cast<int>(dpi) / 2) / static_cast<int>(dpi);
}

inline std::wstring text_of(HWND window) {
    int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

inline std::wstring class_of(HWND window) {
    wchar_t buffer[64] = {};
    ::GetClassNameW(window, buffer, 64);
    return buffer;
}

// The one open window of a class (the dialog under test, the message box).
inline HWND find(const wchar_t* class_name) {
    return ::FindWindowW(class_name, nullptr);
}

// How many top-level windows of a class are there: one-instance windows
// must not multiply.
inline int count_windows(const wchar_t* class_name) {
    int count = 0;
    for (HWND window = ::FindWindowExW(nullptr, nullptr, class_name, nullptr); window != nullptr;
         window = ::FindWindowExW(nullptr, window, class_name, nullptr))
        ++count;
    return count;
}

inline HWND item(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}

// Like typing: the edit notifies the dialog with EN_CHANGE.
inline void type(HWND dialog, int id, const wchar_t* text) {
    ::SetDlgItemTextW(dialog, id, text);
}

inline std::wstring field(HWND dialog, int id) {
    return text_of(item(dialog, id));
}

inline void click(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(item(dialog, id)));
}

// A check box clicked by the user: it toggles and notifies.
inline void toggle(HWND dialog, int id) {
    ::SendMessageW(item(dialog, id), BM_CLICK, 0, 0);
}

// Picks an entry of a drop-down list as the user would: the selection
// changes and the dialog hears CBN_SELCHANGE.
inline void choose(HWND dialog, int id, int index) {
    HWND list = item(dialog, id);
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline std::vector<std::wstring> entries(HWND dialog, int id) {
    HWND list = item(dialog, id);
    std::vector<std::wstring> all;
    LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t buffer[256] = {};
        ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        all.emplace_back(buffer);
    }
    return all;
}

// The selected entry's text, empty when none is selected.
inline std::wstring chosen(HWND dialog, int id) {
    HWND list = item(dialog, id);
    LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    wchar_t buffer[256] = {};
    ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

inline void press_key(UINT vk) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 0);
}

// Where a child sits in its dialog, in units of 1/96 inch.
struct Placement {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const Placement&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Placement& p) {
    return out << "(" << p.x << ", " << p.y << ", " << p.w << " x " << p.h << ")";
}

inline Placement placement(HWND dialog, HWND child) {
    UINT dpi = dpi_of(dialog);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {to_units(rect.left, dpi), to_units(rect.top, dpi), to_units(rect.right - rect.left, dpi),
            to_units(rect.bottom - rect.top, dpi)};
}

inline Placement outer_size(HWND dialog) {
    UINT dpi = dpi_of(dialog);
    RECT rect{};
    ::GetWindowRect(dialog, &rect);
    return {0, 0, to_units(rect.right - rect.left, dpi), to_units(rect.bottom - rect.top, dpi)};
}

// The first child showing `text` (for the labels, which have no id).
inline HWND child_with_text(HWND dialog, const wchar_t* text) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        if (text_of(child) == text) return child;
    return nullptr;
}

// One row of a dialog's control table as the user should find it: by id,
// or for labels (id 0) by text. Drop-down lists are placed by their closed
// box; `h` is then the height of the open list. `limit`: an edit's
// character limit.
struct Expected {
    int id = 0;
    const wchar_t* text = L"";
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    const wchar_t* class_name = L"";
    int limit = 0;
};

inline void expect_layout(HWND dialog, std::span<const Expected> table) {
    for (const Expected& row : table) {
        HWND child = row.id != 0 ? item(dialog, row.id) : child_with_text(dialog, row.text);
        SCOPED_TRACE(::testing::Message()
                     << "control " << row.id << " " << ::testing::PrintToString(std::wstring(row.text)));
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(class_of(child), row.class_name);
        EXPECT_TRUE(::IsWindowVisible(child));
        Placement seen = placement(dialog, child);
        if (class_of(child) == L"ComboBox") {
            EXPECT_EQ((Placement{seen.x, seen.y, seen.w, 0}), (Placement{row.x, row.y, row.w, 0}));
            // Windows measures the open list from the top of the box; Wine
            // from below its selection field.
            RECT dropped{};
            ::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            int open = to_units(dropped.bottom - dropped.top, dpi_of(dialog));
            EXPECT_TRUE(open == row.h || open == row.h - seen.h) << open << " for " << row.h;
            LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
            EXPECT_EQ(style & (CBS_DROPDOWNLIST | WS_TABSTOP), CBS_DROPDOWNLIST | WS_TABSTOP);
            // The scroll bar passes on to the list, which hides it (and the
            // style bit) while its entries fit: nothing to see here.
        } else if (seen.h > row.h && (class_of(child) == L"Static" || class_of(child) == L"Button")) {
            // A text wider than its box (Wine's substitute for Segoe UI is
            // wider) takes more lines, centred on its row.
            EXPECT_EQ((Placement{seen.x, 0, seen.w, 0}), (Placement{row.x, 0, row.w, 0}));
            EXPECT_NEAR(2 * seen.y + seen.h, 2 * row.y + row.h, 2);
            EXPECT_EQ(text_of(child), row.text);
        } else {
            EXPECT_EQ(seen, (Placement{row.x, row.y, row.w, row.h}));
            if (class_of(child) != L"Edit") {
                EXPECT_EQ(text_of(child), row.text);
            }
        }
        if (row.limit != 0) {
            EXPECT_EQ(::SendMessageW(child, EM_GETLIMITTEXT, 0, 0), row.limit);
        }
    }
}

// The dialog of `class_name` is open with its title, outer size and table;
// null (and a failure) when it is not open.
inline HWND expect_open(const wchar_t* class_name, const wchar_t* title, Placement size,
                        std::span<const Expected> table) {
    HWND dialog = find(class_name);
    if (dialog == nullptr) {
        ADD_FAILURE() << "no dialog of class " << ::testing::PrintToString(std::wstring(class_name));
        return nullptr;
    }
    EXPECT_EQ(text_of(dialog), title);
    EXPECT_EQ(outer_size(dialog), size);
    expect_layout(dialog, table);
    return dialog;
}

} // namespace quarn::testing
