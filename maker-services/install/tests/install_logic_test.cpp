#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "identity/product.hpp"
#include "maker-services/install/command_line.hpp"
#include "maker-services/install/install_plan.hpp"
#include "maker-services/install/install_texts.hpp"

namespace quarn::install {
namespace {

TEST(InstallPlan, NamesOfTheInstallation) {
    EXPECT_EQ(program_folder_name(), L"Quarn");
    EXPECT_EQ(program_file_name(), L"quarn.exe");
    EXPECT_EQ(start_menu_entry_name(), L"Quarn.lnk");
    EXPECT_EQ(uninstall_key_path(),
              L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brambleforge.Quarn");
    EXPECT_EQ(previous_copy_name(program_file_name()), L"quarn.exe.old");
    EXPECT_EQ(uninstalled_file_name(4711), L"quarn-uninstalled-4711.exe");
    EXPECT_EQ(uninstalled_file_name(4294967295ul), L"quarn-uninstalled-4294967295.exe");
}

TEST(InstallPlan, EstimatedSizeIsRoundedUpInKib) {
    struct Case {
        std::optional<std::uint64_t> bytes;
        std::uint32_t kib;
    };
    const Case cases[] = {
        {std::nullopt, 0},
        {0, 0},
        {1, 1},
        {1024, 1},
        {1025, 2},
        {2048, 2},
        {5u * 1024 * 1024 + 1, 5121},
        {(std::uint64_t{1} << 42) + 1, 4294967295u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(estimated_size_kib(c.bytes), c.kib) << (c.bytes ? std::to_string(*c.bytes) : "unreadable");
}

TEST(InstallPlan, UninstallEntryHoldsTheElevenValues) {
    const std::wstring folder = L"C:\\Users\\Zo\u00eb \u00c5ngstr\u00f6m\\AppData\\Local\\Programs\\Quarn";
    const std::wstring file = folder + L"\\quarn.exe";
    const std::wstring version(identity::k_version, identity::k_version + sizeof identity::k_version - 1);
    auto text = [](const wchar_t* name, std::wstring value) {
        return UninstallValue{name, ValueKind::String, std::move(value), 0};
    };
    auto number = [](const wchar_t* name, std::uint32_t value) {
        return UninstallValue{name, ValueKind::Number, {}, value};
    };
    const std::vector<UninstallValue> expected{
        text(L"DisplayVersion", version),
        text(L"DisplayName", L"Quarn"),
        text(L"Publisher", L"Brambleforge"),
        text(L"DisplayIcon", file + L",0"),
        text(L"InstallLocation", folder),
        text(L"UninstallString", L"\"" + file + L"\" --uninstall"),
        text(L"QuietUninstallString", L"\"" + file + L"\" --uninstall --quiet"),
        text(L"URLInfoAbout", L"https://www.brambleforge.com/quarn"),
        number(L"EstimatedSize", 3),
        number(L"NoModify", 1),
        number(L"NoRepair", 1),
    };
    EXPECT_EQ(uninstall_values(folder, file, 2049), expected);
    EXPECT_EQ(uninstall_values(folder, file, std::nullopt)[8], number(L"EstimatedSize", 0));
}

TEST(InstallPlan, TheMapFileTypeLeadsFromTheExtensionToTheProgram) {
    const std::wstring program = L"C:\\Users\\Zo\u00eb\\AppData\\Local\\Programs\\Quarn\\quarn.exe";
    auto text = [](const wchar_t* name, std::wstring value) {
        return UninstallValue{name, ValueKind::String, std::move(value), 0};
    };
    const std::vector<RegistryKeyValues> expected = {
        {L"Software\\Classes\\.quarn", {text(L"", L"Brambleforge.QuarnMap")}},
        {L"Software\\Classes\\Brambleforge.QuarnMap",
         {text(L"", L"Quarn map"), text(L"FriendlyTypeName", L"Quarn map")}},
        {L"Software\\Classes\\Brambleforge.QuarnMap\\DefaultIcon", {text(L"", program + L",0")}},
        {L"Software\\Classes\\Brambleforge.QuarnMap\\shell\\open\\command",
         {text(L"", L"\"" + program + L"\" \"%1\"")}},
    };
    EXPECT_EQ(map_file_type(program), expected);
    EXPECT_EQ(open_command(program), L"\"" + program + L"\" \"%1\"");
}

TEST(CommandLine, MaintenanceSwitchesCountOnlyInFirstPlace) {
    using Args = std::vector<std::wstring>;
    struct Case {
        Args arguments;
        CommandLine expected;
    };
    const Case cases[] = {
        {{L"quarn.exe"}, {}},
        {{L"quarn.exe", L"--install"}, {Maintenance::Install, false, std::nullopt}},
        {{L"quarn.exe", L"--uninstall"}, {Maintenance::Uninstall, false, std::nullopt}},
        {{L"quarn.exe", L"--install", L"--quiet"}, {Maintenance::Install, true, std::nullopt}},
        {{L"quarn.exe", L"--uninstall", L"x.quarn", L"--quiet"},
         {Maintenance::Uninstall, true, std::nullopt}},
        // In second place a switch is only the name of a file to open, and
        // "--quiet" alone is one too.
        {{L"quarn.exe", L"C:\\Maps\\R&D 1.quarn", L"--install"},
         {Maintenance::None, false, L"C:\\Maps\\R&D 1.quarn"}},
        {{L"quarn.exe", L"--quiet", L"--uninstall"}, {Maintenance::None, false, L"--quiet"}},
        // Compared exactly.
        {{L"quarn.exe", L"--Install"}, {Maintenance::None, false, L"--Install"}},
        {{L"quarn.exe", L"--install", L"--QUIET"}, {Maintenance::Install, false, std::nullopt}},
        {{L"quarn.exe", L"/install"}, {Maintenance::None, false, L"/install"}},
    };
    for (const Case& c : cases) {
        CommandLine line = read_command_line(c.arguments);
        EXPECT_EQ(line, c.expected) << (c.arguments.size() > 1
                                            ? std::string(c.arguments[1].begin(), c.arguments[1].end())
                                            : std::string("(none)"));
    }
    EXPECT_EQ(read_command_line({}), CommandLine{});
}

TEST(CommandLine, ExitCodes) {
    EXPECT_EQ(exit_code(Outcome::Done), 0);
    EXPECT_EQ(exit_code(Outcome::Failed), 1);
    EXPECT_EQ(exit_code(Outcome::Refused), 1);
    EXPECT_EQ(exit_code(Outcome::Cancelled), 1223);
}

TEST(InstallTexts, WholeMessages) {
    const std::string folder = "C:\\Users\\Zo\u00eb\\AppData\\Local\\Programs\\Quarn";
    const std::pair<std::string, std::string> cases[] = {
        {install_menu_text(false), "Install Quarn..."},
        {install_menu_text(true), "Update Installed Quarn..."},
        {install_question_text(folder), "Install Quarn for your Windows account?\n\nIt is copied to\n" +
                                            folder +
                                            "\nand gets an entry in the Start menu and in Settings > Apps to "
                                            "uninstall it. No administrator rights "
                                            "are needed. Your settings and maps stay where they are."},
        {update_question_text(folder, "1.2.3"),
         "Update the installed Quarn in\n" + folder + "\nwith this copy (version 1.2.3)?"},
        {menu_installed_text(), "Done. From now on, start Quarn from the Start menu. This copy can be "
                                "deleted once you have closed it."},
        {installed_text(), "Quarn is installed. From now on, start it from the Start menu."},
        {install_failed_text("The installed copy is in use: Access denied."),
         "Quarn could not be installed.\n\nThe installed copy is in use: Access denied."},
        {close_first_text(), "Close Quarn first, then uninstall it again."},
        {remove_settings_question_text(),
         "Also remove Quarn's settings?\n\nYour maps are files of your own and stay where they are."},
        {uninstalled_text(), "Quarn is uninstalled."},
        {uninstall_failed_text("x"), "Quarn could not be uninstalled.\n\nx"},
        {error_text(InstallError::LocationsUnknown, "ignored"),
         "The Windows program folders could not be found."},
        {error_text(InstallError::FolderNotCreated, "Access denied."),
         "The program folder could not be created: Access denied."},
        {error_text(InstallError::StartMenuEntryNotCreated, "E"),
         "The Start menu entry could not be created: E"},
        {error_text(InstallError::UninstallEntryNotWritten, "E"),
         "The uninstall entry could not be written: E"},
        {error_text(InstallError::StartMenuEntryNotRemoved, "E"),
         "The Start menu entry could not be removed: E"},
        {error_text(InstallError::ProgramFileNotRemoved, "E"), "The program file could not be removed: E"},
        {error_text(InstallError::ProgramNotCopied, "E"), "The program file could not be copied: E"},
        {error_text(InstallError::UninstallEntryNotRemoved, "E"),
         "The uninstall entry could not be removed: E"},
        {error_text(InstallError::SettingsNotRemoved, "E"), "The settings could not be removed: E"},
        {error_text(InstallError::FileTypeNotRegistered, "E"),
         "The map file type could not be registered: E"},
        {error_text(InstallError::FileTypeNotRemoved, "E"), "The map file type could not be removed: E"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
}

} // namespace
} // namespace quarn::install
