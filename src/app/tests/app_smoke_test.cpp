#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>

#include "app/commands.hpp"
#include "app/main_window.hpp"
#include "dialogs/message_box.hpp"
#include "driver.hpp"
#include "message_box_answer.hpp"
#include "model/map_file.hpp"
#include "test_support/test_files.hpp"

namespace quarn {
namespace {

using namespace std::chrono_literals;
using testing::answer_message_box;
using testing::AppProcess;
using testing::read_file;
using testing::temp_folder;
using testing::write_file;

TEST(AppGui, StartsAnswersAndClosesWithExitCodeZero) {
    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"));
    ASSERT_TRUE(app.has_value()) << "quarn.exe did not start";

    HWND main = app->wait_for_window(app::k_main_window_class, 60s);
    ASSERT_NE(main, nullptr) << "no QuarnWnd window appeared";
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 60s));
    EXPECT_EQ(AppProcess::window_text(main), L"Untitled - Quarn");
    EXPECT_EQ(AppProcess::send(main, WM_USER), app::k_identity_answer);

    RECT frame{};
    ASSERT_TRUE(::GetWindowRect(main, &frame));
    EXPECT_EQ(frame.right - frame.left, 1200);
    EXPECT_EQ(frame.bottom - frame.top, 720);
    EXPECT_TRUE(::GetWindowLongPtrW(main, GWL_STYLE) & WS_CLIPCHILDREN);

    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(app->wait_exit(20s), 0u);
}

TEST(AppGui, OpensTheMapNamedOnTheCommandLineEvenWithSpacesInItsPath) {
    Map map;
    map.site = "Campus North";
    map.vlans = {{10, "Data", {1, 2, 3}}, {20, "Voice", {4, 5, 6}}, {99, "Management", {7, 8, 9}}};
    auto path = temp_folder(L"quarn gui test") / L"campus map.quarn";
    write_file(path, save_map(map));

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"), L"\"" + path.wstring() + L"\"");
    ASSERT_TRUE(app.has_value());
    HWND main = app->wait_for_window(app::k_main_window_class, 60s);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 60s));

    // The file is opened after the window appears: wait for the title.
    for (int i = 0; i < 200 && AppProcess::window_text(main) != L"campus map.quarn - Quarn"; ++i) ::Sleep(25);
    EXPECT_EQ(AppProcess::window_text(main), L"campus map.quarn - Quarn");
    EXPECT_EQ(AppProcess::window_text(::GetDlgItem(main, app::SiteField)), L"Campus North");
    EXPECT_EQ(AppProcess::send(::GetDlgItem(main, app::VlanList), LVM_GETITEMCOUNT), 3);

    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(app->wait_exit(20s), 0u);
}

TEST(AppGui, AMapOfANewerFormatIsRefusedInTheProgramsOwnBox) {
    auto path = temp_folder(L"quarn gui test") / L"newer.quarn";
    write_file(path, R"({"format": 2, "site": "from the future"})");

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"), L"\"" + path.wstring() + L"\"");
    ASSERT_TRUE(app.has_value());
    HWND box = app->wait_for_window(dialogs::k_message_window_class, 60s);
    ASSERT_NE(box, nullptr) << "no message box";
    ASSERT_TRUE(AppProcess::wait_until_responsive(box, 60s));
    HWND ok = AppProcess::wait_for_child(box, dialogs::k_message_first_button_id, 10s);
    ASSERT_NE(ok, nullptr);

    EXPECT_EQ(AppProcess::wait_for_static_text(box, 10s),
              L"Could not open " + path.wstring() +
                  L":\nThis map uses file format 2. Update Quarn to open it.");

    ::PostMessageW(ok, BM_CLICK, 0, 0);

    HWND main = app->wait_for_window(app::k_main_window_class, 5s);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(AppProcess::wait_until_gone(box, 10s));
    EXPECT_FALSE(::IsWindow(box));
    EXPECT_EQ(AppProcess::window_text(main), L"Untitled - Quarn");
    EXPECT_EQ(AppProcess::window_text(::GetDlgItem(main, app::SiteField)), L"");

    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(app->wait_exit(20s), 0u);
}

Map edited_map() {
    Map map;
    map.site = "Depot";
    map.vlans = {{10, "Data", {1, 2, 3}}, {20, "Voice", {4, 5, 6}}};
    for (const char* name : {"core", "edge"}) {
        Switch sw;
        sw.name = name;
        sw.groups = {PortGroup{PortKind::Rj45, 2, 2, Numbering::OddTop, 0, 1.0f}};
        for (int i = 1; i <= 4; ++i) sw.ports.push_back(Port{std::to_string(i), 10, {20}, "", false, {}});
        map.switches.push_back(sw);
    }
    return map;
}

TEST(AppGui, EditsUndoRedoSaveAndTheQuestionOnClosing) {
    auto path = temp_folder(L"quarn gui test") / L"depot.quarn";
    write_file(path, save_map(edited_map()));

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"), L"\"" + path.wstring() + L"\"");
    ASSERT_TRUE(app.has_value());
    HWND main = app->wait_for_window(app::k_main_window_class, 60s);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 60s));
    for (int i = 0; i < 200 && AppProcess::window_text(main) != L"depot.quarn - Quarn"; ++i) ::Sleep(25);

    // Select all ports of the first switch, clear their VLANs, undo, redo.
    for (int id :
         {app::EditSelectAllOnSwitch, app::EditClearVlans, app::EditUndo, app::EditRedo, app::FileSave})
        ASSERT_TRUE(AppProcess::command(main, id).has_value()) << id;

    Map expected = edited_map();
    for (Port& port : expected.switches[0].ports) {
        port.untagged.reset();
        port.tagged.clear();
    }
    EXPECT_EQ(read_file(path), save_map(expected));
    EXPECT_EQ(AppProcess::window_text(main), L"depot.quarn - Quarn");

    // A change, then closing: Cancel keeps the program, Don't Save ends it.
    ASSERT_TRUE(AppProcess::command(main, app::EditUndo).has_value());
    EXPECT_EQ(AppProcess::window_text(main), L"depot.quarn* - Quarn");
    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(answer_message_box(*app, 2), L"Save the changes to depot.quarn?");
    EXPECT_FALSE(app->wait_exit(500ms).has_value());
    ASSERT_TRUE(::IsWindow(main));

    ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
    EXPECT_EQ(answer_message_box(*app, 1), L"Save the changes to depot.quarn?");
    EXPECT_EQ(app->wait_exit(20s), 0u);
    EXPECT_EQ(read_file(path), save_map(expected)); // Don't Save left the file alone
}

} // namespace
} // namespace quarn
