// Recovery copies with the real program: killed outright (SIGKILL of its
// Linux process under Wine), started again, and the offer answered; the end
// of a session; a kill loop over an editing script.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/commands.hpp"
#include "app/compare_commands.hpp"
#include "app/main_window.hpp"
#include "app/recovery.hpp"
#include "app/recovery_file.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/text_viewer.hpp"
#include "driver.hpp"
#include "message_box_answer.hpp"
#include "model/map_file.hpp"
#include "test_support/test_files.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using app::RecoveryOwner;
using app::RecoveryRecord;
using testing::answer_message_box;
using testing::AppProcess;
using testing::read_file;
using testing::write_file;
using Clock = std::chrono::steady_clock;

// The longest wait for a recovery copy on this bench; the program's own is
// 10 seconds.
constexpr auto k_wait = 300ms;
// What a kill may lose beyond the wait: the timer's message comes after
// the program's other messages, and the write itself takes a moment.
constexpr auto k_slack = 250ms;

Map depot_map() {
    Map map;
    map.site = "Depot";
    map.vlans = {{10, "Data", {1, 2, 3}}, {20, "Voice", {4, 5, 6}}};
    Switch sw;
    sw.name = "core";
    sw.groups = {PortGroup{PortKind::Rj45, 2, 2, Numbering::OddTop, 0, 1.0f}};
    for (int i = 1; i <= 4; ++i) sw.ports.push_back(Port{std::to_string(i), 10, {20}, "", false, {}});
    map.switches.push_back(sw);
    return map;
}

template <class Condition>
bool wait_for(Condition condition, std::chrono::milliseconds timeout = 20s) {
    auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

struct Running {
    AppProcess process;
    HWND main = nullptr;
};

class Recovery : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = testing::temp_folder(L"quarn recovery") / win::widen(info->name());
        std::error_code ignored;
        fs::remove_all(root_, ignored);
        fs::create_directories(root_ / L"Local");
        // The program and its children find their local application data here.
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", (root_ / L"Local").c_str());
        set_wait(k_wait);
        map_path_ = root_ / L"depot map.quarn";
        write_file(map_path_, save_map(depot_map()));
    }

    static void set_wait(std::chrono::milliseconds wait) {
        ::SetEnvironmentVariableW(app::k_recovery_wait_variable, std::to_wstring(wait.count()).c_str());
    }

    fs::path folder() const { return root_ / L"Local" / L"Quarn" / L"Recovery"; }

    // The recovery files (and the temporary files of their writes) in the folder.
    std::vector<fs::path> files(std::wstring_view ending = L".quarn-recovery") const {
        std::vector<fs::path> found;
        std::error_code error;
        for (fs::directory_iterator it(folder(), error), end; !error && it != end; it.increment(error))
            if (it->path().wstring().ends_with(ending)) found.push_back(it->path());
        std::sort(found.begin(), found.end());
        return found;
    }

    // The recovery file of one run, read back; nothing while there is none.
    std::optional<RecoveryRecord> record_of(DWORD process) const {
        for (const fs::path& file : files()) {
            auto owner = app::recovery_file_owner(win::narrow(file.filename().wstring()));
            if (!owner || owner->process != process) continue;
            // The program may hold the file for a moment while it puts a
            // new copy in place: not there yet, rather than torn.
            std::ifstream in(file, std::ios::binary);
            if (!in) continue;
            std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            auto record = app::read_recovery(bytes);
            EXPECT_TRUE(record) << win::narrow(file.wstring()) << " is torn: " << record.error();
            if (record) return record.value();
        }
        return std::nullopt;
    }

    // What the next start recovers of a killed run: its recovery file, or,
    // when a kill came half way through putting a copy in place, the new
    // copy under the safe write's temporary name if it is whole, else the
    // previous one under its backup name.
    std::optional<RecoveryRecord> recovered_of(DWORD process) const {
        if (auto record = record_of(process)) return record;
        for (const wchar_t* ending : {L".quarn-recovery.quarn-save", L".quarn-recovery.quarn-backup"}) {
            for (const fs::path& file : files(ending)) {
                auto owner = app::recovery_file_owner(win::narrow(file.filename().wstring()));
                if (!owner || owner->process != process) continue;
                if (auto record = app::read_recovery(read_file(file))) return record.value();
            }
        }
        return std::nullopt;
    }

    // Starts the program, with the map when asked, and waits for its main
    // window and for its answer (start-up, the opened map and any offer
    // are done once it answers with no message box up).
    std::optional<Running> start(bool with_map) {
        std::wstring arguments = with_map ? L"\"" + map_path_.wstring() + L"\"" : L"";
        auto process = AppProcess::start(testing::beside_this_program(L"quarn.exe"), arguments);
        if (!process) return std::nullopt;
        HWND main = process->wait_for_window(app::k_main_window_class, 60s);
        if (main == nullptr || !AppProcess::wait_until_responsive(main, 60s)) return std::nullopt;
        return Running{std::move(*process), main};
    }

    static bool set_site(HWND main, const std::wstring& text) {
        HWND site = ::GetDlgItem(main, app::SiteField);
        return AppProcess::send(site, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
    }

    static void close_without_question(Running& app) {
        ASSERT_TRUE(::PostMessageW(app.main, WM_CLOSE, 0, 0));
        EXPECT_EQ(app.process.wait_exit(20s), 0u);
    }

    // A recovery file of a run that has ended, as the test writes it.
    fs::path plant(const std::string& document_name, RecoveryOwner owner, const RecoveryRecord& record) {
        fs::create_directories(folder());
        fs::path file = folder() / win::widen(app::recovery_file_name(document_name, owner));
        write_file(file, app::write_recovery(record));
        return file;
    }

    std::string shown_map_path() const { return win::narrow(map_path_.wstring()); }

    fs::path root_;
    fs::path map_path_;
};

