// Install and uninstall with the real file system, shell links and registry
// of this test's own Wine prefix, into folders whose names hold spaces and
// letters beyond ASCII. The program installed is this test program.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <vector>

#include "maker-services/install/copy_contents.hpp"
#include "maker-services/install/install_plan.hpp"
#include "maker-services/install/install_texts.hpp"
#include "maker-services/install/installer.hpp"
#include "maker-services/update/update_registry.hpp"
#include "test_support/installed_files.hpp"
#include "test_support/test_files.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::install {
namespace {

namespace fs = std::filesystem;
using namespace quarn::testing;

// The values of a key as the table describes them, types included.
std::vector<UninstallValue> entry_values(const std::wstring& key, const std::vector<UninstallValue>& names) {
    std::vector<UninstallValue> found;
    for (const UninstallValue& wanted : names) {
        DWORD type = 0;
        std::vector<BYTE> data(4096);
        auto size = static_cast<DWORD>(data.size());
        if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), wanted.name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                           &type, data.data(), &size) != ERROR_SUCCESS)
            continue;
        UninstallValue value{wanted.name, ValueKind::String, {}, 0};
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            value.kind = ValueKind::Number;
            value.number = *reinterpret_cast<const DWORD*>(data.data());
        } else if (type == REG_SZ) {
            value.text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            while (!value.text.empty() && value.text.back() == L'\0') value.text.pop_back();
        } else {
            value.text = L"<type " + std::to_wstring(type) + L">";
        }
        found.push_back(value);
    }
    return found;
}

DWORD value_count(const std::wstring& key) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return 0;
    win::UniqueKey open(raw);
    DWORD values = 0;
    ::RegQueryInfoKeyW(open.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
    return values;
}

bool under_wine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The path as the ANSI code page keeps it: letters beyond it become "?".
std::wstring through_ansi(const std::wstring& path) {
    std::string ansi(path.size() * 4 + 1, '\0');
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), static_cast<int>(ansi.size()),
                                      nullptr, nullptr);
    std::wstring back(path.size() + 1, L'\0');
    int units =
        ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), bytes, back.data(), static_cast<int>(back.size()));
    back.resize(units > 0 ? static_cast<std::size_t>(units - 1) : 0);
    return back;
}

// Windows keeps the target's Unicode path in the link. Wine keeps only the
// ANSI form, so the CJK letters of the test folder come back as "?" there;
// the link itself is written the same way on both.
void expect_link_to(const fs::path& link, const fs::path& target) {
    std::wstring found = link_target(link);
    if (under_wine() && found != target.wstring()) {
        EXPECT_EQ(found, through_ansi(target.wstring()));
        return;
    }
    EXPECT_EQ(found, target.wstring());
}

const std::wstring k_extension_key = L"Software\\Classes\\.quarn";
const std::wstring k_type_key = L"Software\\Classes\\Brambleforge.QuarnMap";

void forget_file_types() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, k_extension_key.c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, k_type_key.c_str());
}

// Every key of the map file type with the values the plan names, as read
// back from the registry.
std::vector<RegistryKeyValues> file_type_found(const std::vector<RegistryKeyValues>& plan) {
    std::vector<RegistryKeyValues> found;
    for (const RegistryKeyValues& key : plan) found.push_back({key.key, entry_values(key.key, key.values)});
    return found;
}

