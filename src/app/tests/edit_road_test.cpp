// The edit road and the command table, driven through the program's own
// message loop: keys and typed characters are posted, then taken as the
// program takes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/canvas_scene.hpp"
#include "app/check_window.hpp"
#include "app/command_table.hpp"
#include "app/commands.hpp"
#include "app/current_switch.hpp"
#include "app/find_window.hpp"
#include "app/message_loop.hpp"
#include "dialogs/about_window.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/lag_dialog.hpp"
#include "dialogs/message_box.hpp"
#include "dialogs/switch_dialog.hpp"
#include "dialogs/testing/message_box_reader.hpp"
#include "dialogs/text_viewer.hpp"
#include "dialogs/uplink_dialog.hpp"
#include "dialogs/vlan_dialog.hpp"
#include "main_window_fixture.hpp"
#include "maker-services/update/updates_window.hpp"
#include "model/map_file.hpp"
#include "test_support/dib.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "theme/theme.hpp"
#include "validate/check_map.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

class EditRoadTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        load(campus_map());
        ::ShowWindow(state_->main, SW_SHOWNOACTIVATE);
    }

    // Runs what was posted through the program's message loop until the
    // queue is empty.
    void pump(HACCEL accelerators = nullptr) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (take_message(state_, accelerators, msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    HWND control(int id) { return ::GetDlgItem(state_->main, id); }

    // Gives a field the focus as a click after its text would; the field
    // tells the window.
    void visit(int id) {
        ::SetFocus(control(id));
        ::SendMessageW(control(id), EM_SETSEL, 0x7FFF, 0x7FFF);
        pump();
        ASSERT_EQ(::GetFocus(), control(id)) << id;
    }

    void type(int id, const std::wstring& text) {
        for (wchar_t c : text) ::PostMessageW(control(id), WM_CHAR, c, 1);
        pump();
    }

    void leave() {
        ::SetFocus(state_->canvas.hwnd());
        pump();
    }

    void press_enter(int id) {
        ::PostMessageW(control(id), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageW(control(id), WM_KEYUP, VK_RETURN, 0xC01C0001);
        pump();
    }
};

TEST_F(EditRoadTest, EveryVisitOfATypedFieldIsOneUndoStep) {
    select({{1, 1}});
    struct Field {
        int id;
        std::function<std::string()> value;
    };
    const Field fields[] = {
        {SiteField, [this] { return state_->map.site; }},
        {DescriptionField, [this] { return state_->map.switches[1].ports[1].description; }},
    };
    for (const Field& field : fields) {
        std::size_t depth = state_->history.undo_depth();
        std::string before = field.value();
        visit(field.id);
        type(field.id, L"ab");
        leave();
        EXPECT_EQ(field.value(), before + "ab") << field.id;
        EXPECT_EQ(state_->history.undo_depth(), depth + 1) << field.id;

        // A second visit, ended by Enter and typed on after it: two more steps.
        visit(field.id);
        type(field.id, L"c");
        press_enter(field.id);
        type(field.id, L"d");
        leave();
        EXPECT_EQ(field.value(), before + "abcd") << field.id;
        EXPECT_EQ(state_->history.undo_depth(), depth + 3) << field.id;

        // A visit that types nothing records nothing.
        visit(field.id);
        leave();
        EXPECT_EQ(state_->history.undo_depth(), depth + 3) << field.id;

        command(EditUndo);
        command(EditUndo);
        EXPECT_EQ(field.value(), before + "ab") << field.id;
        command(EditUndo);
        EXPECT_EQ(field.value(), before) << field.id;
    }

    // The label is applied when the field is left: one step a visit, however
    // much was typed, and none when it was left as it was.
    std::size_t depth = state_->history.undo_depth();
    visit(LabelField);
    type(LabelField, L"x1");
    leave();
    EXPECT_EQ(state_->map.switches[1].ports[1].label, "2x1");
    EXPECT_EQ(state_->history.undo_depth(), depth + 1);
    visit(LabelField);
    leave();
    EXPECT_EQ(state_->history.undo_depth(), depth + 1);
}

TEST_F(EditRoadTest, EveryKindOfEditRefreshesTheViewsOnce) {
    state_->selected_vlan = 20;
    select({{1, 0}, {1, 1}});
    struct Edit {
        const char* name;
        std::function<void()> run;
    };
    const Edit edits[] = {
        {"toggle untagged", [this] { command(EditToggleUntagged); }},
        {"toggle tagged", [this] { command(EditToggleTagged); }},
        {"copy and paste",
         [this] {
             command(EditCopyPortVlans);
             select({{2, 0}});
             std::size_t before = state_->refreshes;
             command(EditPastePortVlans);
             EXPECT_EQ(state_->refreshes, before + 1) << "paste";
             select({{1, 0}, {1, 1}});
         }},
        {"clear", [this] { command(EditClearVlans); }},
        {"disabled", [this] { ::SendMessageW(control(DisabledCheck), BM_CLICK, 0, 0); }},
        {"undo", [this] { command(EditUndo); }},
        {"redo", [this] { command(EditRedo); }},
        {"duplicate", [this] { command(SwitchDuplicate); }},
        {"move up", [this] { command(SwitchMoveUp); }},
        {"move down", [this] { command(SwitchMoveDown); }},
        {"site", [this] { ::SetWindowTextW(control(SiteField), L"Campus 2"); }},
        {"remove",
         [this] {
             quarn::testing::Script script({[] { dialogs::testing::answer_message(0); }});
             command(SwitchRemove);
             EXPECT_TRUE(script.finished());
         }},
    };
    for (const Edit& edit : edits) {
        Map before = state_->map;
        std::size_t refreshes = state_->refreshes;
        edit.run();
        // The canvas's scene, redrawn only where the edit changed it, is
        // the scene drawn afresh.
        const Scene kept = state_->scene.scene();
        rebuild_scene(*state_);
        const Scene fresh = state_->scene.scene();
        EXPECT_TRUE(kept.items == fresh.items) << edit.name;
        EXPECT_EQ(kept.hits, fresh.hits) << edit.name;
        if (std::string(edit.name) == "copy and paste") continue;
        EXPECT_NE(state_->map, before) << edit.name;
        EXPECT_EQ(state_->refreshes, refreshes + 1) << edit.name;
    }

    // An edit that changes nothing records nothing, and still refreshes once.
    select({{0, 7}});
    std::size_t depth = state_->history.undo_depth();
    std::size_t refreshes = state_->refreshes;
    command(EditClearVlans);
    EXPECT_EQ(state_->history.undo_depth(), depth);
    EXPECT_EQ(state_->refreshes, refreshes + 1);
}

// The canvas's pixels as they stand on screen.
std::vector<COLORREF> canvas_pixels(HWND canvas) {
    RECT client{};
    ::GetClientRect(canvas, &client);
    quarn::testing::Dib dib(client.right, client.bottom);
    HDC screen = ::GetDC(canvas);
    ::BitBlt(dib.dc(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(canvas, screen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels.push_back(dib.pixel(x, y));
    return pixels;
}

// A one-port edit repaints the rows of its switch, not the whole canvas,
// and what it paints there reads as a whole new frame would.
TEST_F(EditRoadTest, AnEditRepaintsTheRowsOfItsSwitchAsAWholeFrameWould) {
    const HWND canvas = state_->canvas.hwnd();
    state_->selected_vlan = 20;
    select({{2, 3}});
    ::UpdateWindow(canvas);
    pump();
    ASSERT_FALSE(::GetUpdateRect(canvas, nullptr, FALSE));

    command(EditToggleUntagged);
    win::UniqueRegion update(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetUpdateRgn(canvas, update.get(), FALSE), NULLREGION);
    const float scale = state_->canvas.scale();
    const int scrolled = ::GetScrollPos(canvas, SB_VERT);
    auto on_screen = [&](const HitRegion& hit) {
        return POINT{static_cast<LONG>((hit.x + hit.width / 2.0f) * scale) - ::GetScrollPos(canvas, SB_HORZ),
                     static_cast<LONG>((hit.y + hit.height / 2.0f) * scale) - scrolled};
    };
    for (const HitRegion& hit : state_->scene.hits()) {
        const POINT at = on_screen(hit);
        if (hit.switch_index == 2 && hit.port_index == 3) {
            EXPECT_TRUE(::PtInRegion(update.get(), at.x, at.y));
        }
        if (hit.switch_index == 0) {
            EXPECT_FALSE(::PtInRegion(update.get(), at.x, at.y)) << hit.port_index;
        }
    }

    ::UpdateWindow(canvas);
    const std::vector<COLORREF> repainted = canvas_pixels(canvas);
    // Ports and text on a ground: the screen could be read.
    EXPECT_GT(
        std::count_if(repainted.begin(), repainted.end(), [&](COLORREF c) { return c != repainted[0]; }),
        1000);
    ::InvalidateRect(canvas, nullptr, FALSE);
    ::UpdateWindow(canvas);
    EXPECT_TRUE(repainted == canvas_pixels(canvas));
}

TEST_F(EditRoadTest, TheSelectionFollowsTheEdit) {
    select({{1, 2}, {1, 3}});
    command(SwitchMoveDown);
    EXPECT_EQ(state_->canvas.selection().ports(), (std::vector<PortRef>{{2, 2}, {2, 3}}));
    EXPECT_EQ(state_->map.switches[2].name, "edge-1");

    command(SwitchDuplicate);
    EXPECT_TRUE(state_->canvas.selection().ports().empty());
    EXPECT_EQ(state_->last_switch, 3u);
    EXPECT_EQ(state_->map.switches[3].name, "edge-1 (Copy)");

    // Undo takes the copy away; a selection on it would point past the map.
    select({{3, 0}});
    command(EditUndo);
    EXPECT_TRUE(state_->canvas.selection().ports().empty());

    // A selected VLAN that an undo takes away is let go.
    state_->map.vlans.push_back({30, "Cams", {1, 2, 3}});
    state_->history.record_change(campus_map());
    state_->selected_vlan = 30;
    command(EditUndo);
    EXPECT_FALSE(state_->selected_vlan.has_value());
}

// Records the commands the main window receives instead of running them, so
// that keys whose commands open dialogs can be pressed too.
class CommandRecorder {
  public:
    explicit CommandRecorder(HWND window) : window_(window) {
        recorder() = this;
        previous_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CommandRecorder::proc)));
    }
    CommandRecorder(const CommandRecorder&) = delete;
    CommandRecorder& operator=(const CommandRecorder&) = delete;
    ~CommandRecorder() {
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        recorder() = nullptr;
    }

    std::vector<int> commands;

  private:
    static CommandRecorder*& recorder() {
        static CommandRecorder* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
        CommandRecorder* self = recorder();
        if (msg == WM_COMMAND && (HIWORD(wparam) == 0 || HIWORD(wparam) == 1) &&
            find_command(LOWORD(wparam))) {
            self->commands.push_back(LOWORD(wparam));
            return 0;
        }
        return ::CallWindowProcW(self->previous_, hwnd, msg, wparam, lparam);
    }

    HWND window_;
    WNDPROC previous_ = nullptr;
};

void hold_modifiers(std::uint8_t modifiers) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    auto hold = [&keys](int key, bool down) { keys[key] = down ? 0x80 : 0; };
    hold(VK_CONTROL, (modifiers & Ctrl) != 0);
    hold(VK_LCONTROL, (modifiers & Ctrl) != 0);
    hold(VK_SHIFT, (modifiers & Shift) != 0);
    hold(VK_LSHIFT, (modifiers & Shift) != 0);
    ::SetKeyboardState(keys);
}

// A switch's box in the topology as the canvas shows it now, in client
// pixels: its centre.
POINT box_centre(const AppState& state, std::size_t switch_index) {
    for (const HitRegion& hit : state.scene.hits()) {
        if (hit.switch_index != switch_index || hit.port_index != k_whole_switch) continue;
        const float scale = state.canvas.scale();
        const HWND canvas = state.canvas.hwnd();
        return POINT{static_cast<LONG>((hit.x + hit.width / 2.0f) * scale) - ::GetScrollPos(canvas, SB_HORZ),
                     static_cast<LONG>((hit.y + hit.height / 2.0f) * scale) -
                         ::GetScrollPos(canvas, SB_VERT)};
    }
    ADD_FAILURE() << "no box of switch " << switch_index;
    return POINT{-1000, -1000};
}

// The names the topology writes in the highlight colour: the current switch's.
std::vector<std::string> highlighted_names(const AppState& state) {
    std::vector<std::string> names;
    const Rgb highlight = (theme::is_dark() ? k_dark_palette : k_light_palette).highlight;
    for (const SceneItem& item : state.scene.scene().items)
        if (const Text* text = std::get_if<Text>(&item); text && text->color == highlight)
            names.push_back(text->text);
    return names;
}

TEST_F(EditRoadTest, ABoxOfTheTopologyChoosesItsSwitchAndADoubleClickShowsItOnTheFrontPanel) {
    Map map = switches_map({"s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8", "s9", "s10", "s11"});
    map.switches[1].ports[7].link = PortPeer{"s2", "8"};
    map.switches[2].ports[7].link = PortPeer{"s1", "8"};
    load(map);
    select({{0, 1}});
    command(ViewTopology);
    pump();
    ASSERT_EQ(state_->view.kind, ViewKind::Topology);
    EXPECT_EQ(highlighted_names(*state_), std::vector<std::string>{"s0"});
    HWND canvas = state_->canvas.hwnd();
    auto click = [&](std::size_t switch_index, bool twice) {
        const POINT at = box_centre(*state_, switch_index);
        const LPARAM where = MAKELPARAM(at.x, at.y);
        ::PostMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, where);
        ::PostMessageW(canvas, WM_LBUTTONUP, 0, where);
        if (twice) {
            ::PostMessageW(canvas, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
            ::PostMessageW(canvas, WM_LBUTTONUP, 0, where);
        }
        pump();
    };

    // A port selection on another switch is let go; the box's switch is
    // the one the Switch menu acts on.
    click(2, false);
    EXPECT_TRUE(state_->canvas.selection().ports().empty());
    EXPECT_EQ(current_switch(*state_), 2u);
    EXPECT_EQ(highlighted_names(*state_), std::vector<std::string>{"s2"});
    EXPECT_EQ(state_->view.kind, ViewKind::Topology);
    command(SwitchMoveUp);
    EXPECT_EQ(state_->map.switches[1].name, "s2");
    EXPECT_EQ(current_switch(*state_), 1u);
    command(EditUndo);
    EXPECT_EQ(state_->map.switches[2].name, "s2");

    // One on the box's own switch stays.
    select({{4, 3}, {4, 5}});
    click(4, false);
    EXPECT_EQ(state_->canvas.selection().ports(), (std::vector<PortRef>{{4, 3}, {4, 5}}));
    EXPECT_EQ(current_switch(*state_), 4u);

    // A double-click goes to the front panel, scrolled so the switch is seen.
    click(11, true);
    ASSERT_EQ(state_->view.kind, ViewKind::FrontPanel);
    EXPECT_EQ(current_switch(*state_), 11u);
    RECT client{};
    ::GetClientRect(canvas, &client);
    const float scale = state_->canvas.scale();
    const int scrolled = ::GetScrollPos(canvas, SB_VERT);
    EXPECT_GT(scrolled, 0);
    std::size_t seen = 0;
    for (const HitRegion& hit : state_->scene.hits()) {
        if (hit.switch_index != 11) continue;
        ++seen;
        EXPECT_GE(hit.y * scale - static_cast<float>(scrolled), -1.0f);
        EXPECT_LE((hit.y + hit.height) * scale - static_cast<float>(scrolled), client.bottom + 1.0f);
    }
    EXPECT_EQ(seen, 8u);
}

TEST_F(EditRoadTest, EveryShortcutOfTheCommandTableReachesItsCommand) {
    win::UniqueAccelerators accelerators(create_accelerators());
    ASSERT_NE(accelerators.get(), nullptr);
    CommandRecorder recorder(state_->main);
    HWND canvas = state_->canvas.hwnd();
    std::size_t keys = 0;
    for (const CommandRow& row : k_commands) {
        if (!row.key) continue;
        ++keys;
        ::SetFocus(canvas);
        ASSERT_EQ(::GetFocus(), canvas);
        recorder.commands.clear();
        hold_modifiers(row.key->modifiers);
        ::PostMessageW(canvas, WM_KEYDOWN, row.key->key, 1);
        pump(accelerators.get());
        hold_modifiers(NoModifier);
        EXPECT_EQ(recorder.commands, std::vector<int>{row.id}) << row.key->text;
    }
    EXPECT_GE(keys, 19u);
}

TEST_F(EditRoadTest, FindSearchesAsYouTypeAndGoesToWhatItFound) {
    command(EditFind);
    HWND find = state_->find.hwnd();
    ASSERT_NE(find, nullptr);
    HWND query = ::GetDlgItem(find, k_find_query);
    HWND list = ::GetDlgItem(find, k_find_results);
    ASSERT_EQ(::GetFocus(), query);
    auto search = [&](const std::wstring& text) {
        ::SendMessageW(query, EM_SETSEL, 0, -1);
        ::PostMessageW(query, WM_CHAR, VK_BACK, 1);
        for (wchar_t c : text) ::PostMessageW(query, WM_CHAR, c, 1);
        pump();
    };
    auto enter = [&] {
        ::PostMessageW(query, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        pump();
    };

    // A port takes the words of its switch once one word is its own.
    search(L"EDGE-2 3");
    ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    enter();
    EXPECT_EQ(state_->canvas.selection().ports(), (std::vector<PortRef>{{2, 2}}));

    search(L"voice");
    enter();
    EXPECT_EQ(state_->selected_vlan, 20);

    // Both edge switches, stepped through from the canvas with F3 and
    // Shift+F3, as the accelerator table gives them.
    search(L"edge");
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    ::PostMessageW(query, WM_KEYDOWN, VK_ESCAPE, 0);
    pump();
    EXPECT_FALSE(::IsWindow(find));

    win::UniqueAccelerators accelerators(create_accelerators());
    auto press = [&](std::uint8_t modifiers) {
        ::SetFocus(state_->canvas.hwnd());
        hold_modifiers(modifiers);
        ::PostMessageW(state_->canvas.hwnd(), WM_KEYDOWN, VK_F3, 1);
        pump(accelerators.get());
        hold_modifiers(NoModifier);
    };
    press(NoModifier);
    EXPECT_EQ(state_->last_switch, 1u);
    EXPECT_TRUE(state_->canvas.selection().ports().empty());
    press(NoModifier);
    EXPECT_EQ(state_->last_switch, 2u);
    press(Shift);
    EXPECT_EQ(state_->last_switch, 1u);
}

// core - edge-1 - edge-2 in a row; VLAN 10 on a free port of core and of
// edge-2, carried over the first link only: edge-2 is cut off.
Map cut_off_campus() {
    Map map = campus_map();
    auto link = [&](std::size_t a, std::size_t a_port, std::size_t b, std::size_t b_port, bool carries) {
        Port& a_end = map.switches[a].ports[a_port];
        Port& b_end = map.switches[b].ports[b_port];
        a_end.link = PortPeer{map.switches[b].name, b_end.label};
        b_end.link = PortPeer{map.switches[a].name, a_end.label};
        if (carries) a_end.tagged = b_end.tagged = {10};
    };
    link(0, 7, 1, 6, true);
    link(1, 7, 2, 6, false);
    map.switches[2].ports[0].untagged = 10;
    map.switches[2].ports[1].tagged = {10};
    return map;
}

std::vector<std::wstring> list_lines(HWND list) {
    std::vector<std::wstring> lines;
    LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        line.resize(static_cast<std::size_t>(
            ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
        lines.push_back(line);
    }
    return lines;
}

TEST_F(EditRoadTest, CheckMapListsTheProblemsAndGoesToThePortsOfTheChosenOne) {
    load(cut_off_campus());
    std::vector<Problem> problems = check_map(state_->map);
    auto cut = std::find_if(problems.begin(), problems.end(),
                            [](const Problem& p) { return p.kind == Problem::Kind::VlanCutOff; });
    ASSERT_NE(cut, problems.end()) << check_report(problems);
    EXPECT_EQ(cut->ports, (std::vector<PortRef>{{2, 0}, {2, 1}}));

    ::SendMessageW(state_->main, WM_COMMAND, ViewCheckMap, 0);
    pump();
    HWND window = state_->check.hwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), state_->main);
    HWND list = ::GetDlgItem(window, k_check_problems);
    ASSERT_EQ(::GetFocus(), list);
    std::vector<std::wstring> expected;
    for (const Problem& problem : problems) expected.push_back(win::widen(problem_message(problem)));
    EXPECT_EQ(list_lines(list), expected);

    // Enter on the cut-off VLAN selects its ports on edge-2, and the canvas follows.
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(cut - problems.begin()), 0);
    ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    pump();
    EXPECT_EQ(state_->canvas.selection().ports(), cut->ports);
    EXPECT_EQ(state_->last_switch, std::optional<std::size_t>(2));
    EXPECT_TRUE(::IsWindow(window)) << "Enter chooses, it does not close";

    // A problem that names no ports leaves the selection as it is.
    auto other =
        std::find_if(problems.begin(), problems.end(), [](const Problem& p) { return p.ports.empty(); });
    if (other != problems.end()) {
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(other - problems.begin()), 0);
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(k_check_problems, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(state_->canvas.selection().ports(), cut->ports);
    }

    // Copy Report: every message, one a line.
    if (::OpenClipboard(state_->main)) {
        ::EmptyClipboard();
        ::CloseClipboard();
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(k_check_copy, BN_CLICKED), 0);
        std::wstring copied;
        if (::OpenClipboard(state_->main)) {
            if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
                copied = static_cast<const wchar_t*>(::GlobalLock(data));
                ::GlobalUnlock(data);
            }
            ::CloseClipboard();
        }
        std::wstring report;
        for (const std::wstring& line : expected) report += line + L"\r\n";
        EXPECT_EQ(copied, report);
    }

    // Mended, and checked again: the same window says so.
    state_->map.switches[1].ports[7].tagged = {10};
    state_->map.switches[2].ports[6].tagged = {10};
    ASSERT_TRUE(check_map(state_->map).empty()) << check_report(check_map(state_->map));
    ::SendMessageW(state_->main, WM_COMMAND, ViewCheckMap, 0);
    EXPECT_EQ(state_->check.hwnd(), window) << "one Check Map window";
    EXPECT_EQ(list_lines(list), std::vector<std::wstring>{L"No problems found."});
    ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    pump();
    EXPECT_EQ(state_->canvas.selection().ports(), cut->ports);

    ::PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
    pump();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(state_->check.hwnd(), nullptr);
}

