#include "maker-services/install/install_plan.hpp"

#include <limits>

#include "identity/product.hpp"

namespace quarn::install {
namespace {

// The product's names are plain ASCII, so each byte is one UTF-16 unit.
std::wstring wide(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring quoted(std::wstring_view path) {
    std::wstring text = L"\"";
    text += path;
    text += L'"';
    return text;
}

UninstallValue text_value(const wchar_t* name, std::wstring text) {
    return UninstallValue{name, ValueKind::String, std::move(text), 0};
}

UninstallValue number_value(const wchar_t* name, std::uint32_t number) {
    return UninstallValue{name, ValueKind::Number, {}, number};
}

} // namespace

std::wstring program_folder_name() {
    return wide(identity::k_product_name);
}

std::wstring program_file_name() {
    return wide(identity::k_product_id) + L".exe";
}

std::wstring start_menu_entry_name() {
    return wide(identity::k_product_name) + L".lnk";
}

std::wstring uninstall_key_path() {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + wide(identity::k_maker_name) +
           L"." + wide(identity::k_product_name);
}

std::wstring previous_copy_name(std::wstring_view file_name) {
    return std::wstring(file_name) + L".old";
}

std::wstring uninstalled_file_name(unsigned long process_id) {
    return wide(identity::k_product_id) + L"-uninstalled-" + std::to_wstring(process_id) + L".exe";
}

std::wstring user_classes_key() {
    return L"Software\\Classes";
}

std::wstring map_prog_id() {
    return wide(identity::k_maker_name) + L"." + wide(identity::k_product_name) + L"Map";
}

std::wstring open_command(std::wstring_view program_file) {
    return quoted(program_file) + L" \"%1\"";
}

std::vector<RegistryKeyValues> map_file_type(std::wstring_view program_file) {
    const std::wstring type = user_classes_key() + L"\\" + map_prog_id();
    const std::wstring name = wide(identity::k_product_name) + L" map";
    return {
        {user_classes_key() + L"\\.quarn", {text_value(L"", map_prog_id())}},
        {type, {text_value(L"", name), text_value(L"FriendlyTypeName", name)}},
        {type + L"\\DefaultIcon", {text_value(L"", std::wstring(program_file) + L",0")}},
        {type + L"\\shell\\open\\command", {text_value(L"", open_command(program_file))}},
    };
}

std::uint32_t estimated_size_kib(std::optional<std::uint64_t> bytes) noexcept {
    if (!bytes) return 0;
    std::uint64_t kib = *bytes / 1024 + (*bytes % 1024 != 0 ? 1 : 0);
    constexpr std::uint64_t largest = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(kib < largest ? kib : largest);
}

std::vector<UninstallValue> uninstall_values(std::wstring_view program_folder, std::wstring_view program_file,
                                             std::optional<std::uint64_t> program_size) {
    return {
        text_value(L"DisplayVersion", wide(identity::k_version)),
        text_value(L"DisplayName", wide(identity::k_product_name)),
        text_value(L"Publisher", wide(identity::k_maker_name)),
        text_value(L"DisplayIcon", std::wstring(program_file) + L",0"),
        text_value(L"InstallLocation", std::wstring(program_folder)),
        text_value(L"UninstallString", quoted(program_file) + L" --uninstall"),
        text_value(L"QuietUninstallString", quoted(program_file) + L" --uninstall --quiet"),
        text_value(L"URLInfoAbout", wide(identity::k_homepage_url)),
        number_value(L"EstimatedSize", estimated_size_kib(program_size)),
        number_value(L"NoModify", 1),
        number_value(L"NoRepair", 1),
    };
}

} // namespace quarn::install
