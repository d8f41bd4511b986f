#include "dialogs/import_dialog.hpp"

#include <commdlg.h>
#include <objbase.h>
#include <shobjidl.h>

#include <cwchar>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "dialogs/form_dialog.hpp"
#include "dialogs/form_fields.hpp"
#include "dialogs/import_files.hpp"
#include "dialogs/message_box.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, k_import_text_label, L"Configuration:", 14, 12, 300, 18, 0},
    {ControlKind::CodeEdit, k_import_text, L"", 14, 32, 600, 240, static_cast<int>(k_max_config_bytes)},
    {ControlKind::PushButton, k_import_open, L"Open File...", 624, 32, 110, 26, 0},
    {ControlKind::PushButton, k_import_folder, L"Open Folder...", 624, 64, 110, 26, 0},
    {ControlKind::Label, 0, L"Dialect:", 14, 290, 80, 18, 0},
    {ControlKind::DropDownList, k_import_dialect, L"", 100, 286, 250, 200, 0},
    {ControlKind::Caption, k_import_found, L"", 362, 290, 372, 18, 0},
    {ControlKind::Label, 0, L"Import As:", 14, 322, 80, 18, 0},
    {ControlKind::RadioButton, k_import_new, L"New switch", 100, 320, 150, 22, 0},
    {ControlKind::RadioButton, k_import_update, L"Update the current switch", 256, 320, 260, 22, 0},
    {ControlKind::Label, 0, L"Neighbours:", 14, 350, 80, 18, 0},
    {ControlKind::CheckBox, k_import_replace, L"Replace links they contradict", 100, 348, 250, 22, 0},
    {ControlKind::CheckBox, k_import_describe, L"Describe empty ports by the neighbours outside the map", 356,
     346, 378, 32, 0},
    {ControlKind::Caption, k_import_summary, L"", 14, 382, 720, 18, 0},
    {ControlKind::TextViewer, k_import_preview, L"", 14, 404, 720, 180, 0},
    {ControlKind::PushButton, IDOK, L"OK", 570, 596, 80, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 654, 596, 80, 26, 0},
};

constexpr int k_width = 764;
constexpr int k_height = 674;

// Up to this many characters the preview follows every keystroke (the
// import takes a few milliseconds); a longer text waits for a pause in the
// typing.
constexpr int k_instant_preview_length = 200000;
constexpr UINT_PTR k_preview_timer = 1;
constexpr UINT k_preview_pause_ms = 250;

// The paths of a multiple selection: the folder, then each name, each ended
// by a NUL and the list by a second one; a single choice is its whole path.
std::vector<std::filesystem::path> chosen_paths(const wchar_t* buffer) {
    std::vector<std::filesystem::path> paths;
    std::filesystem::path folder(buffer);
    for (const wchar_t* name = buffer + std::wcslen(buffer) + 1; *name != L'\0';
         name += std::wcslen(name) + 1)
        paths.push_back(folder / name);
    if (paths.empty()) paths.push_back(folder);
    return paths;
}

std::vector<std::filesystem::path> ask_config_paths(HWND owner) noexcept {
    try {
        // Room for a few hundred file names.
        std::vector<wchar_t> buffer(1 << 17, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        // Switches save their configuration under any name ("acc-1-confg"
        // by TFTP), so every file comes first.
        dialog.lpstrFilter = L"All Files (*.*)\0*.*\0Text Files (*.txt;*.cfg;*.conf)\0*.txt;*.cfg;*.conf\0";
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrTitle = L"Open Configuration";
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER |
                       OFN_NOCHANGEDIR | OFN_ALLOWMULTISELECT;
        if (!::GetOpenFileNameW(&dialog)) return {};
        return chosen_paths(buffer.data());
    } catch (...) {
        return {};
    }
}

std::optional<std::filesystem::path> ask_config_folder(HWND owner) noexcept {
    win::ComApartment com(COINIT_APARTMENTTHREADED);
    IFileOpenDialog* raw = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&raw))))
        return std::nullopt;
    win::UniqueCom<IFileOpenDialog> dialog(raw);
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog.get()->GetOptions(&options)) ||
        FAILED(dialog.get()->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM)))
        return std::nullopt;
    dialog.get()->SetTitle(L"Open Folder of Configurations");
    if (FAILED(dialog.get()->Show(owner))) return std::nullopt; // cancelled, or no dialog
    IShellItem* raw_item = nullptr;
    if (FAILED(dialog.get()->GetResult(&raw_item))) return std::nullopt;
    win::UniqueCom<IShellItem> item(raw_item);
    PWSTR name = nullptr;
    if (FAILED(item.get()->GetDisplayName(SIGDN_FILESYSPATH, &name))) return std::nullopt;
    std::optional<std::filesystem::path> folder;
    try {
        folder = std::filesystem::path(name);
    } catch (...) {}
    ::CoTaskMemFree(name);
    return folder;
}