// The open popup menu's item texts, read from inside its loop; the menu is
// closed. Empty when no menu is open.
std::vector<std::wstring> read_and_close_menu() {
    std::vector<std::wstring> texts;
    HWND popup = nullptr;
    // The system may keep a hidden menu window of its own: the open menu is
    // the visible one.
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w != nullptr;
         w = ::FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (::IsWindowVisible(w)) popup = w;
    if (popup == nullptr) return texts;
    auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu != nullptr && i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    ::EndMenu();
    return texts;
}

// The main window walked with the keyboard alone, keys posted to the
// focused control as the keyboard sends them and taken by the program's
// own loop.
// A visible top-level window of this thread of the class.
HWND visible_window(const wchar_t* window_class) {
    struct Search {
        const wchar_t* window_class;
        HWND found = nullptr;
    } search{window_class};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (::IsWindowVisible(window) && std::wstring(name) == s->window_class) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class KeyboardWalkTest : public EditRoadTest {
  protected:
    void SetUp() override {
        EditRoadTest::SetUp();
        accelerators_.reset(create_accelerators());
        ASSERT_NE(accelerators_.get(), nullptr);
        ::SetFocus(state_->canvas.hwnd());
    }

    void post(UINT msg, WPARAM key, LPARAM flags) { ::PostMessageW(::GetFocus(), msg, key, flags); }

    void press(WPARAM key) {
        post(WM_KEYDOWN, key, 1);
        pump(accelerators_.get());
        post(WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        pump(accelerators_.get());
    }

    // Tab until the control has the focus; fails after a round of the window.
    void tab_to(int id) {
        for (int i = 0; i < 40 && ::GetFocus() != control(id); ++i) press(VK_TAB);
        ASSERT_EQ(::GetFocus(), control(id)) << id;
    }

    // Alt held, a letter pressed (which may open a menu whose loop runs
    // until the script closes it), both released.
    void alt_with(wchar_t letter) {
        post(WM_SYSKEYDOWN, VK_MENU, 0x20380001);
        post(WM_SYSKEYDOWN, letter, 0x20000001);
        pump(accelerators_.get());
        post(WM_SYSKEYUP, letter, static_cast<LPARAM>(0xE0000001u));
        post(WM_KEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001u));
        pump(accelerators_.get());
    }

    void alt_alone() {
        post(WM_SYSKEYDOWN, VK_MENU, 0x20380001);
        post(WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001u));
        pump(accelerators_.get());
    }

    // F10 comes as a system key, Alt or not.
    void f10() {
        post(WM_SYSKEYDOWN, VK_F10, 0x00440001);
        post(WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0440001u));
        pump(accelerators_.get());
    }

    // The items of the menu that `open` opens, read while it is open.
    std::vector<std::wstring> menu_opened_by(const std::function<void()>& open) {
        std::vector<std::wstring> texts;
        quarn::testing::Script script({[&texts] { texts = read_and_close_menu(); }});
        open();
        EXPECT_TRUE(script.finished());
        return texts;
    }

    win::UniqueAccelerators accelerators_;
};