#define KILL_OR_SKIP(app)                                                                                    \
    if (auto refused = (app).process.kill_outright()) GTEST_SKIP() << "cannot kill outright: " << *refused

TEST_F(Recovery, AKilledProgramsChangesAreOfferedAndRecoverSavesOverTheOriginal) {
    auto first = start(true);
    ASSERT_TRUE(first);
    ASSERT_TRUE(set_site(first->main, L"Depot after the kill"));
    ASSERT_TRUE(wait_for([&] {
        auto record = record_of(first->process.process_id());
        return record && record->map.site == "Depot after the kill";
    })) << "no recovery copy with the edit";
    auto written = record_of(first->process.process_id());
    EXPECT_EQ(written->document, shown_map_path());
    KILL_OR_SKIP(*first);
    ASSERT_EQ(files().size(), 1u);

    auto second = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(second);
    std::vector<std::wstring> captions;
    EXPECT_EQ(answer_message_box(*second, 0, &captions),
              win::widen("Quarn closed before the changes to " + shown_map_path() + " were saved."));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Recover", L"Discard", L"Later"}));
    HWND main = second->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_EQ(AppProcess::window_text(main), L"depot map.quarn* - Quarn");
    EXPECT_EQ(AppProcess::window_text(::GetDlgItem(main, app::SiteField)), L"Depot after the kill");
    // The changes are the new run's now: its own copy holds them, the old one is gone.
    ASSERT_EQ(files().size(), 1u);
    EXPECT_TRUE(record_of(second->process_id()).has_value());

    ASSERT_TRUE(AppProcess::command(main, app::ViewChangesSinceSaved));
    HWND viewer = second->wait_for_window(dialogs::k_text_viewer_class, 10s);
    ASSERT_NE(viewer, nullptr);
    Map recovered = depot_map();
    recovered.site = "Depot after the kill";
    EXPECT_EQ(AppProcess::window_text(::GetDlgItem(viewer, dialogs::k_text_viewer_edit_id)),
              win::with_crlf(win::widen(app::comparison_text(depot_map(), recovered))));

    ASSERT_TRUE(AppProcess::command(main, app::FileSave));
    EXPECT_EQ(read_file(map_path_), save_map(recovered));
    EXPECT_EQ(AppProcess::window_text(main), L"depot map.quarn - Quarn");
    EXPECT_TRUE(files().empty()) << "the recovery copy outlived the save";
    Running running{std::move(*second), main};
    close_without_question(running);
}