class ImportDialog : public FormDialog<ImportDialog, ImportForm> {
  public:
    ImportDialog(const ImportDialogInput& input, const ImportChoosers& choosers,
                 std::vector<std::filesystem::path> paths) noexcept
        : input_(input), choosers_(choosers), paths_(std::move(paths)) {}

    std::optional<LRESULT> own_message(UINT msg, WPARAM wparam, LPARAM) noexcept {
        if (msg == WM_TIMER && wparam == k_preview_timer) {
            ::KillTimer(hwnd(), k_preview_timer);
            refresh();
            return 0;
        }
        if (msg != WM_COMMAND) return std::nullopt;
        int id = LOWORD(wparam);
        int code = HIWORD(wparam);
        if (id == k_import_text && code == EN_CHANGE) {
            text_changed();
            return 0;
        }
        if (id == k_import_text && code == EN_MAXTEXT) {
            show_warning(hwnd(),
                         "The configuration is longer than the 8 MiB that Quarn reads; the rest was left "
                         "out.");
            return 0;
        }
        if (id == k_import_open && code == BN_CLICKED) {
            open_files();
            return 0;
        }
        if (id == k_import_folder && code == BN_CLICKED) {
            open_folder();
            return 0;
        }
        if ((id == k_import_dialect && code == CBN_SELCHANGE) ||
            ((id == k_import_new || id == k_import_update || id == k_import_replace ||
              id == k_import_describe) &&
             code == BN_CLICKED)) {
            refresh();
            return 0;
        }
        return std::nullopt;
    }

    void show() {
        fill_list(hwnd(), k_import_dialect, dialect_entries(), 0);
        set_checked(hwnd(), k_import_new, true);
        show_mode();
        refresh();
        if (!paths_.empty()) open_paths(std::exchange(paths_, {}));
    }

    bool accept() {
        // A long text may still wait for its preview: OK takes what is there now.
        ::KillTimer(hwnd(), k_preview_timer);
        ImportPreview preview = current_preview();
        if (!preview.form) {
            // The summary says why; Enter in a list reaches here with OK disabled.
            show(preview);
            return false;
        }
        result_ = std::move(preview.form);
        return true;
    }

  private:
    // Several files are read as a campus; the text field then lists them.
    bool campus() const noexcept { return !sources_.empty(); }

    // The whole field, which may be far longer than the one-line fields.
    std::string read_text() const {
        HWND edit = ::GetDlgItem(hwnd(), k_import_text);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        return win::narrow(text);
    }

    std::optional<Dialect> chosen_dialect() const {
        if (auto entry = list_selection(hwnd(), k_import_dialect)) return dialect_of_entry(*entry);
        return std::nullopt;
    }

    ImportChoices choices() const {
        ImportChoices chosen;
        chosen.dialect = chosen_dialect();
        chosen.target =
            is_checked(hwnd(), k_import_update) ? ImportTarget::CurrentSwitch : ImportTarget::NewSwitch;
        chosen.file_name = file_name_;
        return chosen;
    }

    CampusChoices campus_choices() const {
        return {chosen_dialect(), is_checked(hwnd(), k_import_replace),
                is_checked(hwnd(), k_import_describe)};
    }

    ImportPreview current_preview() const {
        if (campus()) return preview_campus(input_, sources_, campus_choices());
        return preview_import(input_, read_text(), choices());
    }

    void text_changed() noexcept {
        if (campus()) return; // the list of files, set by the dialog
        int length = ::GetWindowTextLengthW(::GetDlgItem(hwnd(), k_import_text));
        // A cleared field forgets the file it came from.
        if (length == 0) file_name_.clear();
        if (length <= k_instant_preview_length) {
            ::KillTimer(hwnd(), k_preview_timer);
            refresh();
        } else {
            ::SetTimer(hwnd(), k_preview_timer, k_preview_pause_ms, nullptr);
        }
    }

