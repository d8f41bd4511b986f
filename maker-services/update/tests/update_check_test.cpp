// The update check's Windows side: the registry values, the real WinHTTP
// request against a local HTTPS server (started by the CTest fixture), the
// worker and its posted result. The server's certificate authority is made
// for this test and trusted only in the test's own Wine prefix.
#include <windows.h>

#include <wincrypt.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "dialogs/shell_open.hpp"
#include "identity/product.hpp"
#include "maker-services/update/update_check.hpp"
#include "maker-services/update/update_registry.hpp"
#include "maker-services/update/update_service.hpp"
#include "maker-services/update/updates_page.hpp"
#include "maker-services/update/updates_window.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::update {
namespace {

const Version k_running = running_version();

void delete_value(const wchar_t* name) {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, update_registry_key().c_str(), name);
}

void write_raw(const wchar_t* name, const std::wstring& text) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, update_registry_key().c_str(), name, REG_SZ, text.c_str(),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

std::optional<std::wstring> read_raw(const wchar_t* name) {
    wchar_t text[64];
    DWORD bytes = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, update_registry_key().c_str(), name, RRF_RT_REG_SZ, nullptr, text,
                       &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

// A proxy that asks who the user is (407 with its schemes) is answered
// once with the signed-in user's own credentials; on Windows, WinHTTP then
// signs in with Negotiate or NTLM as that user. Wine has no such sign-in
// without Samba's helper, so the bench checks the choice of scheme, not the
// exchange. A server's own request for credentials is never answered.
TEST(UpdateRequest, AProxyIsAnsweredOnlyWithSchemesThatNeedNoPassword) {
    struct Case {
        DWORD offered;
        DWORD chosen;
    };
    const Case cases[] = {
        {WINHTTP_AUTH_SCHEME_NEGOTIATE | WINHTTP_AUTH_SCHEME_NTLM, WINHTTP_AUTH_SCHEME_NEGOTIATE},
        {WINHTTP_AUTH_SCHEME_NTLM | WINHTTP_AUTH_SCHEME_BASIC, WINHTTP_AUTH_SCHEME_NTLM},
        {WINHTTP_AUTH_SCHEME_NEGOTIATE, WINHTTP_AUTH_SCHEME_NEGOTIATE},
        {WINHTTP_AUTH_SCHEME_BASIC, 0},
        {WINHTTP_AUTH_SCHEME_DIGEST | WINHTTP_AUTH_SCHEME_BASIC, 0},
        {0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(proxy_scheme(c.offered), c.chosen) << c.offered;
}

TEST(UpdateRegistry, ConsentDatesAndNotified) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, update_registry_key().c_str());
    EXPECT_EQ(update_check_setting(), UpdateCheckSetting::NotAsked);
    EXPECT_FALSE(update_check_due());

    ASSERT_TRUE(set_update_check(true));
    EXPECT_EQ(read_raw(L"UpdateCheck"), L"on");
    EXPECT_EQ(update_check_setting(), UpdateCheckSetting::On);
    EXPECT_TRUE(update_check_due()); // never checked

    ASSERT_TRUE(record_update_check(local_today()));
    EXPECT_EQ(read_raw(L"UpdateChecked"), win::widen(date_text(local_today())));
    EXPECT_FALSE(update_check_due());
    write_raw(L"UpdateChecked", L"2020-01-01");
    EXPECT_EQ(last_update_check(), (Date{2020, 1, 1}));
    EXPECT_TRUE(update_check_due());
    // Today written without leading zeros is not a date: the check runs.
    const Date today = local_today();
    write_raw(L"UpdateChecked", std::to_wstring(today.year) + L"-" + std::to_wstring(today.month) + L"-" +
                                    std::to_wstring(today.day));
    EXPECT_EQ(last_update_check().has_value(), today.month >= 10 && today.day >= 10);

    ASSERT_TRUE(set_update_check(false));
    EXPECT_EQ(read_raw(L"UpdateCheck"), L"off");
    EXPECT_FALSE(update_check_due());
    write_raw(L"UpdateCheck", L"ON");
    EXPECT_EQ(update_check_setting(), UpdateCheckSetting::NotAsked);
    // A value of another type is no consent either.
    DWORD one = 1;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, update_registry_key().c_str(), L"UpdateCheck", REG_DWORD,
                                &one, sizeof one),
              ERROR_SUCCESS);
    EXPECT_EQ(update_check_setting(), UpdateCheckSetting::NotAsked);

    EXPECT_TRUE(mark_notified(Version{1, 0, 10}));
    EXPECT_EQ(read_raw(L"UpdateNotified"), L"1.0.10");
    EXPECT_FALSE(mark_notified(Version{1, 0, 10}));
    EXPECT_TRUE(mark_notified(Version{1, 1, 0}));
    EXPECT_FALSE(mark_notified(Version{1, 1, 0}));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, update_registry_key().c_str());
}