TEST_F(Recovery, SeveralAreOfferedInTurnDiscardDeletesAndLaterKeeps) {
    Map untitled_map = depot_map();
    untitled_map.site = "Never saved";
    fs::path later =
        plant("depot map.quarn", {4000001, 7}, {shown_map_path(), "2026-12-10T00:00:00Z", depot_map()});
    fs::path discard = plant("", {4000002, 7}, {std::nullopt, "2026-12-10T00:00:01Z", untitled_map});

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(app);
    // In the order of their names.
    EXPECT_EQ(answer_message_box(*app, 1), L"Quarn closed before the changes to Untitled were saved.");
    EXPECT_EQ(answer_message_box(*app, 2),
              win::widen("Quarn closed before the changes to " + shown_map_path() + " were saved."));
    HWND main = app->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_EQ(AppProcess::window_text(main), L"Untitled - Quarn");
    EXPECT_EQ(files(), std::vector<fs::path>{later});
    Running first{std::move(*app), main};
    close_without_question(first);
    EXPECT_EQ(files(), std::vector<fs::path>{later}) << "closing took a file it had left for later";

    // The next start offers what was left; Discard, and it is gone.
    auto again = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(again);
    EXPECT_EQ(answer_message_box(*again, 1),
              win::widen("Quarn closed before the changes to " + shown_map_path() + " were saved."));
    main = again->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_TRUE(files().empty());
    EXPECT_EQ(::FindWindowW(dialogs::k_message_window_class, nullptr), nullptr);
    Running second{std::move(*again), main};
    close_without_question(second);
}

TEST_F(Recovery, TwoRunningCopiesNeverTakeEachOthersFiles) {
    auto first = start(true);
    ASSERT_TRUE(first);
    ASSERT_TRUE(set_site(first->main, L"Edited in the first copy"));
    ASSERT_TRUE(wait_for([&] { return record_of(first->process.process_id()).has_value(); }));

    // A second copy starts while the first runs: no offer.
    auto second = start(false);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->process.wait_for_window(dialogs::k_message_window_class, 0ms), nullptr);
    ASSERT_TRUE(set_site(second->main, L"Edited in the second copy"));
    ASSERT_TRUE(wait_for([&] { return record_of(second->process.process_id()).has_value(); }));
    EXPECT_EQ(files().size(), 2u);

    // The first dies; a third copy is offered its file, never the second's.
    KILL_OR_SKIP(*first);
    auto third = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(third);
    EXPECT_EQ(answer_message_box(*third, 1),
              win::widen("Quarn closed before the changes to " + shown_map_path() + " were saved."));
    HWND main = third->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_EQ(third->wait_for_window(dialogs::k_message_window_class, 0ms), nullptr);
    ASSERT_EQ(files().size(), 1u);
    EXPECT_EQ(record_of(second->process.process_id())->map.site, "Edited in the second copy");
    Running closing{std::move(*third), main};
    close_without_question(closing);

    // The second discards its changes on closing: its copy goes with them.
    ASSERT_TRUE(::PostMessageW(second->main, WM_CLOSE, 0, 0));
    EXPECT_EQ(answer_message_box(second->process, 1), L"Save the changes to Untitled?");
    EXPECT_EQ(second->process.wait_exit(20s), 0u);
    EXPECT_TRUE(files().empty());
}

TEST_F(Recovery, AnUnreadableRecoveryFileIsNamedAndSetAsideNeverDeleted) {
    fs::create_directories(folder());
    fs::path broken = folder() / win::widen(app::recovery_file_name("depot map.quarn", {4000003, 9}));
    write_file(broken, "{\"quarn_recovery\":1}\n{\"format\":1,\"site\":\"cut off here");
    const std::string bytes = read_file(broken);
    const std::string torn_error =
        app::read_recovery(bytes).error(); // the map reader's own words for a torn map

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(app);
    EXPECT_EQ(answer_message_box(*app, 0),
              win::widen(app::unreadable_recovery_text(win::narrow(broken.wstring()), torn_error,
                                                       win::narrow((folder() / L"Unreadable").wstring()))));
    HWND main = app->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_TRUE(files().empty());
    EXPECT_EQ(read_file(folder() / L"Unreadable" / broken.filename()), bytes);
    Running first{std::move(*app), main};
    close_without_question(first);

    // Set aside, it is not offered again.
    auto again = start(false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->process.wait_for_window(dialogs::k_message_window_class, 0ms), nullptr);
    close_without_question(*again);
    EXPECT_EQ(read_file(folder() / L"Unreadable" / broken.filename()), bytes);
}

