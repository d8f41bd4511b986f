// The edit road and the command table, driven through the program's own
// message loop: keys and typed characters are posted, then taken as the
// program takes them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/canvas_scene.hpp"
#include "app/command_table.hpp"
#include "app/commands.hpp"
#include "app/find_window.hpp"
#include "app/message_loop.hpp"
#include "dialogs/testing/message_box_reader.hpp"
#include "main_window_fixture.hpp"
#include "test_support/script.hpp"
#include "win/unique.hpp"

namespace quarn::app {
namespace {

Map campus() {
    Map map = switches_map({"core", "edge-1", "edge-2"});
    map.site = "Campus";
    return map;
}

class EditRoadTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        load(campus());
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
    state_->history.record_change(campus());
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

} // namespace
} // namespace quarn::app