std::wstring opened;
DWORD record_open(HWND, const std::wstring& target) noexcept {
    opened = target;
    return 0;
}

TEST(UpdateRegistry, UpdatesPageOpensTheProductsPage) {
    auto previous = dialogs::set_shell_opener(record_open);
    EXPECT_TRUE(open_updates_page(nullptr));
    dialogs::set_shell_opener(previous);
    EXPECT_EQ(opened, L"https://" + win::widen(identity::k_web_host) + L"/updates/quarn/");
}

// The fixture's server: its folder and one port per case.
struct Server {
    std::wstring folder;
    std::map<std::string, INTERNET_PORT> ports;
};

bool running_in_wine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
}

// Trusts the test's own authority in this prefix's Root store. Done only in
// Wine, where the prefix is the test's own: on a real Windows machine this
// would change the user's trust.
std::optional<Server> server_for_test(std::string& why_not) {
    const wchar_t* folder = _wgetenv(L"QUARN_UPDATE_SERVER");
    if (folder == nullptr) {
        why_not =
            "QUARN_UPDATE_SERVER is not set: run this test through CTest, whose fixture starts the server";
        return std::nullopt;
    }
    if (!running_in_wine()) {
        why_not = "trusting the test's certificate authority is done only in the test's private Wine prefix";
        return std::nullopt;
    }
    Server server{folder, {}};
    std::ifstream ports(std::filesystem::path(server.folder + L"\\ports"));
    std::string name;
    unsigned port = 0;
    while (ports >> name >> port) server.ports[name] = static_cast<INTERNET_PORT>(port);
    if (server.ports.size() != 8) {
        why_not = "the test server's port list is incomplete";
        return std::nullopt;
    }

    std::ifstream der(std::filesystem::path(server.folder + L"\\trusted-ca.der"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(der)), std::istreambuf_iterator<char>());
    HCERTSTORE root =
        ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (root == nullptr || bytes.empty() ||
        !::CertAddEncodedCertificateToStore(
            root, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(bytes.data()),
            static_cast<DWORD>(bytes.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr)) {
        why_not = "the test's certificate authority could not be added to the prefix's Root store";
        if (root) ::CertCloseStore(root, 0);
        return std::nullopt;
    }
    ::CertCloseStore(root, 0);
    return server;
}

// A hidden window that receives the worker's message.
struct MessageWindow {
    MessageWindow()
        : hwnd(::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr)) {}
    ~MessageWindow() { ::DestroyWindow(hwnd); }
    HWND hwnd;
};

// Runs messages until the check's result arrives or the deadline passes.
bool wait_for_result(HWND window, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == window && msg.message == k_update_result_message) return true;
            ::DispatchMessageW(&msg);
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    }
}

