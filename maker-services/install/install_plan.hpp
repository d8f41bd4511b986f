#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a per-user installation consists of, as plain names and values: the
// file and key names, the uninstall entry's values and the names of the
// leftover copies. Paths stay UTF-16 text here, as Windows hands them over,
// so that no letter of a user's folder name is lost on the way to the
// registry.
namespace quarn::install {

// "Quarn": the folder in the user's programs folder.
[[nodiscard]] std::wstring program_folder_name();
// "quarn.exe": the program file in that folder.
[[nodiscard]] std::wstring program_file_name();
// "Quarn.lnk": the entry in the user's Start menu programs.
[[nodiscard]] std::wstring start_menu_entry_name();
// The uninstall entry under the current user's key:
// "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brambleforge.Quarn".
[[nodiscard]] std::wstring uninstall_key_path();
// "{}.old" of a file name: the copy an update moved aside while it ran.
[[nodiscard]] std::wstring previous_copy_name(std::wstring_view file_name);
// "quarn-uninstalled-{}.exe" with the process id: the name a running
// installed copy moves itself to in the temporary folder when it uninstalls.
[[nodiscard]] std::wstring uninstalled_file_name(unsigned long process_id);

// The installed program's size in KiB, rounded up; 0 when it could not be
// read. A size beyond 32 bits of KiB is held at the largest number.
[[nodiscard]] std::uint32_t estimated_size_kib(std::optional<std::uint64_t> bytes) noexcept;

enum class ValueKind { String, Number };

// One value of the uninstall entry: a string (REG_SZ) or a 32-bit number
// (REG_DWORD).
struct UninstallValue {
    std::wstring name;
    ValueKind kind = ValueKind::String;
    std::wstring text;
    std::uint32_t number = 0;

    bool operator==(const UninstallValue&) const = default;
};

// One key under HKEY_CURRENT_USER with the values written into it; an empty
// name is the key's default value.
struct RegistryKeyValues {
    std::wstring key;
    std::vector<UninstallValue> values;

    bool operator==(const RegistryKeyValues&) const = default;
};

// "Software\Classes": the current user's file types, which the shell reads
// before the machine's.
[[nodiscard]] std::wstring user_classes_key();
// "Brambleforge.QuarnMap": the map file type's programmatic identifier.
[[nodiscard]] std::wstring map_prog_id();
// "\"{program}\" \"%1\"": what Explorer runs to open a map.
[[nodiscard]] std::wstring open_command(std::wstring_view program_file);

// The map file type of a per-user install, in the order it is written:
// ".quarn" leads to the type, which has its friendly name, the program's
// icon and the open command.
[[nodiscard]] std::vector<RegistryKeyValues> map_file_type(std::wstring_view program_file);

// The eleven values of the uninstall entry, in the order they are written.
[[nodiscard]] std::vector<UninstallValue> uninstall_values(std::wstring_view program_folder,
                                                           std::wstring_view program_file,
                                                           std::optional<std::uint64_t> program_size);

} // namespace quarn::install