TEST_F(Recovery, AKillWhileTheCopyIsWrittenLeavesThePreviousCopyOrNoneNeverATornOne) {
    // A map big enough that writing its copy takes a while.
    Map big = depot_map();
    big.notes = std::string(8'000'000, 'n');
    write_file(map_path_, save_map(big));

    int halfway = 0;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        auto app = start(true);
        ASSERT_TRUE(app);
        ASSERT_TRUE(set_site(app->main, L"first"));
        ASSERT_TRUE(wait_for([&] { return record_of(app->process.process_id()).has_value(); }));
        ASSERT_TRUE(set_site(app->main, L"second"));
        // Killed as soon as the next copy is being written.
        ASSERT_TRUE(wait_for([&] { return !files(L".quarn-save").empty(); }, 20s)) << "no write was seen";
        KILL_OR_SKIP(*app);
        // A kill half way through the replace leaves the copies under the
        // safe write's names only; whatever has the recovery file's name is whole.
        if (auto record = record_of(app->process.process_id())) {
            EXPECT_TRUE(record->map.site == "first" || record->map.site == "second") << record->map.site;
            EXPECT_EQ(record->map.notes, big.notes);
        } else {
            ++halfway;
        }

        // The next start offers a whole copy, the new one or the previous.
        auto next = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
        ASSERT_TRUE(next);
        EXPECT_EQ(answer_message_box(*next, 0),
                  win::widen("Quarn closed before the changes to " + shown_map_path() + " were saved."));
        HWND main = next->wait_for_window(app::k_main_window_class, 10s);
        ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
        std::wstring site = AppProcess::window_text(::GetDlgItem(main, app::SiteField));
        EXPECT_TRUE(site == L"first" || site == L"second") << win::narrow(site);
        // Given up on closing: nothing of the killed write is left behind.
        ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
        EXPECT_EQ(answer_message_box(*next, 1), L"Save the changes to depot map.quarn?");
        EXPECT_EQ(next->wait_exit(20s), 0u);
        EXPECT_TRUE(files(L"").empty()) << "left in the folder: " << files(L"").size();
    }
    std::printf("3 kills while a copy was written; %d half way through its replace\n", halfway);
}

TEST_F(Recovery, WhatAKillHalfWayThroughTheReplaceLeftIsMendedBeforeTheOffer) {
    auto record_with = [](const char* document, const char* site) {
        Map map = depot_map();
        map.site = site;
        return RecoveryRecord{std::string(document), "2026-12-10T00:00:00Z", map};
    };
    fs::create_directories(folder());
    // a: the new copy whole under the temporary name, the previous one under the backup name.
    fs::path a = folder() / win::widen(app::recovery_file_name("a.quarn", {4000010, 1}));
    write_file(a.wstring() + L".quarn-save", app::write_recovery(record_with("C:\\a.quarn", "new a")));
    write_file(a.wstring() + L".quarn-backup", app::write_recovery(record_with("C:\\a.quarn", "old a")));
    // b: killed while the new copy was still being written.
    fs::path b = folder() / win::widen(app::recovery_file_name("b.quarn", {4000011, 1}));
    std::string torn = app::write_recovery(record_with("C:\\b.quarn", "new b"));
    write_file(b.wstring() + L".quarn-save", torn.substr(0, torn.size() / 2));
    write_file(b.wstring() + L".quarn-backup", app::write_recovery(record_with("C:\\b.quarn", "old b")));

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(app);
    EXPECT_EQ(answer_message_box(*app, 2), L"Quarn closed before the changes to C:\\a.quarn were saved.");
    EXPECT_EQ(answer_message_box(*app, 2), L"Quarn closed before the changes to C:\\b.quarn were saved.");
    HWND main = app->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_EQ(files(L""), (std::vector<fs::path>{a, b}));
    EXPECT_EQ(app::read_recovery(read_file(a)).value().map.site, "new a");
    EXPECT_EQ(app::read_recovery(read_file(b)).value().map.site, "old b");
    Running running{std::move(*app), main};
    close_without_question(running);
}

