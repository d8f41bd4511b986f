#include "maker-services/install/installer.hpp"

#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <vector>

#include "identity/product.hpp"
#include "maker-services/install/copy_contents.hpp"
#include "maker-services/install/install_plan.hpp"
#include "maker-services/install/install_texts.hpp"
#include "maker-services/install/shell_link.hpp"
#include "maker-services/install/uninstall_entry.hpp"
#include "maker-services/update/update_registry.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::install {
namespace {

std::string failure(InstallError error, DWORD system_error) {
    return error_text(error, win::system_message(system_error));
}

bool present(const std::filesystem::path& path) noexcept {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool missing(DWORD error) noexcept {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::filesystem::path previous_copy(const InstallLocations& at) {
    return at.program_folder / previous_copy_name(at.program_file.filename().wstring());
}

// CreateDirectoryW for the folder and each missing parent; 0 or the error.
DWORD create_folder(const std::filesystem::path& folder) {
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        DWORD attributes = ::GetFileAttributesW(folder.c_str());
        bool folder_there =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return folder_there ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS;
    }
    std::filesystem::path parent = folder.parent_path();
    if (error != ERROR_PATH_NOT_FOUND || parent.empty() || parent == folder) return error;
    if (DWORD parent_error = create_folder(parent)) return parent_error;
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return ERROR_SUCCESS;
    error = ::GetLastError();
    return error == ERROR_ALREADY_EXISTS ? ERROR_SUCCESS : error;
}

std::optional<std::uint64_t> size_of(const std::filesystem::path& file) noexcept {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Deletes a folder and what is in it. A link to a folder elsewhere (a
// junction or symbolic link) is removed as a link: what it points to is not
// the program's to delete.
DWORD remove_tree(const std::filesystem::path& folder) {
    std::error_code error;
    // A folder that cannot be listed is left to RemoveDirectoryW below, whose
    // error says what is wrong (or that there is nothing to remove).
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        bool is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        bool is_link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
        if (is_folder && !is_link) {
            if (DWORD failed = remove_tree(path)) return failed;
        } else if (!(is_folder ? ::RemoveDirectoryW(path.c_str()) : ::DeleteFileW(path.c_str()))) {
            DWORD failed = ::GetLastError();
            if (!missing(failed)) return failed;
        }
    }
    if (::RemoveDirectoryW(folder.c_str())) return ERROR_SUCCESS;
    DWORD failed = ::GetLastError();
    return missing(failed) ? ERROR_SUCCESS : failed;
}

// The maker's key once it holds nothing more (no other product of the maker
// keeps anything there).
void remove_empty_key(const std::wstring& path) noexcept {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return;
    win::UniqueKey key(raw);
    DWORD subkeys = 1;
    DWORD values = 1;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    key.reset();
    if (subkeys == 0 && values == 0) ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

// The default value of a key as text; nothing when there is none.
std::optional<std::wstring> default_text(const std::wstring& key) {
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text.data(),
                       &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

// Paths in the registry are compared as the file system compares names:
// without regard to case.
bool same_text(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

LSTATUS register_map_file_type(const std::filesystem::path& program_file) {
    for (const RegistryKeyValues& key : map_file_type(program_file.wstring()))
        if (LSTATUS status = write_uninstall_entry(key.key, key.values); status != ERROR_SUCCESS)
            return status;
    // Explorer keeps file types in memory: it reads them again when told.
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ERROR_SUCCESS;
}

// Only what still leads to this program goes: another install of it (or
// another program that took ".quarn" over since) keeps its file type.
LSTATUS remove_map_file_type(const std::filesystem::path& program_file) {
    const std::wstring type_key = user_classes_key() + L"\\" + map_prog_id();
    auto command = default_text(type_key + L"\\shell\\open\\command");
    if (!command || !same_text(*command, open_command(program_file.wstring()))) return ERROR_SUCCESS;
    LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, type_key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
    const std::wstring extension_key = user_classes_key() + L"\\.quarn";
    if (auto leads_to = default_text(extension_key); leads_to && same_text(*leads_to, map_prog_id())) {
        HKEY raw = nullptr;
        status = ::RegOpenKeyExW(HKEY_CURRENT_USER, extension_key.c_str(), 0, KEY_SET_VALUE, &raw);
        if (status != ERROR_SUCCESS) return status;
        win::UniqueKey extension(raw);
        status = ::RegDeleteValueW(extension.get(), nullptr);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
        extension.reset();
        // Other programs' entries under ".quarn" (OpenWithProgids) keep it.
        remove_empty_key(extension_key);
    }
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ERROR_SUCCESS;
}

std::optional<std::string> install_steps(const InstallLocations& at, const std::filesystem::path& program) {
    if (DWORD error = create_folder(at.program_folder)) return failure(InstallError::FolderNotCreated, error);

    if (!same_file(program, at.program_file)) {
        std::filesystem::path previous = previous_copy(at);
        ::DeleteFileW(previous.c_str());
        // A running installed copy cannot be deleted, but it can be renamed:
        // it goes on running from the previous-copy name until it ends, and
        // the next start deletes it.
        if (present(at.program_file) && !::DeleteFileW(at.program_file.c_str()) &&
            !::MoveFileExW(at.program_file.c_str(), previous.c_str(), MOVEFILE_REPLACE_EXISTING))
            return failure(InstallError::InstalledCopyInUse, ::GetLastError());
        if (DWORD error = copy_contents(program, at.program_file))
            return failure(InstallError::ProgramNotCopied, error);
    }

    if (HRESULT result = create_shell_link(at.program_file, at.start_menu_entry); FAILED(result))
        return error_text(InstallError::StartMenuEntryNotCreated, win::hresult_message(result));

    auto values =
        uninstall_values(at.program_folder.wstring(), at.program_file.wstring(), size_of(at.program_file));
    if (LSTATUS status = write_uninstall_entry(at.uninstall_key, values); status != ERROR_SUCCESS)
        return failure(InstallError::UninstallEntryNotWritten, static_cast<DWORD>(status));

    if (LSTATUS status = register_map_file_type(at.program_file); status != ERROR_SUCCESS)
        return failure(InstallError::FileTypeNotRegistered, static_cast<DWORD>(status));
    return std::nullopt;
}

std::optional<std::string> uninstall_steps(const InstallLocations& at, const std::filesystem::path& running) {
    if (!::DeleteFileW(at.start_menu_entry.c_str())) {
        DWORD error = ::GetLastError();
        if (!missing(error)) return failure(InstallError::StartMenuEntryNotRemoved, error);
    }

    if (LSTATUS status = delete_uninstall_entry(at.uninstall_key); status != ERROR_SUCCESS)
        return failure(InstallError::UninstallEntryNotRemoved, static_cast<DWORD>(status));

    if (LSTATUS status = remove_map_file_type(at.program_file); status != ERROR_SUCCESS)
        return failure(InstallError::FileTypeNotRemoved, static_cast<DWORD>(status));

    if (present(at.program_file)) {
        bool removed = false;
        if (same_file(running, at.program_file)) {
            // Renaming works within one volume only, which the temporary
            // folder normally shares with the user's programs folder; a copy
            // to another volume would leave the running file where it is.
            wchar_t temp[MAX_PATH + 1] = {};
            DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
            if (length == 0 || length > MAX_PATH)
                return failure(InstallError::ProgramFileNotRemoved, ::GetLastError());
            std::filesystem::path moved =
                std::filesystem::path(temp) / uninstalled_file_name(::GetCurrentProcessId());
            removed =
                ::MoveFileExW(at.program_file.c_str(), moved.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        } else {
            removed = ::DeleteFileW(at.program_file.c_str()) != FALSE;
        }
        if (!removed) return failure(InstallError::ProgramFileNotRemoved, ::GetLastError());
    }

    ::DeleteFileW(previous_copy(at).c_str());
    // Fails, as it should, when the folder still holds something.
    ::RemoveDirectoryW(at.program_folder.c_str());
    return std::nullopt;
}

} // namespace

bool is_installed(const InstallLocations& at) noexcept {
    DWORD attributes = ::GetFileAttributesW(at.program_file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::filesystem::path running_program() noexcept {
    try {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0) return {};
            if (length < path.size()) {
                path.resize(length);
                return path;
            }
            // Truncated: a longer path than the buffer.
            path.resize(path.size() * 2);
        }
    } catch (...) {
        return {};
    }
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) noexcept {
    auto identity_of = [](const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
        // Only the attributes are read, and everyone else may go on using
        // the file: a running program is open too.
        win::UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return file && ::GetFileInformationByHandle(file.get(), &info) != FALSE;
    };
    if (a.empty() || b.empty()) return false;
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    if (!identity_of(a, first) || !identity_of(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

std::optional<std::string> install(const InstallLocations& at,
                                   const std::filesystem::path& program) noexcept {
    try {
        return install_steps(at, program);
    } catch (...) {
        return failure(InstallError::ProgramNotCopied, ERROR_OUTOFMEMORY);
    }
}

std::optional<std::string> uninstall(const InstallLocations& at,
                                     const std::filesystem::path& running) noexcept {
    try {
        return uninstall_steps(at, running);
    } catch (...) {
        return failure(InstallError::ProgramFileNotRemoved, ERROR_OUTOFMEMORY);
    }
}

void remove_previous_copy(const InstallLocations& at) noexcept {
    try {
        ::DeleteFileW(previous_copy(at).c_str());
    } catch (...) {}
}

std::optional<std::string> remove_settings(const std::optional<std::filesystem::path>& folder) noexcept {
    try {
        if (folder && !folder->empty()) {
            if (DWORD error = remove_tree(*folder)) return failure(InstallError::SettingsNotRemoved, error);
        }
        LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, update::update_registry_key().c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            return failure(InstallError::SettingsNotRemoved, static_cast<DWORD>(status));
        remove_empty_key(L"Software\\" + win::widen(identity::k_maker_name));
        return std::nullopt;
    } catch (...) {
        return failure(InstallError::SettingsNotRemoved, ERROR_OUTOFMEMORY);
    }
}

} // namespace quarn::install
