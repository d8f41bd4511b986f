#include "dialogs/import_dialog.hpp"

#include <commdlg.h>

#include <string>
#include <system_error>
#include <vector>

#include "dialogs/form_dialog.hpp"
#include "dialogs/form_fields.hpp"
#include "dialogs/message_box.hpp"
#include "export/file_read.hpp"
#include "win/wide.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

constexpr ControlRow k_controls[] = {
    {ControlKind::Label, 0, L"Configuration:", 14, 12, 300, 18, 0},
    {ControlKind::CodeEdit, k_import_text, L"", 14, 32, 600, 240, static_cast<int>(k_max_config_bytes)},
    {ControlKind::PushButton, k_import_open, L"Open File...", 624, 32, 110, 26, 0},
    {ControlKind::Label, 0, L"Dialect:", 14, 290, 80, 18, 0},
    {ControlKind::DropDownList, k_import_dialect, L"", 100, 286, 250, 200, 0},
    {ControlKind::Caption, k_import_found, L"", 362, 290, 372, 18, 0},
    {ControlKind::Label, 0, L"Import As:", 14, 322, 80, 18, 0},
    {ControlKind::RadioButton, k_import_new, L"New switch", 100, 320, 150, 22, 0},
    {ControlKind::RadioButton, k_import_update, L"Update the current switch", 256, 320, 260, 22, 0},
    {ControlKind::Caption, k_import_summary, L"", 14, 354, 720, 18, 0},
    {ControlKind::TextViewer, k_import_preview, L"", 14, 376, 720, 180, 0},
    {ControlKind::PushButton, IDOK, L"OK", 570, 568, 80, 26, 0},
    {ControlKind::PushButton, IDCANCEL, L"Cancel", 654, 568, 80, 26, 0},
};

constexpr int k_width = 764;
constexpr int k_height = 646;

// Up to this many characters the preview follows every keystroke (the
// import takes a few milliseconds); a longer text waits for a pause in the
// typing.
constexpr int k_instant_preview_length = 200000;
constexpr UINT_PTR k_preview_timer = 1;
constexpr UINT k_preview_pause_ms = 250;

std::optional<std::filesystem::path> ask_config_path(HWND owner) noexcept {
    try {
        std::vector<wchar_t> buffer(32768, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = owner;
        // Switches save their configuration under any name ("acc-1-confg"
        // by TFTP), so every file comes first.
        dialog.lpstrFilter = L"All Files (*.*)\0*.*\0Text Files (*.txt;*.cfg;*.conf)\0*.txt;*.cfg;*.conf\0";
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrTitle = L"Open Configuration";
        dialog.Flags =
            OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
        if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
        return std::filesystem::path(buffer.data());
    } catch (...) {
        return std::nullopt;
    }
}

// The file's configuration text, or why it cannot be taken. A file far
// larger than any configuration is refused before it is read.
Result<std::string> read_config_file(const std::filesystem::path& path) {
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    if (!error && size > k_max_config_bytes)
        return Result<std::string>::failure(std::string(k_config_too_large_text));
    auto bytes = read_whole_file(path);
    if (!bytes) return bytes;
    return config_file_text(std::move(bytes).value());
}

class ImportDialog : public FormDialog<ImportDialog, ImportForm> {
  public:
    ImportDialog(const ImportDialogInput& input, const ConfigFileChooser& choose_file) noexcept
        : input_(input), choose_file_(choose_file) {}

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
            open_file();
            return 0;
        }
        if ((id == k_import_dialect && code == CBN_SELCHANGE) ||
            ((id == k_import_new || id == k_import_update) && code == BN_CLICKED)) {
            refresh();
            return 0;
        }
        return std::nullopt;
    }

    void show() {
        fill_list(hwnd(), k_import_dialect, dialect_entries(), 0);
        set_checked(hwnd(), k_import_new, true);
        ::EnableWindow(::GetDlgItem(hwnd(), k_import_update), input_.current_switch.has_value());
        refresh();
    }

    bool accept() {
        // A long text may still wait for its preview: OK takes what is there now.
        ::KillTimer(hwnd(), k_preview_timer);
        ImportPreview preview = preview_import(input_, read_text(), choices());
        if (!preview.form) {
            // The summary says why; Enter in a list reaches here with OK disabled.
            show(preview);
            return false;
        }
        result_ = std::move(preview.form);
        return true;
    }

  private:
    // The whole field, which may be far longer than the one-line fields.
    std::string read_text() const {
        HWND edit = ::GetDlgItem(hwnd(), k_import_text);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        return win::narrow(text);
    }

    ImportChoices choices() const {
        ImportChoices chosen;
        if (auto entry = list_selection(hwnd(), k_import_dialect)) chosen.dialect = dialect_of_entry(*entry);
        chosen.target =
            is_checked(hwnd(), k_import_update) ? ImportTarget::CurrentSwitch : ImportTarget::NewSwitch;
        chosen.file_name = file_name_;
        return chosen;
    }

    void text_changed() noexcept {
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
            show(preview_import(input_, read_text(), choices()));
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

    void open_file() noexcept {
        try {
            auto path = choose_file_ ? choose_file_(hwnd()) : ask_config_path(hwnd());
            if (!path) return;
            auto text = read_config_file(*path);
            if (!text) {
                show_warning(hwnd(), "Could not open " + win::narrow(path->wstring()) + ":\n" + text.error());
                return;
            }
            std::wstring shown = win::with_crlf(win::widen(text.value()));
            HWND edit = ::GetDlgItem(hwnd(), k_import_text);
            file_name_ = win::narrow(path->stem().wstring());
            // A multi-line edit does not tell of text set from outside.
            ::SetWindowTextW(edit, shown.c_str());
            refresh();
            ::SetFocus(edit);
            ::SendMessageW(edit, EM_SETSEL, 0, 0);
            ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
        } catch (...) {
            // Out of memory: the field keeps its text.
        }
    }

    const ImportDialogInput& input_;
    const ConfigFileChooser& choose_file_;
    std::string file_name_;
};

} // namespace

std::optional<ImportForm> run_import_dialog(HWND owner, const ImportDialogInput& input,
                                            const ConfigFileChooser& choose_file) noexcept {
    ImportDialog dialog(input, choose_file);
    return dialog.run(owner, {k_import_window_class, L"Import Configuration", k_width, k_height, k_controls,
                              k_import_text, nullptr});
}

} // namespace quarn::dialogs