void set_default(const std::wstring& key, const std::wstring& text) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, REG_SZ, text.c_str(),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// The map file type as an install of the program at `program` writes it.
void plant_file_type(const std::wstring& program) {
    for (const RegistryKeyValues& key : map_file_type(program))
        for (const UninstallValue& value : key.values)
            ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key.key.c_str(),
                                        value.name.empty() ? nullptr : value.name.c_str(), REG_SZ,
                                        value.text.c_str(),
                                        static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(com_.result()));
        std::error_code ignored;
        fs::remove_all(root_, ignored);
        ASSERT_TRUE(fs::create_directories(root_ / L"Start Menu" / L"Programs"));
        ::RegDeleteTreeW(HKEY_CURRENT_USER, at_.uninstall_key.c_str());
        forget_file_types();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, at_.uninstall_key.c_str());
        forget_file_types();
    }

    win::ComApartment com_{COINIT_APARTMENTTHREADED};
    fs::path root_ = temp_folder() / L"Zo\u00eb \u00c5ngstr\u00f6m \u6e2c\u8a66";
    InstallLocations at_ = locations_in(root_ / L"Local Programs", root_ / L"Start Menu" / L"Programs");
    fs::path self_ = running_program();
};

TEST_F(Installer, CopiesTheProgramAndWritesItsShortcutAndUninstallEntry) {
    ASSERT_FALSE(is_installed(at_));
    ASSERT_EQ(install(at_, self_), std::nullopt);
    EXPECT_TRUE(is_installed(at_));
    EXPECT_EQ(at_.program_file.parent_path(), root_ / L"Local Programs" / L"Quarn");

    std::string original = read_file(self_);
    ASSERT_FALSE(original.empty());
    EXPECT_TRUE(read_file(at_.program_file) == original) << "not a byte copy";
    expect_link_to(at_.start_menu_entry, at_.program_file);

    auto expected =
        uninstall_values(at_.program_folder.wstring(), at_.program_file.wstring(), original.size());
    EXPECT_EQ(entry_values(at_.uninstall_key, expected), expected);
    EXPECT_EQ(value_count(at_.uninstall_key), 11u);

    // Installing over an installed copy that does not run replaces it.
    ASSERT_EQ(install(at_, self_), std::nullopt);
    EXPECT_FALSE(present(at_.program_folder / L"quarn.exe.old"));
    EXPECT_TRUE(read_file(at_.program_file) == original);
    // The installed copy installing itself copies nothing and renews the rest.
    ASSERT_TRUE(::DeleteFileW(at_.start_menu_entry.c_str()));
    ASSERT_EQ(install(at_, at_.program_file), std::nullopt);
    expect_link_to(at_.start_menu_entry, at_.program_file);
}

TEST_F(Installer, UninstallFromTheInstalledCopyMovesItToTheTemporaryFolder) {
    ASSERT_EQ(install(at_, self_), std::nullopt);
    fs::path moved = temp_folder() / uninstalled_file_name(::GetCurrentProcessId());
    ::DeleteFileW(moved.c_str());
    std::ofstream(at_.program_folder / L"quarn.exe.old") << "left by an update";

    ASSERT_EQ(uninstall(at_, at_.program_file), std::nullopt);
    EXPECT_FALSE(present(at_.start_menu_entry));
    EXPECT_FALSE(key_exists(at_.uninstall_key));
    EXPECT_FALSE(present(at_.program_file));
    EXPECT_FALSE(present(at_.program_folder)) << "the empty folder stays";
    EXPECT_TRUE(read_file(moved) == read_file(self_));
    ::DeleteFileW(moved.c_str());

    // Nothing left to remove is no failure.
    EXPECT_EQ(uninstall(at_, self_), std::nullopt);
}

TEST_F(Installer, MapsOpenInTheInstalledProgramUntilItIsUninstalled) {
    ASSERT_EQ(install(at_, self_), std::nullopt);
    const auto plan = map_file_type(at_.program_file.wstring());
    EXPECT_EQ(file_type_found(plan), plan);
    EXPECT_EQ(value_count(k_extension_key), 1u);
    EXPECT_EQ(value_count(k_type_key), 2u);

    // Another program's entry under the extension outlives the uninstall;
    // the extension's own value, which the install wrote, does not.
    set_default(k_extension_key + L"\\OpenWithProgids", L"");
    ASSERT_EQ(uninstall(at_, self_), std::nullopt);
    EXPECT_FALSE(key_exists(k_type_key));
    EXPECT_EQ(value_count(k_extension_key), 0u);
    EXPECT_TRUE(key_exists(k_extension_key + L"\\OpenWithProgids"));
    forget_file_types();

    // Without anything else under it, the extension's key goes too.
    ASSERT_EQ(install(at_, self_), std::nullopt);
    ASSERT_EQ(uninstall(at_, self_), std::nullopt);
    EXPECT_FALSE(key_exists(k_extension_key));
    EXPECT_FALSE(key_exists(k_type_key));
}

