#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

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
    k_import_text_label = 109,
    k_import_folder = 110,
    k_import_replace = 111,
    k_import_describe = 112,
};

// Where "Open File..." asks for files: the system's open dialog (several
// may be chosen), or a test's choice. None: cancelled.
using ConfigFileChooser = std::function<std::vector<std::filesystem::path>(HWND owner)>;
// Where "Open Folder..." asks for a folder. Nothing: cancelled.
using FolderChooser = std::function<std::optional<std::filesystem::path>(HWND owner)>;

// The dialog's questions to the system; an empty one asks with the
// system's own dialog.
struct ImportChoosers {
    ConfigFileChooser files;
    FolderChooser folder;
};

// "Import Configuration": modal, owned by `owner`. The text typed, pasted or
// read from one file is previewed on a copy of the input's map as it
// changes. Several files, or a folder, are read as a campus, each file one
// switch's configuration, its neighbour output, or both: the preview lists
// the switches added and updated, the links made, the disagreements and the
// neighbours outside the map. OK returns what was read, Cancel and the close
// box nothing. The texts are kept nowhere once the dialog is closed.
// `paths` (files or folders) are opened as if chosen with Open File.
std::optional<ImportForm> run_import_dialog(HWND owner, const ImportDialogInput& input,
                                            const ImportChoosers& choosers = {},
                                            std::vector<std::filesystem::path> paths = {}) noexcept;

} // namespace quarn::dialogs
