#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace quarn::testing {

// The system's save dialog of this thread, given a file name and confirmed.
inline void confirm_save_dialog(const std::filesystem::path& path) {
    HWND dialog = ::FindWindowW(L"#32770", nullptr);
    ASSERT_NE(dialog, nullptr);
    // The file name is a combo box in the Explorer-style dialog, an edit
    // field in the older one.
    HWND name = ::GetDlgItem(dialog, 0x47C);
    if (name == nullptr) name = ::GetDlgItem(dialog, 0x480);
    ASSERT_NE(name, nullptr);
    ::SetWindowTextW(name, path.c_str());
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

} // namespace quarn::testing