TEST_F(Installer, UninstallLeavesAFileTypeThatLeadsElsewhereAlone) {
    // ".quarn" taken over by another program since the install.
    ASSERT_EQ(install(at_, self_), std::nullopt);
    set_default(k_extension_key, L"Other.Viewer");
    ASSERT_EQ(uninstall(at_, self_), std::nullopt);
    EXPECT_FALSE(key_exists(k_type_key)) << "the program's own type goes";
    EXPECT_EQ(entry_values(k_extension_key, {{L"", ValueKind::String, {}, 0}}),
              (std::vector<UninstallValue>{{L"", ValueKind::String, L"Other.Viewer", 0}}));
    forget_file_types();

    // The type written by another install of the program, elsewhere: this
    // uninstall touches neither key.
    const std::wstring elsewhere = L"D:\\Portable\\quarn.exe";
    plant_file_type(elsewhere);
    ASSERT_EQ(install(at_, self_), std::nullopt);
    plant_file_type(elsewhere);
    ASSERT_EQ(uninstall(at_, self_), std::nullopt);
    const auto plan = map_file_type(elsewhere);
    EXPECT_EQ(file_type_found(plan), plan);
}

TEST_F(Installer, UninstallGoesOnWithoutStartMenuEntryAndKeepsAFolderThatHoldsMore) {
    ASSERT_EQ(install(at_, self_), std::nullopt);
    ASSERT_TRUE(::DeleteFileW(at_.start_menu_entry.c_str()));
    std::ofstream(at_.program_folder / L"notes of mine.txt") << "mine";

    ASSERT_EQ(uninstall(at_, self_), std::nullopt);
    EXPECT_FALSE(key_exists(at_.uninstall_key));
    EXPECT_FALSE(present(at_.program_file));
    EXPECT_TRUE(present(at_.program_folder / L"notes of mine.txt"));
}

TEST_F(Installer, ReportsTheFirstFailingStepAndStops) {
    // A file where the program folder belongs.
    fs::create_directories(at_.program_folder.parent_path());
    std::ofstream(at_.program_folder) << "in the way";
    EXPECT_EQ(install(at_, self_),
              error_text(InstallError::FolderNotCreated, win::system_message(ERROR_ALREADY_EXISTS)));
    EXPECT_FALSE(present(at_.start_menu_entry));
    ASSERT_TRUE(::DeleteFileW(at_.program_folder.c_str()));

    // No Start menu folder to save the entry in: the copy is made, the
    // uninstall entry not.
    InstallLocations nowhere = locations_in(root_ / L"Local Programs", root_ / L"missing" / L"Programs");
    auto error = install(nowhere, self_);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->rfind(error_text(InstallError::StartMenuEntryNotCreated), 0), 0u) << *error;
    EXPECT_GT(error->size(), error_text(InstallError::StartMenuEntryNotCreated).size()) << "no system text";
    EXPECT_TRUE(is_installed(nowhere));
    EXPECT_FALSE(key_exists(nowhere.uninstall_key));

    // A program that is not there cannot be copied.
    ASSERT_TRUE(::DeleteFileW(at_.program_file.c_str()));
    EXPECT_EQ(install(at_, root_ / L"gone.exe"),
              error_text(InstallError::ProgramNotCopied, win::system_message(ERROR_FILE_NOT_FOUND)));
}