TEST_F(Recovery, TheEndOfTheSessionWritesTheCopyAtOnceAndAsksNothing) {
    set_wait(10s); // the program's own wait: only the session's end writes within this test
    auto app = start(true);
    ASSERT_TRUE(app);
    ASSERT_TRUE(set_site(app->main, L"Typed before the logoff"));
    EXPECT_FALSE(record_of(app->process.process_id()).has_value());

    EXPECT_EQ(AppProcess::send(app->main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    auto record = record_of(app->process.process_id());
    ASSERT_TRUE(record.has_value()) << "no copy when the session may end";
    EXPECT_EQ(record->map.site, "Typed before the logoff");
    EXPECT_EQ(app->process.wait_for_window(dialogs::k_message_window_class, 0ms), nullptr);

    // The restart manager closes the program for an update: no question,
    // the copy stays for the next start.
    EXPECT_EQ(AppProcess::send(app->main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP), 0);
    EXPECT_EQ(app->process.wait_exit(20s), 0u);
    ASSERT_EQ(files().size(), 1u);

    auto next = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(next);
    EXPECT_EQ(answer_message_box(*next, 0),
              win::widen("Quarn closed before the changes to " + shown_map_path() + " were saved."));
    HWND main = next->wait_for_window(app::k_main_window_class, 10s);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 10s));
    EXPECT_EQ(AppProcess::window_text(::GetDlgItem(main, app::SiteField)), L"Typed before the logoff");
    // Closing with Don't Save gives the changes up, and their copy.
    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(answer_message_box(*next, 1), L"Save the changes to depot map.quarn?");
    EXPECT_EQ(next->wait_exit(20s), 0u);
    EXPECT_TRUE(files().empty());
}

// Forty kills at random moments of an editing script. After each, the
// recovery copy (or, before the first, the map file itself) is the map as
// it was at some moment no longer than the wait before the kill.
TEST_F(Recovery, FortyKillsNeverLoseMoreThanTheWait) {
    std::mt19937 random(std::random_device{}());
    int copies = 0;
    std::chrono::milliseconds worst{0};
    for (int kill = 0; kill < 40; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill + 1));
        auto app = start(true);
        ASSERT_TRUE(app);
        // Step 0 is the map as opened; step i sets the site to "step i".
        std::vector<Clock::time_point> begun{Clock::now()};
        auto killed_at =
            Clock::now() + std::chrono::milliseconds(std::uniform_int_distribution(0, 1000)(random));
        while (Clock::now() < killed_at) {
            begun.push_back(Clock::now());
            ASSERT_TRUE(set_site(app->main, L"step " + std::to_wstring(begun.size() - 1)));
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::uniform_int_distribution(2, 40)(random)));
        }
        auto killed = Clock::now();
        KILL_OR_SKIP(*app);

        std::size_t step = 0;
        if (auto record = recovered_of(app->process.process_id())) {
            ++copies;
            ASSERT_EQ(record->map.site.rfind("step ", 0), 0u) << record->map.site;
            step = std::stoul(record->map.site.substr(5));
            ASSERT_LT(step, begun.size());
        }
        // The step held until the next one began (or until the kill).
        auto held_until = step + 1 < begun.size() ? begun[step + 1] : killed;
        EXPECT_GE(held_until, killed - k_wait - k_slack)
            << "the copy holds step " << step << " of " << begun.size() - 1;
        worst = std::max(worst, std::chrono::duration_cast<std::chrono::milliseconds>(killed - held_until));
        std::error_code ignored;
        for (const fs::path& file : files(L"")) fs::remove(file, ignored);
    }
    // Most kills come after the first copy: the test saw copies at all.
    EXPECT_GT(copies, 10);
    std::printf("40 kills, %d after a recovery copy; the most a kill lost: %lld ms\n", copies,
                static_cast<long long>(worst.count()));
}

} // namespace
} // namespace quarn
