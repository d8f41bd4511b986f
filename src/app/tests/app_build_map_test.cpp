#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/check_window.hpp"
#include "app/commands.hpp"
#include "app/main_window.hpp"
#include "dialogs/lag_dialog.hpp"
#include "dialogs/switch_dialog.hpp"
#include "dialogs/uplink_dialog.hpp"
#include "dialogs/vlan_dialog.hpp"
#include "driver.hpp"
#include "message_box_answer.hpp"
#include "model/map_file.hpp"
#include "ops/lag_ops.hpp"
#include "ops/port_vlan_ops.hpp"
#include "ops/switch_ops.hpp"
#include "ops/vlan_ops.hpp"
#include "test_support/test_files.hpp"

namespace quarn {
namespace {

using namespace std::chrono_literals;
using testing::AppProcess;

// Drives the real program the way a user would, through its commands and
// dialogs, from another process.
class Session {
  public:
    Session(AppProcess& app, HWND main) : app_(app), main_(main) {}

    // Posts a command (the program runs dialogs inside it) and waits for the
    // window of a dialog class.
    HWND open(int command, const wchar_t* dialog_class) {
        ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
        HWND dialog = app_.wait_for_window(dialog_class, 20s);
        EXPECT_NE(dialog, nullptr) << "no dialog for command " << command;
        if (dialog != nullptr) EXPECT_TRUE(AppProcess::wait_for_child(dialog, IDOK, 10s) != nullptr);
        return dialog;
    }

