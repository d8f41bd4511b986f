#include "app/document.hpp"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "app/recovery.hpp"
#include "app/refresh.hpp"
#include "app/window_title.hpp"
#include "config/config_store.hpp"
#include "dialogs/message_box.hpp"
#include "export/file_read.hpp"
#include "export/safe_write.hpp"
#include "model/map_file.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

constexpr wchar_t k_map_filter[] = L"Quarn Maps (*.quarn)\0*.quarn\0All Files (*.*)\0*.*\0";

std::string display_path(const std::filesystem::path& path) {
    return win::narrow(path.wstring());
}

void remember_recent(AppState& state, const std::filesystem::path& path) {
    add_recent_file(state.config, display_path(path));
    if (state.config_folder) (void)save_config(*state.config_folder, state.config);
    // The shell's recent documents feed the taskbar's jump list; the
    // program's own recent-files menu is the settings' list above.
    ::SHAddToRecentDocs(SHARD_PATHW, path.c_str());
}

bool save_to(AppState& state, const std::filesystem::path& path) {
    if (auto error = safe_write(path, save_map(state.map))) {
        dialogs::show_warning(state.main, "Could not save " + display_path(path) + ": " + *error);
        return false;
    }
    state.saved = state.map;
    state.path = path;
    recovery_after_change(state);
    remember_recent(state, path);
    set_status(state, "Saved " + display_path(path));
    refresh_title(state);
    return true;
}

} // namespace

bool open_document(AppState& state, const std::filesystem::path& given) noexcept {
    try {
        // A relative path would be read again against whatever the working
        // folder is at the next save; the document keeps where it was opened.
        std::error_code error;
        std::filesystem::path path = std::filesystem::absolute(given, error);
        if (error) path = given;
        auto loaded = read_map_file(path);
        if (!loaded.map) {
            dialogs::show_warning(state.main,
                                  "Could not open " + display_path(path) + ":\n" + loaded.map.error());
            return false;
        }
        state.map = std::move(loaded.map).value();
        state.saved = state.map;
        state.path = path;
        state.history.clear();
        state.canvas.selection().clear();
        state.last_switch.reset();
        if (state.selected_vlan && !find_vlan(state.map, *state.selected_vlan)) state.selected_vlan.reset();
        remember_recent(state, path);
        refresh_all(state);
        recovery_after_change(state);
        return true;
    } catch (...) {
        dialogs::show_warning(state.main, "Could not open " + display_path(given) + ":\nout of memory");
        return false;
    }
}

void new_document(AppState& state) noexcept {
    state.map = Map{};
    state.saved = state.map;
    state.path.reset();
    state.history.clear();
    state.canvas.selection().clear();
    state.last_switch.reset();
    state.selected_vlan.reset();
    refresh_all(state);
    recovery_after_change(state);
}

bool save_document(AppState& state) noexcept {
    if (!state.path) return save_document_as(state);
    try {
        return save_to(state, *state.path);
    } catch (...) {
        return false;
    }
}

bool save_document_as(AppState& state) noexcept {
    auto path = ask_save_path(state.main, k_map_filter, L"quarn", state.path);
    if (!path) return false;
    try {
        return save_to(state, *path);
    } catch (...) {
        return false;
    }
}

bool confirm_discard(AppState& state) noexcept {
    if (state.map == state.saved) return true;
    try {
        std::string name = state.path ? display_path(state.path->filename()) : "Untitled";
        dialogs::MessageRequest request;
        request.owner = state.main;
        request.text = "Save the changes to " + name + "?";
        request.buttons = {"Save", "Don't Save", "Cancel"};
        request.default_index = 0;
        request.close_index = 2;
        switch (dialogs::show_message(request)) {
        case 0:
            return save_document(state);
        case 1:
            return true;
        default:
            return false;
        }
    } catch (...) {
        return false;
    }
}

namespace {

// The system's open or save dialog; the buffer is large enough for the
// longest path Windows allows.
std::optional<std::filesystem::path> ask_path(HWND owner, const wchar_t* filter, const wchar_t* extension,
                                              const std::optional<std::filesystem::path>& suggestion,
                                              bool save) noexcept {
    try {
        std::vector<wchar_t> buffer(32768, L'\0');
        if (suggestion) {
            std::wstring name = suggestion->wstring();
            if (name.size() < buffer.size()) std::copy(name.begin(), name.end(), buffer.begin());
        }
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter;
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrDefExt = extension;
        // The working folder stays as the program found it: paths given on
        // the command line were read against it.
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR |
                       (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
        if (!(save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog))) return std::nullopt;
        return std::filesystem::path(buffer.data());
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

std::optional<std::filesystem::path> ask_open_path(HWND owner) noexcept {
    return ask_path(owner, k_map_filter, L"quarn", std::nullopt, false);
}

std::optional<std::filesystem::path> ask_config_path(HWND owner) noexcept {
    return ask_path(owner, L"All Files (*.*)\0*.*\0Text Files (*.txt;*.cfg;*.conf)\0*.txt;*.cfg;*.conf\0",
                    nullptr, std::nullopt, false);
}

std::optional<std::filesystem::path>
ask_save_path(HWND owner, const wchar_t* filter, const wchar_t* extension,
              const std::optional<std::filesystem::path>& suggestion) noexcept {
    return ask_path(owner, filter, extension, suggestion, true);
}

} // namespace quarn::app