TEST(UpdateCheck, AgainstTheLocalServer) {
    std::string why_not;
    auto server = server_for_test(why_not);
    if (!server) GTEST_SKIP() << why_not;

    const Version newer{k_running.major_part, k_running.minor_part, k_running.patch_part + 1};
    const std::string today = date_text(local_today());
    struct Case {
        const char* name;
        UpdateResult result;
        std::string status; // the update window's text afterwards (the check is on)
    };
    const Case cases[] = {
        {"newer", UpdateFound{newer, true, true},
         "Quarn " + version_text(newer) +
             " is available (security update).\r\nLast successful check: " + today},
        {"equal", UpdateFound{k_running, false, false},
         "Quarn is up to date.\r\nLast successful check: " + today},
        {"missing", UpdateFailure{"127.0.0.1 answered with an error (404)."},
         "The update check failed: 127.0.0.1 answered with an error (404)."},
        {"moved", UpdateFailure{"127.0.0.1 answered with an error (301)."},
         "The update check failed: 127.0.0.1 answered with an error (301)."},
        {"oversized", UpdateFailure{"The list of versions could not be read."},
         "The update check failed: The list of versions could not be read."},
        {"untrusted", UpdateFailure{"127.0.0.1 could not be reached."},
         "The update check failed: 127.0.0.1 could not be reached."},
        {"silent", UpdateFailure{"127.0.0.1 could not be reached."},
         "The update check failed: 127.0.0.1 could not be reached."},
        {"mute", UpdateFailure{"127.0.0.1 could not be reached."},
         "The update check failed: 127.0.0.1 could not be reached."},
    };
    ASSERT_TRUE(set_update_check(true));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        delete_value(L"UpdateChecked");
        MessageWindow window;
        ASSERT_NE(window.hwnd, nullptr);
        // A server that never answers (not even the TLS greeting, or not the
        // request) is given up after the time-out; the test shortens it to
        // keep the run short, the program keeps 10 s.
        const bool never_answers = std::string_view(c.name) == "silent" || std::string_view(c.name) == "mute";
        const DWORD timeout = never_answers ? 2000 : k_update_timeout_ms;
        UpdateCheck check(window.hwnd, k_running,
                          UpdateEndpoint{L"127.0.0.1", server->ports.at(c.name), timeout});
        const auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(check.start());
        EXPECT_TRUE(check.running());
        EXPECT_FALSE(check.start()) << "a second check while one runs";
        ASSERT_TRUE(wait_for_result(window.hwnd, std::chrono::seconds(60)));
        const auto took = std::chrono::steady_clock::now() - started;

        auto result = check.take_result();
        ASSERT_TRUE(result);
        EXPECT_EQ(*result, c.result);
        EXPECT_FALSE(check.running());
        EXPECT_FALSE(check.take_result()) << "the slot is emptied";
        const bool success = std::holds_alternative<UpdateFound>(c.result);
        EXPECT_EQ(last_update_check(), success ? local_today() : std::optional<Date>{});
        EXPECT_EQ(update_status_text({false, result, update_check_setting(), last_update_check()}), c.status);
        if (never_answers) {
            EXPECT_LT(took, std::chrono::seconds(30));
        }
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, update_registry_key().c_str());
}

std::wstring control_text(HWND window, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(window, id, text, 512);
    return text;
}

bool control_enabled(HWND window, int id) {
    return ::IsWindowEnabled(::GetDlgItem(window, id)) != FALSE;
}