    static void set(HWND dialog, int id, const wchar_t* text) {
        ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    // Picks an entry of a drop-down list as a click would (the dialog hears
    // CBN_SELCHANGE); a negative index counts from the end.
    static void choose(HWND dialog, int id, int index) {
        HWND list = ::GetDlgItem(dialog, id);
        if (index < 0) index += static_cast<int>(AppProcess::send(list, CB_GETCOUNT).value_or(0));
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }

    void ok(HWND dialog) {
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(AppProcess::wait_until_gone(dialog, 10s));
        EXPECT_FALSE(::IsWindow(dialog)) << "the dialog stayed open";
        EXPECT_TRUE(AppProcess::wait_until_responsive(main_, 20s));
    }

    void command(int id) { EXPECT_TRUE(AppProcess::command(main_, id).has_value()) << id; }

    void select_range(const wchar_t* range) {
        ::SendMessageW(::GetDlgItem(main_, app::RangeField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(range));
        ::SendMessageW(main_, WM_COMMAND, MAKEWPARAM(app::RangeSelect, BN_CLICKED), 0);
    }

    // A click at a point of the picture at zoom 1, scrolled to the top left.
    void click_canvas(int x, int y) {
        HWND canvas = ::GetDlgItem(main_, app::Canvas);
        ::SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(canvas, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

  private:
    AppProcess& app_;
    HWND main_;
};

void add_vlan(Session& session, const wchar_t* id, const wchar_t* name) {
    HWND dialog = session.open(app::VlanAdd, dialogs::k_vlan_window_class);
    Session::set(dialog, dialogs::k_vlan_id, id);
    Session::set(dialog, dialogs::k_vlan_name, name);
    session.ok(dialog);
}

void add_switch(Session& session, const wchar_t* name) {
    HWND dialog = session.open(app::SwitchAdd, dialogs::k_switch_window_class);
    Session::set(dialog, dialogs::k_switch_name, name);
    for (auto [id, text] : {std::pair{dialogs::k_switch_ports, L"8"}, std::pair{dialogs::k_switch_sfp, L"0"},
                            std::pair{dialogs::k_switch_dual, L"0"}, std::pair{dialogs::k_switch_rows, L"2"},
                            std::pair{dialogs::k_switch_gap, L"0"}, std::pair{dialogs::k_switch_prefix, L""}})
        Session::set(dialog, id, text);
    session.ok(dialog);
}

// The same map built through the operations the dialogs call.
Map expected_map() {
    Map map;
    // Every step must be taken: a refused one would make the comparison with
    // the program's map compare against a map that was never meant.
    EXPECT_FALSE(quarn::add_vlan(map, Vlan{20, "Voice", propose_vlan_color(map)}));
    EXPECT_FALSE(quarn::add_vlan(map, Vlan{10, "Data", propose_vlan_color(map)}));
    SwitchLayoutInput layout;
    layout.ports = 8;
    layout.rows = 2;
    quarn::add_switch(map, std::nullopt, "core", "", "", layout);
    quarn::add_switch(map, 0, "edge", "", "", layout);
    EXPECT_FALSE(create_lag(map, 1, "Trk1", {0, 1}));
    EXPECT_FALSE(create_lag(map, 0, "Trk1", {0, 1}));
    EXPECT_FALSE(set_lag_peer(map, 0, "Trk1", LagPeer{"edge", "Trk1"}));
    EXPECT_EQ(link_ports(map, {0, 2}, {1, 2}).kind, LinkResult::Kind::Linked);
    toggle_untagged(map, {{0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}}, 10);
    return map;
}

TEST(AppGuiBuildMap, FromNothingThroughTheDialogsToASavedFile) {
    auto path = testing::temp_folder(L"quarn gui test") / L"built.quarn";
    testing::write_file(path, save_map(Map{}));

    auto app = AppProcess::start(testing::beside_this_program(L"quarn.exe"), L"\"" + path.wstring() + L"\"");
    ASSERT_TRUE(app.has_value());
    HWND main = app->wait_for_window(app::k_main_window_class, 60s);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 60s));
    for (int i = 0; i < 200 && AppProcess::window_text(main) != L"built.quarn - Quarn"; ++i) ::Sleep(25);
    Session session(*app, main);

    add_vlan(session, L"20", L"Voice");
    add_vlan(session, L"10", L"Data"); // now the selected VLAN
    add_switch(session, L"core");
    add_switch(session, L"edge"); // goes after core and becomes the current switch

    // A LAG of edge ports 1-2, then one of core ports 1-2 linked to it.
    session.select_range(L"1-2");
    HWND lag = session.open(app::EditLag, dialogs::k_lag_window_class);
    session.ok(lag);

    session.click_canvas(24 + 10, 48 + 10); // core port 1: the first place of the first panel
    session.select_range(L"1-2");
    lag = session.open(app::EditLag, dialogs::k_lag_window_class);
    Session::choose(lag, dialogs::k_lag_switch, 1); // "edge" after "None"
    Session::choose(lag, dialogs::k_lag_far_lag, -1);
    session.ok(lag);

    // An uplink from core port 3 to the first free port of edge (3).
    session.select_range(L"3");
    HWND uplink = session.open(app::EditUplink, dialogs::k_uplink_window_class);
    Session::choose(uplink, dialogs::k_uplink_switch, 1);
    session.ok(uplink);

    // VLAN 10 untagged on core ports 4-8.
    session.select_range(L"4-8");
    session.command(app::EditToggleUntagged);
    session.command(app::FileSave);

    std::string saved = testing::read_file(path);
    auto loaded = load_map(saved);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded.value(), expected_map());
    EXPECT_EQ(saved, save_map(expected_map()));

    // The map check sees VLAN 10 on core only.
    ::PostMessageW(main, WM_COMMAND, app::ViewCheckMap, 0);
    HWND check = app->wait_for_window(app::k_check_window_class, 60s);
    ASSERT_NE(check, nullptr);
    // The count is written once the list is filled.
    EXPECT_EQ(AppProcess::wait_for_static_text(check, 10s), L"1 problem.");
    HWND problems = ::GetDlgItem(check, app::k_check_problems);
    EXPECT_EQ(AppProcess::send(problems, LB_GETCOUNT), std::optional<LRESULT>(1));
    wchar_t line[256] = {};
    (void)AppProcess::send(problems, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::wstring(line), L"VLAN 10 is only on core");
    ::PostMessageW(check, WM_CLOSE, 0, 0);
    EXPECT_TRUE(AppProcess::wait_until_gone(check, 10s));

    ASSERT_TRUE(AppProcess::wait_until_responsive(main, 20s));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->wait_exit(20s), 0u);
}

} // namespace
} // namespace quarn