TEST_F(KeyboardWalkTest, EveryMenuOpensFromTheKeyboardAsByAClick) {
    // Until a key is pressed the bar's letters are not underlined (unless
    // the user asked for keyboard cues always).
    BOOL always = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0);
    if (!always) {
        EXPECT_NE(::SendMessageW(control(MenuFile), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL, 0);
    }

    const struct {
        int button;
        wchar_t letter;
    } menus[] = {{MenuFile, L'F'}, {MenuEdit, L'E'}, {MenuSwitch, L'S'}, {MenuView, L'V'}, {MenuHelp, L'H'}};
    for (const auto& menu : menus) {
        auto clicked = menu_opened_by([&] { command(menu.button); });
        ASSERT_FALSE(clicked.empty()) << menu.button;
        EXPECT_EQ(menu_opened_by([&] { alt_with(menu.letter); }), clicked) << "Alt+" << char(menu.letter);
        EXPECT_EQ(::GetFocus(), state_->canvas.hwnd()) << "Alt+" << char(menu.letter);
    }

    // F10 and Alt alone go to the bar; the arrows move along it, round at
    // its ends; Down opens the focused menu; Escape goes back.
    f10();
    EXPECT_EQ(::GetFocus(), control(MenuFile));
    press(VK_LEFT);
    EXPECT_EQ(::GetFocus(), control(MenuHelp));
    press(VK_RIGHT);
    press(VK_RIGHT);
    press(VK_RIGHT);
    EXPECT_EQ(::GetFocus(), control(MenuSwitch));
    auto switch_menu = menu_opened_by([&] { command(MenuSwitch); });
    EXPECT_EQ(menu_opened_by([&] { press(VK_DOWN); }), switch_menu);
    EXPECT_EQ(::GetFocus(), control(MenuSwitch));
    press(VK_ESCAPE);
    EXPECT_EQ(::GetFocus(), state_->canvas.hwnd());

    alt_alone();
    EXPECT_EQ(::GetFocus(), control(MenuFile));
    alt_alone();
    EXPECT_EQ(::GetFocus(), state_->canvas.hwnd());
    f10();
    f10();
    EXPECT_EQ(::GetFocus(), state_->canvas.hwnd());

    // The bar shows its access keys from the first Alt on.
    EXPECT_EQ(::SendMessageW(control(MenuFile), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL, 0);
}

TEST_F(KeyboardWalkTest, PortsVlansTheEditorAndSaveWithTheKeyboardAlone) {
    std::filesystem::path file = quarn::testing::temp_folder("keyboard-walk") / "walk.quarn";
    Map walked = campus_map();
    walked.site = "Walked campus";
    quarn::testing::write_file(file, save_map(walked));

    // Ctrl+O, the file's path typed in the system's box, Enter opens it.
    quarn::testing::Script open_box({[&file] {
        HWND box = visible_window(L"#32770");
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(::IsChild(box, ::GetFocus()));
        for (wchar_t c : file.wstring()) ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    }});
    hold_modifiers(Ctrl);
    press('O');
    hold_modifiers(NoModifier);
    EXPECT_TRUE(open_box.finished());
    ASSERT_EQ(state_->map, walked);
    EXPECT_EQ(state_->path, file);
    ::SetFocus(state_->canvas.hwnd());

    // Ports by their numbers, Enter selects them.
    tab_to(RangeField);
    type(RangeField, L"3-4");
    press(VK_RETURN);
    EXPECT_EQ(state_->canvas.selection().ports(), (std::vector<PortRef>{{0, 2}, {0, 3}}));

    // A VLAN chosen in the list, toggled on the ports by Enter on the button.
    tab_to(VlanList);
    press(VK_HOME);
    press(VK_END);
    ASSERT_EQ(state_->selected_vlan, std::optional<std::uint16_t>(20));
    tab_to(PanelToggleUntagged);
    press(VK_RETURN);
    EXPECT_EQ(state_->map.switches[0].ports[2].untagged, std::optional<std::uint16_t>(20));
    EXPECT_EQ(state_->map.switches[0].ports[3].untagged, std::optional<std::uint16_t>(20));
    press(VK_SPACE); // Space presses it too: toggled off again
    EXPECT_EQ(state_->map.switches[0].ports[3].untagged, std::nullopt);
    press(VK_RETURN);

    // Enter in the VLAN list opens its editor, whose labels' access keys
    // reach their fields; Alt+N and a new name, Enter accepts.
    tab_to(VlanList);
    int focused = 0;
    quarn::testing::Script script({
        [] {
            HWND d = ::FindWindowW(dialogs::k_vlan_window_class, nullptr);
            ASSERT_NE(d, nullptr);
            ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, L'I', 0x20000001);
        },
        [] {
            HWND d = ::FindWindowW(dialogs::k_vlan_window_class, nullptr);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(d, dialogs::k_vlan_id));
            ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, L'N', 0x20000001);
        },
        [&focused] {
            HWND d = ::FindWindowW(dialogs::k_vlan_window_class, nullptr);
            focused = ::GetDlgCtrlID(::GetFocus());
            ::SetDlgItemTextW(d, dialogs::k_vlan_name, L"Phones");
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
        },
    });
    press(VK_RETURN);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(focused, dialogs::k_vlan_name);
    EXPECT_EQ(state_->map.vlans[1].name, "Phones");

    // Ctrl+S saves where the map came from.
    hold_modifiers(Ctrl);
    press('S');
    hold_modifiers(NoModifier);
    EXPECT_EQ(quarn::testing::read_file(file), save_map(state_->map));
    EXPECT_EQ(state_->saved, state_->map);
}