// The update window driven through its buttons, as the user would, with the
// shell's part (the posted result handed to the service) done by the test.
TEST(UpdatesWindow, StatesAndEnablingAcrossChecks) {
    std::string why_not;
    auto server = server_for_test(why_not);
    if (!server) GTEST_SKIP() << why_not;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, update_registry_key().c_str());
    MessageWindow main;
    // One service per server, as the endpoint is fixed for a service's life.
    auto run_check = [&](UpdateService& service) {
        service.check_now();
        EXPECT_TRUE(service.status().running);
        ASSERT_TRUE(wait_for_result(main.hwnd, std::chrono::seconds(60)));
        service.take_result();
    };

    UpdateService equal(main.hwnd, UpdateEndpoint{L"127.0.0.1", server->ports.at("equal")});
    HWND window = equal.window().show(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(equal.window().show(nullptr), window) << "one instance";
    EXPECT_EQ(control_text(window, k_updates_status), L"Automatic update checks are off.");
    EXPECT_EQ(::IsDlgButtonChecked(window, k_updates_automatic), BST_UNCHECKED);
    EXPECT_TRUE(control_enabled(window, k_updates_check_now));
    EXPECT_FALSE(control_enabled(window, k_updates_open_page));

    // The check box writes the consent.
    ::SendMessageW(::GetDlgItem(window, k_updates_automatic), BM_CLICK, 0, 0);
    EXPECT_EQ(read_raw(L"UpdateCheck"), L"on");
    EXPECT_EQ(control_text(window, k_updates_status), L"No update check has run yet.");

    ::SendMessageW(::GetDlgItem(window, k_updates_check_now), BM_CLICK, 0, 0);
    EXPECT_EQ(control_text(window, k_updates_status), L"Checking for updates...");
    EXPECT_FALSE(control_enabled(window, k_updates_check_now));
    ASSERT_TRUE(wait_for_result(main.hwnd, std::chrono::seconds(60)));
    equal.take_result();
    const std::wstring checked_today = L"Last successful check: " + win::widen(date_text(local_today()));
    EXPECT_EQ(control_text(window, k_updates_status), L"Quarn is up to date.\r\n" + checked_today);
    EXPECT_TRUE(control_enabled(window, k_updates_check_now));
    EXPECT_FALSE(control_enabled(window, k_updates_open_page));
    ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(equal.window().hwnd(), nullptr);

    // A newer version opens the window by itself, once per version.
    UpdateService newer(main.hwnd, UpdateEndpoint{L"127.0.0.1", server->ports.at("newer")});
    run_check(newer);
    window = newer.window().hwnd();
    ASSERT_NE(window, nullptr) << "a new version opens the window";
    EXPECT_TRUE(newer.newer_known());
    EXPECT_EQ(control_text(window, k_updates_status).substr(0, 6), L"Quarn ");
    EXPECT_TRUE(control_enabled(window, k_updates_open_page));
    ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    run_check(newer);
    EXPECT_EQ(newer.window().hwnd(), nullptr) << "the same version is not announced twice";

    // A failure keeps Open Updates Page disabled and says why.
    UpdateService missing(main.hwnd, UpdateEndpoint{L"127.0.0.1", server->ports.at("missing")});
    run_check(missing);
    window = missing.window().show(nullptr);
    EXPECT_EQ(control_text(window, k_updates_status),
              L"The update check failed: 127.0.0.1 answered with an error (404).\r\n" + checked_today);
    EXPECT_FALSE(control_enabled(window, k_updates_open_page));
    ::DestroyWindow(window);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, update_registry_key().c_str());
}

// Run by the test below in a process of its own: starts a check that cannot
// finish soon and leaves at once, as the program does when it is closed
// while a check runs.
TEST(UpdateCheckExit, DISABLED_StartsACheckAndLeaves) {
    std::string why_not;
    auto server = server_for_test(why_not);
    if (!server) GTEST_SKIP() << why_not;
    MessageWindow window;
    auto* check =
        new UpdateCheck(window.hwnd, k_running, UpdateEndpoint{L"127.0.0.1", server->ports.at("silent")});
    ASSERT_TRUE(check->start());
    delete check;
}

TEST(UpdateCheckExit, LeavingWhileACheckRunsNeitherHangsNorCrashes) {
    std::string why_not;
    if (!server_for_test(why_not)) GTEST_SKIP() << why_not;
    wchar_t self[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_filter=UpdateCheckExit.DISABLED_StartsACheckAndLeaves "
                           L"--gtest_also_run_disabled_tests";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process));
    win::UniqueHandle child(process.hProcess);
    win::UniqueHandle thread(process.hThread);
    // The check would take ten seconds; the process must end long before.
    ASSERT_EQ(::WaitForSingleObject(child.get(), 8000), WAIT_OBJECT_0) << "the process hangs";
    DWORD code = 1;
    ASSERT_TRUE(::GetExitCodeProcess(child.get(), &code));
    EXPECT_EQ(code, 0u);
}

} // namespace
} // namespace quarn::update