TEST_F(Installer, RemovingTheSettingsTakesTheirFolderAndTheProgramsKey) {
    fs::path settings = root_ / L"Roaming" / L"Quarn";
    fs::create_directories(settings / L"deeper");
    std::ofstream(settings / L"config.json") << "{}";
    std::ofstream(settings / L"deeper" / L"r\u00e9cent.txt") << "x";
    ::SetFileAttributesW((settings / L"config.json").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring key = update::update_registry_key();
    const std::wstring maker = key.substr(0, key.rfind(L'\\'));
    ASSERT_TRUE(update::set_update_check(false));

    EXPECT_EQ(remove_settings(settings), std::nullopt);
    EXPECT_FALSE(present(settings));
    EXPECT_TRUE(present(settings.parent_path()));
    EXPECT_FALSE(key_exists(key));
    EXPECT_FALSE(key_exists(maker)) << "the maker's empty key stays";

    // The maker's key stays while another product keeps something in it.
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (maker + L"\\other").c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(raw);
    ASSERT_TRUE(update::set_update_check(false));
    EXPECT_EQ(remove_settings(std::nullopt), std::nullopt);
    EXPECT_FALSE(key_exists(key));
    EXPECT_TRUE(key_exists(maker + L"\\other"));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, maker.c_str());
    // The bench's prefix starts with update checks off; keep it so.
    ASSERT_TRUE(update::set_update_check(false));
}

// The installed copy takes the program's bytes and none of its alternate
// streams: a downloaded program carries the mark of the web there, and on
// NTFS CopyFileW would copy it along, so that Windows warns at every start
// of the installed copy. Wine keeps no alternate streams on its disks; the
// bench then checks only the bytes and says so.
TEST(CopyContents, TakesTheBytesAndLeavesTheMarkOfTheWebBehind) {
    std::filesystem::path folder = temp_folder("copy-contents");
    std::filesystem::path from = folder / L"download.exe";
    std::filesystem::path to = folder / L"installed.exe";
    std::filesystem::path copied = folder / L"copied.exe";
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    write_file(from, bytes);
    std::filesystem::path mark = from;
    mark += L":Zone.Identifier";
    write_file(mark, "[ZoneTransfer]\r\nZoneId=3\r\n");
    write_file(to, "an older copy, longer than nothing");

    EXPECT_EQ(install::copy_contents(from, to), 0u);
    EXPECT_EQ(read_file(to), bytes);
    EXPECT_EQ(install::copy_contents(folder / L"missing.exe", to), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    auto has_mark = [](std::filesystem::path file) {
        WIN32_FIND_STREAM_DATA stream{};
        HANDLE found = ::FindFirstStreamW(file.c_str(), FindStreamInfoStandard, &stream, 0);
        if (found == INVALID_HANDLE_VALUE) return false;
        bool marked = false;
        do {
            marked = marked || std::wstring(stream.cStreamName) == L":Zone.Identifier:$DATA";
        } while (::FindNextStreamW(found, &stream));
        ::FindClose(found);
        return marked;
    };
    ASSERT_TRUE(::CopyFileW(from.c_str(), copied.c_str(), FALSE));
    if (!has_mark(from) || !has_mark(copied))
        GTEST_SKIP() << "this file system keeps no alternate streams (Wine): only the bytes were checked";
    EXPECT_FALSE(has_mark(to));
}

TEST(InstallLocations, ComeFromTheUsersKnownFolders) {
    auto at = install_locations();
    ASSERT_TRUE(at.ok()) << at.error();
    EXPECT_EQ(at.value().program_folder.filename(), L"Quarn");
    EXPECT_EQ(at.value().program_file.filename(), L"quarn.exe");
    EXPECT_EQ(at.value().start_menu_entry.filename(), L"Quarn.lnk");
    EXPECT_EQ(at.value().uninstall_key, uninstall_key_path());
    EXPECT_TRUE(at.value().program_folder.is_absolute());
    EXPECT_TRUE(at.value().start_menu_entry.is_absolute());
}

} // namespace
} // namespace quarn::install
