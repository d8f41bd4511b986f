#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "dialogs/import_form.hpp"

namespace quarn::dialogs {

inline constexpr wchar_t k_import_window_class[] = L"QuarnImportWnd";

enum ImportControl : int {
    k_import_text = 101,
    k_import_open = 102,
    k_import_dialect = 103,
    k_import_found = 104,
    k_import_new = 105,
    k_import_update = 106,
    k_import_summary = 107,
    k_import_preview = 108,
};

// Where "Open File..." asks for the file: the system's open dialog, or a
// test's choice. Nothing: cancelled.
using ConfigFileChooser = std::function<std::optional<std::filesystem::path>(HWND owner)>;

// "Import Configuration": modal, owned by `owner`. The text typed, pasted or
// read from a file is previewed on a copy of the input's map as it changes;
// OK returns what was read, Cancel and the close box nothing. The text is
// kept nowhere once the dialog is closed. An empty chooser asks with the
// system's open dialog.
std::optional<ImportForm> run_import_dialog(HWND owner, const ImportDialogInput& input,
                                            const ConfigFileChooser& choose_file = {}) noexcept;

} // namespace quarn::dialogs
