// The real program installs and uninstalls itself in this test's own Wine
// prefix, whose user folders are moved to a place with spaces and letters
// beyond ASCII in its name (the prefix's "User Shell Folders"). Every
// question is answered by its button, as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "app/commands.hpp"
#include "app/main_window.hpp"
#include "config/config_store.hpp"
#include "dialogs/message_box.hpp"
#include "driver.hpp"
#include "identity/product.hpp"
#include "maker-services/install/install_plan.hpp"
#include "maker-services/install/install_texts.hpp"
#include "maker-services/install/installer.hpp"
#include "maker-services/update/update_registry.hpp"
#include "message_box_answer.hpp"
#include "test_support/installed_files.hpp"
#include "test_support/test_files.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace quarn::testing;

const std::wstring k_build_copy = beside_this_program(L"quarn.exe");

// Which file a path names now (volume and index), to follow a file that
// was moved.
std::optional<std::pair<DWORD, ULONGLONG>> file_identity(const fs::path& path) {
    win::UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return std::pair{info.dwVolumeSerialNumber, (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// Each value read with the type it must have; a value of another type or a
// missing one fails to read.
std::vector<install::UninstallValue> typed_values(const std::wstring& key,
                                                  const std::vector<install::UninstallValue>& table) {
    std::vector<install::UninstallValue> found;
    for (const auto& wanted : table) {
        install::UninstallValue value{wanted.name, wanted.kind, {}, 0};
        if (wanted.kind == install::ValueKind::Number) {
            DWORD number = 0;
            DWORD size = sizeof number;
            if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), wanted.name.c_str(), RRF_RT_REG_DWORD, nullptr,
                               &number, &size) != ERROR_SUCCESS)
                continue;
            value.number = number;
        } else {
            wchar_t text[1024] = {};
            DWORD size = sizeof text;
            if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), wanted.name.c_str(),
                               RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, text, &size) != ERROR_SUCCESS)
                continue;
            value.text = text;
        }
        found.push_back(value);
    }
    return found;
}

// A copy of the program with its main window answering.
struct Running {
    std::optional<AppProcess> app;
    HWND main = nullptr;
};

Running start_window(const fs::path& exe) {
    Running running{AppProcess::start(exe.wstring()), nullptr};
    if (running.app) running.main = running.app->wait_for_window(app::k_main_window_class, 60s);
    if (running.main != nullptr && !AppProcess::wait_until_responsive(running.main, 60s))
        running.main = nullptr;
    return running;
}