// Inside the open menu's loop: Down until the item that begins with `text`
// is chosen (the first Down selects the first item, separators are
// skipped), then Enter. Keys reach a menu's loop from any window of the
// thread.
void choose_in_menu(const std::wstring& text) {
    HWND popup = visible_window(L"#32768");
    ASSERT_NE(popup, nullptr) << win::narrow(text);
    auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
    int downs = 0;
    bool found = false;
    for (int i = 0; i < ::GetMenuItemCount(menu) && !found; ++i) {
        if (::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) continue;
        ++downs;
        wchar_t item[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), item, 128, MF_BYPOSITION);
        found = std::wstring(item).rfind(text, 0) == 0;
    }
    ASSERT_TRUE(found) << win::narrow(text);
    HWND target = ::GetFocus() != nullptr ? ::GetFocus() : popup;
    for (int i = 0; i < downs; ++i) ::PostMessageW(target, WM_KEYDOWN, VK_DOWN, 0x00500001);
    ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0x001C0001);
}

// Every dialog the menus offer, opened with Alt and a menu's letter, the
// arrows and Enter, and closed with Escape: the map stays as it was.
TEST_F(KeyboardWalkTest, EveryDialogOfTheMenusOpensAndClosesWithTheKeyboardAlone) {
    enum class Kind {
        Modal,    // the program's own, with a loop of its own
        Modeless, // taken by the program's loop
        FileBox,  // the system's file or print box, modal
    };
    // Focus: the control the window starts in; 0 for its first tab stop,
    // -1 where the system's box chooses. About and Check for Updates start
    // on Close, which Enter then presses.
    struct Row {
        wchar_t menu;
        const wchar_t* item;
        const wchar_t* window_class;
        Kind kind;
        int focus;
        std::vector<PortRef> selected;
    };
    const std::vector<PortRef> two = {{0, 2}, {0, 3}};
    const std::vector<PortRef> one = {{0, 2}};
    const Row rows[] = {
        {L'F', L"Open...", L"#32770", Kind::FileBox, -1, one},
        {L'F', L"Save As...", L"#32770", Kind::FileBox, -1, one},
        {L'F', L"Save PNG...", L"#32770", Kind::FileBox, -1, one},
        {L'F', L"Save SVG...", L"#32770", Kind::FileBox, -1, one},
        {L'F', L"Save CSV...", L"#32770", Kind::FileBox, -1, one},
        // The system's print box; Wine, which has no printer, says so in a
        // box of its own, closed by Escape all the same.
        {L'F', L"Print...", L"#32770", Kind::FileBox, -1, one},
        {L'E', L"LAG...", dialogs::k_lag_window_class, Kind::Modal, 0, two},
        {L'E', L"Uplink...", dialogs::k_uplink_window_class, Kind::Modal, 0, one},
        {L'E', L"Find...", k_find_window_class, Kind::Modeless, 0, one},
        {L'S', L"Add Switch...", dialogs::k_switch_window_class, Kind::Modal, 0, one},
        {L'S', L"Import Configuration...", dialogs::k_import_window_class, Kind::Modal, 0, one},
        {L'S', L"Edit Switch...", dialogs::k_switch_window_class, Kind::Modal, 0, one},
        {L'V', L"Check Map...", k_check_window_class, Kind::Modeless, 0, one},
        {L'V', L"Compare With File...", L"#32770", Kind::FileBox, -1, one},
        {L'V', L"Where Is This VLAN...", dialogs::k_text_viewer_class, Kind::Modeless,
         dialogs::k_text_viewer_edit_id, one},
        {L'H', L"Check for Updates...", update::k_updates_window_class, Kind::Modeless, IDCANCEL, one},
        {L'H', L"About Quarn", dialogs::k_about_window_class, Kind::Modeless, IDCANCEL, one},
        {L'H', L"Install Quarn...", dialogs::k_message_window_class, Kind::Modal, 0, one},
    };
    const Map before = state_->map;
    for (const Row& row : rows) {
        SCOPED_TRACE(win::narrow(row.item));
        select(row.selected);
        state_->selected_vlan = 10;
        ::SetFocus(state_->canvas.hwnd());
        HWND window = nullptr;
        HWND focused = nullptr;
        HWND expected = nullptr;
        bool focus_inside = false;
        std::string seen;
        auto look = [&] {
            window = visible_window(row.window_class);
            focused = ::GetFocus();
            if (window != nullptr)
                expected = row.focus == 0 ? ::GetNextDlgTabItem(window, nullptr, FALSE)
                                          : ::GetDlgItem(window, row.focus);
            focus_inside = window != nullptr && ::IsChild(window, focused);
            auto describe = [](HWND w) {
                wchar_t name[64] = {};
                ::GetClassNameW(w, name, 64);
                wchar_t root[64] = {};
                ::GetClassNameW(::GetAncestor(w, GA_ROOT), root, 64);
                return win::narrow(name) + " #" + std::to_string(::GetDlgCtrlID(w)) + " in " +
                       win::narrow(root);
            };
            seen = describe(focused) + " / " + describe(expected);
        };
        auto escape = [] { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001); };
        if (row.kind == Kind::Modeless) {
            quarn::testing::Script script({[&row] { choose_in_menu(row.item); }});
            alt_with(row.menu);
            EXPECT_TRUE(script.finished());
            look();
            ASSERT_NE(window, nullptr);
            press(VK_ESCAPE);
        } else {
            quarn::testing::Script script({[&row] { choose_in_menu(row.item); },
                                           [&] {
                                               look();
                                               escape();
                                           }});
            alt_with(row.menu);
            EXPECT_TRUE(script.finished());
            ASSERT_NE(window, nullptr);
        }
        if (row.focus >= 0)
            EXPECT_EQ(focused, expected) << seen;
        else
            EXPECT_TRUE(focus_inside) << seen;
        EXPECT_FALSE(::IsWindow(window) && ::IsWindowVisible(window)) << "Escape closes it";
        EXPECT_EQ(visible_window(L"#32768"), nullptr);
        EXPECT_EQ(state_->map, before);
    }

    // Enter accepts: a switch added from the keyboard, its changes listed
    // by Changes Since Saved, then taken back with Ctrl+Z.
    quarn::testing::Script add({[] { choose_in_menu(L"Add Switch..."); },
                                [] {
                                    HWND d = visible_window(dialogs::k_switch_window_class);
                                    ASSERT_NE(d, nullptr);
                                    for (wchar_t c : std::wstring(L"edge-3"))
                                        ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
                                    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
                                }});
    alt_with(L'S');
    EXPECT_TRUE(add.finished());
    ASSERT_EQ(state_->map.switches.size(), before.switches.size() + 1);
    EXPECT_TRUE(std::any_of(state_->map.switches.begin(), state_->map.switches.end(),
                            [](const Switch& sw) { return sw.name == "edge-3"; }));

    quarn::testing::Script changes({[] { choose_in_menu(L"Changes Since Saved..."); }});
    alt_with(L'V');
    EXPECT_TRUE(changes.finished());
    HWND viewer = visible_window(dialogs::k_text_viewer_class);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(viewer, dialogs::k_text_viewer_edit_id));
    press(VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(viewer));

    ::SetFocus(state_->canvas.hwnd());
    hold_modifiers(Ctrl);
    press('Z');
    hold_modifiers(NoModifier);
    EXPECT_EQ(state_->map, before);
}

} // namespace
} // namespace quarn::app
