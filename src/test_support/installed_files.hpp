#pragma once

// What the installer's tests look at: files, registry keys and shell links,
// read through the system's own calls. File contents: test_files.hpp.

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <string>

#include "win/unique.hpp"

namespace quarn::testing {

inline bool present(const std::filesystem::path& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A key under HKEY_CURRENT_USER.
inline bool key_exists(const std::wstring& key) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return false;
    ::RegCloseKey(raw);
    return true;
}

// Where a shell link points, read back through the shell's own object.
inline std::wstring link_target(const std::filesystem::path& link) {
    win::ComApartment com(COINIT_APARTMENTTHREADED);
    IShellLinkW* raw_link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&raw_link))))
        return L"<no shell link object>";
    win::UniqueCom<IShellLinkW> shell_link(raw_link);
    IPersistFile* raw_file = nullptr;
    if (FAILED(shell_link.get()->QueryInterface(IID_PPV_ARGS(&raw_file)))) return L"<no persist file>";
    win::UniqueCom<IPersistFile> file(raw_file);
    if (FAILED(file.get()->Load(link.c_str(), STGM_READ))) return L"<not loaded>";
    wchar_t target[MAX_PATH] = {};
    if (FAILED(shell_link.get()->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return L"<no path>";
    return target;
}

} // namespace quarn::testing