void close(Running& running) {
    if (running.main != nullptr) ::PostMessageW(running.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(running.app->wait_exit(30s), 0u);
}

std::optional<DWORD> run_to_end(const fs::path& exe, const wchar_t* arguments) {
    auto app = AppProcess::start(exe.wstring(), arguments);
    if (!app) return std::nullopt;
    return app->wait_exit(60s);
}

class InstalledProgram : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The user's local application data and Start menu programs, moved.
        wchar_t profile[MAX_PATH] = {};
        ::GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
        fs::path home = fs::path(profile) / L"Zo\u00eb \u00c5ngstr\u00f6m";
        HKEY raw = nullptr;
        ASSERT_EQ(
            ::RegCreateKeyExW(HKEY_CURRENT_USER,
                              L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                              0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
        win::UniqueKey folders(raw);
        for (auto [name, path] : {std::pair{L"Local AppData", home / L"AppData" / L"Local"},
                                  std::pair{L"Programs", home / L"Start Menu" / L"Programs"}}) {
            std::wstring text = path.wstring();
            ASSERT_EQ(::RegSetValueExW(folders.get(), name, 0, REG_EXPAND_SZ,
                                       reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
        std::error_code ignored;
        fs::create_directories(home / L"Start Menu" / L"Programs", ignored);
        home_ = new fs::path(home);
    }
    static void TearDownTestSuite() {
        delete home_;
        home_ = nullptr;
    }

    void SetUp() override {
        auto found = install::install_locations();
        ASSERT_TRUE(found.ok()) << found.error();
        at_ = found.value();
        ASSERT_EQ(at_.program_folder, *home_ / L"AppData" / L"Local" / L"Programs" / L"Quarn");
        ASSERT_EQ(at_.start_menu_entry, *home_ / L"Start Menu" / L"Programs" / L"Quarn.lnk");
        std::error_code ignored;
        fs::remove_all(at_.program_folder, ignored);
        ::DeleteFileW(at_.start_menu_entry.c_str());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, at_.uninstall_key.c_str());
        ASSERT_TRUE(settings_folder_);
        fs::create_directories(*settings_folder_, ignored);
        std::ofstream(*settings_folder_ / L"config.json") << "{\"theme\": \"system\"}";
        ASSERT_TRUE(update::set_update_check(false));
    }
    void TearDown() override {
        // Every copy started here asks nothing about update checks.
        EXPECT_TRUE(update::set_update_check(false));
    }

    static inline fs::path* home_ = nullptr;
    install::InstallLocations at_;
    std::optional<fs::path> settings_folder_ = config_folder();
};

TEST_F(InstalledProgram, InstallsUpdatesWhileRunningAndUninstallsItself) {
    ASSERT_EQ(run_to_end(k_build_copy, L"--install --quiet"), 0u);
    const std::string program = read_file(k_build_copy);
    ASSERT_FALSE(program.empty());
    EXPECT_TRUE(read_file(at_.program_file) == program) << "not a byte copy";
    EXPECT_EQ(link_target(at_.start_menu_entry), at_.program_file.wstring());
    auto table =
        install::uninstall_values(at_.program_folder.wstring(), at_.program_file.wstring(), program.size());
    EXPECT_EQ(typed_values(at_.uninstall_key, table), table);

    // Updating while the installed copy runs: the running file moves aside.
    Running installed = start_window(at_.program_file);
    ASSERT_NE(installed.main, nullptr);
    auto old_file = file_identity(at_.program_file);
    ASSERT_EQ(run_to_end(k_build_copy, L"--install --quiet"), 0u);
    fs::path previous = at_.program_folder / L"quarn.exe.old";
    EXPECT_EQ(file_identity(previous), old_file);
    EXPECT_NE(file_identity(at_.program_file), old_file);
    EXPECT_TRUE(read_file(at_.program_file) == program);
    close(installed);
    // The next start of the installed copy deletes the old one.
    Running updated = start_window(at_.program_file);
    ASSERT_NE(updated.main, nullptr);
    EXPECT_FALSE(present(previous));

    // While a copy runs, uninstall is refused, with and without a word.
    EXPECT_EQ(run_to_end(k_build_copy, L"--uninstall --quiet"), 1u);
    auto refused = AppProcess::start(k_build_copy, L"--uninstall");
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(answer_message_box(*refused, 0), win::widen(install::close_first_text()));
    EXPECT_EQ(refused->wait_exit(30s), 1u);
    EXPECT_TRUE(install::is_installed(at_));
    close(updated);

    // The installed copy uninstalls itself: its running file goes to the
    // temporary folder, the settings stay.
    auto uninstalling = AppProcess::start(at_.program_file.wstring(), L"--uninstall --quiet");
    ASSERT_TRUE(uninstalling.has_value());
    EXPECT_EQ(uninstalling->wait_exit(60s), 0u);
    fs::path moved = temp_folder() / install::uninstalled_file_name(uninstalling->process_id());
    EXPECT_TRUE(read_file(moved) == program);
    ::DeleteFileW(moved.c_str());
    EXPECT_FALSE(present(at_.start_menu_entry));
    EXPECT_FALSE(key_exists(at_.uninstall_key));
    EXPECT_FALSE(present(at_.program_file));
    EXPECT_FALSE(present(at_.program_folder));
    EXPECT_TRUE(present(*settings_folder_ / L"config.json"));
    EXPECT_TRUE(key_exists(update::update_registry_key()));

    // Uninstalling nothing is no failure.
    auto again = AppProcess::start(k_build_copy, L"--uninstall");
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(answer_message_box(*again, 0), win::widen(install::remove_settings_question_text()));
    EXPECT_EQ(answer_message_box(*again, 0), win::widen(install::uninstalled_text()));
    EXPECT_EQ(again->wait_exit(30s), 0u);
}

TEST_F(InstalledProgram, AsksAboutTheSettingsAndRemovesThemOnRequest) {
    ASSERT_EQ(run_to_end(k_build_copy, L"--install --quiet"), 0u);

    // Cancel leaves everything as it was.
    auto cancelled = AppProcess::start(at_.program_file.wstring(), L"--uninstall");
    ASSERT_TRUE(cancelled.has_value());
    std::vector<std::wstring> captions;
    EXPECT_EQ(answer_message_box(*cancelled, 2, &captions),
              win::widen(install::remove_settings_question_text()));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Keep Them", L"Remove Them", L"Cancel"}));
    EXPECT_EQ(cancelled->wait_exit(30s), 1223u);
    EXPECT_TRUE(install::is_installed(at_));
    EXPECT_TRUE(present(at_.start_menu_entry));

    // A missing Start menu entry does not stop the uninstall.
    ASSERT_TRUE(::DeleteFileW(at_.start_menu_entry.c_str()));
    auto removing = AppProcess::start(at_.program_file.wstring(), L"--uninstall");
    ASSERT_TRUE(removing.has_value());
    EXPECT_EQ(answer_message_box(*removing, 1), win::widen(install::remove_settings_question_text()));
    EXPECT_EQ(answer_message_box(*removing, 0), win::widen(install::uninstalled_text()));
    EXPECT_EQ(removing->wait_exit(30s), 0u);
    EXPECT_FALSE(present(at_.program_folder));
    EXPECT_FALSE(key_exists(at_.uninstall_key));
    EXPECT_FALSE(present(*settings_folder_));
    EXPECT_FALSE(key_exists(update::update_registry_key()));
    ::DeleteFileW((temp_folder() / install::uninstalled_file_name(removing->process_id())).c_str());
}

TEST_F(InstalledProgram, HelpMenuInstallsAndOffersTheUpdateAfterwards) {
    Running copy = start_window(k_build_copy);
    ASSERT_NE(copy.main, nullptr);
    const std::string folder = win::narrow(at_.program_folder.wstring());

    ::PostMessageW(copy.main, WM_COMMAND, app::HelpInstall, 0);
    std::vector<std::wstring> captions;
    EXPECT_EQ(answer_message_box(*copy.app, 0, &captions),
              win::widen(install::install_question_text(folder)));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Install", L"Cancel"}));
    EXPECT_EQ(answer_message_box(*copy.app, 0), win::widen(install::menu_installed_text()));
    EXPECT_TRUE(read_file(at_.program_file) == read_file(k_build_copy));
    EXPECT_TRUE(key_exists(at_.uninstall_key));

    ::PostMessageW(copy.main, WM_COMMAND, app::HelpInstall, 0);
    captions.clear();
    EXPECT_EQ(answer_message_box(*copy.app, 1, &captions),
              win::widen(install::update_question_text(folder, identity::k_version)));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Update", L"Cancel"}));
    ASSERT_TRUE(AppProcess::wait_until_responsive(copy.main, 20s));
    EXPECT_EQ(copy.app->wait_for_window(dialogs::k_message_window_class, 0s), nullptr) << "Cancel went on";
    close(copy);
}

} // namespace
} // namespace quarn