    void refresh() noexcept {
        try {
            show(current_preview());
        } catch (...) {
            // Out of memory: the preview stays as it was.
        }
    }

    void show(const ImportPreview& preview) {
        write_field(hwnd(), k_import_found, preview.found);
        write_field(hwnd(), k_import_summary, preview.summary);
        std::wstring lines = win::with_crlf(win::widen(preview.lines));
        ::SetDlgItemTextW(hwnd(), k_import_preview, lines.c_str());
        ::EnableWindow(::GetDlgItem(hwnd(), IDOK), preview.form.has_value());
    }

    // One text or several files: what the field holds and which choices
    // apply. The campus decides by name which switch a file updates.
    void show_mode() noexcept {
        bool several = campus();
        ::SetDlgItemTextW(hwnd(), k_import_text_label, several ? L"Files:" : L"Configuration:");
        ::SendDlgItemMessageW(hwnd(), k_import_text, EM_SETREADONLY, several ? TRUE : FALSE, 0);
        ::EnableWindow(::GetDlgItem(hwnd(), k_import_new), !several);
        ::EnableWindow(::GetDlgItem(hwnd(), k_import_update), !several && input_.current_switch.has_value());
        ::EnableWindow(::GetDlgItem(hwnd(), k_import_replace), several);
        ::EnableWindow(::GetDlgItem(hwnd(), k_import_describe), several);
    }

    void open_files() noexcept {
        try {
            auto paths = choosers_.files ? choosers_.files(hwnd()) : ask_config_paths(hwnd());
            if (!paths.empty()) open_paths(std::move(paths));
        } catch (...) {}
    }

    void open_folder() noexcept {
        try {
            auto folder = choosers_.folder ? choosers_.folder(hwnd()) : ask_config_folder(hwnd());
            if (folder) open_paths({*folder});
        } catch (...) {}
    }

    // One file goes into the field as its text; several files, or a
    // folder, are read as a campus.
    void open_paths(std::vector<std::filesystem::path> paths) {
        std::error_code error;
        if (paths.size() == 1 && !std::filesystem::is_directory(paths[0], error)) {
            open_one(paths[0]);
            return;
        }
        std::vector<ImportSource> sources = read_import_sources(paths);
        if (sources.empty()) {
            show_warning(hwnd(), "There are no files in " + win::narrow(paths[0].wstring()) + ".");
            return;
        }
        sources_ = std::move(sources);
        file_name_.clear();
        std::string names;
        for (const ImportSource& source : sources_) names += source.name + "\n";
        std::wstring shown = win::with_crlf(win::widen(names));
        ::SetDlgItemTextW(hwnd(), k_import_text, shown.c_str());
        show_mode();
        refresh();
    }

    void open_one(const std::filesystem::path& path) {
        auto text = read_config_file(path);
        if (!text) {
            show_warning(hwnd(), "Could not open " + win::narrow(path.wstring()) + ":\n" + text.error());
            return;
        }
        std::wstring shown = win::with_crlf(win::widen(text.value()));
        HWND edit = ::GetDlgItem(hwnd(), k_import_text);
        sources_.clear();
        show_mode();
        file_name_ = win::narrow(path.stem().wstring());
        // A multi-line edit does not tell of text set from outside.
        ::SetWindowTextW(edit, shown.c_str());
        refresh();
        ::SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, 0);
        ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }

    const ImportDialogInput& input_;
    const ImportChoosers& choosers_;
    std::vector<std::filesystem::path> paths_; // to open as the dialog shows
    std::string file_name_;
    std::vector<ImportSource> sources_; // several files: what each holds
};

} // namespace

std::optional<ImportForm> run_import_dialog(HWND owner, const ImportDialogInput& input,
                                            const ImportChoosers& choosers,
                                            std::vector<std::filesystem::path> paths) noexcept {
    ImportDialog dialog(input, choosers, std::move(paths));
    return dialog.run(owner, {k_import_window_class, L"Import Configuration", k_width, k_height, k_controls,
                              k_import_text, nullptr});
}

} // namespace quarn::dialogs
