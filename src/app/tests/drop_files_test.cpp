// Files dropped on the main window, as Explorer drops them: a WM_DROPFILES
// with an HDROP made here, in the process of the window.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/commands.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/testing/message_box_reader.hpp"
#include "main_window_fixture.hpp"
#include "model/map_file.hpp"
#include "test_support/dialog_driver.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

namespace fs = std::filesystem;
using dialogs::testing::answer_message;
using dialogs::testing::message_text;
using quarn::testing::Script;
using quarn::testing::write_file;

// The drop as the shell hands it over: DROPFILES, then the wide paths, each
// ended by a zero, and one zero more. The window's DragFinish frees it.
HDROP drop_of(const std::vector<fs::path>& files) {
    std::wstring list;
    for (const fs::path& file : files) {
        list += file.wstring();
        list += L'\0';
    }
    list += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class DropTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        folder_ = quarn::testing::temp_folder(L"quarn drop test");
        load(switches_map({"core"}));
    }

    void drop(const std::vector<fs::path>& files) {
        ::SendMessageW(state_->main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop_of(files)), 0);
    }

    void change_the_map() {
        select({{0, 1}});
        state_->selected_vlan = 20;
        command(EditToggleUntagged);
    }

    fs::path folder_;
};

TEST_F(DropTest, TheWindowTakesDroppedFiles) {
    EXPECT_TRUE(::GetWindowLongPtrW(state_->main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(DropTest, ADroppedMapOpensAfterTheSaveQuestion) {
    Map dropped = switches_map({"dropped-1", "dropped-2"});
    dropped.site = "Dropped";
    fs::path file = folder_ / L"dropped map.quarn";
    write_file(file, save_map(dropped));
    change_the_map();
    ASSERT_NE(state_->map, state_->saved);

    std::vector<std::wstring> asked;
    {
        Script script({[&] {
                           asked.push_back(message_text());
                           answer_message(2); // Cancel: the changed map stays
                       },
                       [&] {
                           asked.push_back(message_text());
                           answer_message(1); // Don't Save
                       }});
        drop({file});
        EXPECT_EQ(state_->map.switches.size(), 1u);
        drop({file});
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"Save the changes to Untitled?",
                                                L"Save the changes to Untitled?"}));
    EXPECT_EQ(state_->map, dropped);
    EXPECT_EQ(state_->path, file);
    EXPECT_EQ(title(), L"dropped map.quarn - Quarn");

    // Opened, the map is one of the shell's recent documents (the jump list's).
    wchar_t recent[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, SHGFP_TYPE_CURRENT, recent), S_OK);
    EXPECT_TRUE(fs::exists(fs::path(recent) / L"dropped map.quarn.lnk"))
        << "no shortcut in " << quarn::win::narrow(recent);
}

// One dropped configuration opens as its text; several are read as a campus,
// and the import lists them by name.
TEST_F(DropTest, DroppedConfigurationsOpenTheImport) {
    const std::string first =
        "hostname acc-7\n!\ninterface GigabitEthernet1/0/1\n switchport access vlan 10\n!\n";
    write_file(folder_ / L"acc-7.cfg", first);
    write_file(folder_ / L"acc-8.cfg", "hostname acc-8\n");
    auto shown_on_drop = [&](const std::vector<fs::path>& files) {
        std::wstring shown;
        Script script({[&] {
            HWND import = quarn::testing::find(dialogs::k_import_window_class);
            shown = quarn::testing::field(import, dialogs::k_import_text);
            ::PostMessageW(import, WM_COMMAND, IDCANCEL, 0);
        }});
        drop(files);
        EXPECT_TRUE(script.finished());
        return shown;
    };
    EXPECT_EQ(shown_on_drop({folder_ / L"acc-7.cfg"}), win::with_crlf(win::widen(first)));
    const std::wstring listed = shown_on_drop({folder_ / L"acc-7.cfg", folder_ / L"acc-8.cfg"});
    EXPECT_NE(listed.find(L"acc-7.cfg"), std::wstring::npos) << win::narrow(listed);
    EXPECT_NE(listed.find(L"acc-8.cfg"), std::wstring::npos) << win::narrow(listed);
    EXPECT_EQ(state_->map, state_->saved) << "a cancelled import changed the map";
}

TEST_F(DropTest, OtherFilesAreRefusedWithAMessageAndChangeNothing) {
    write_file(folder_ / L"rack.png", "not a map");
    write_file(folder_ / L"a.quarn", save_map(Map{}));
    write_file(folder_ / L"b.quarn", save_map(Map{}));
    write_file(folder_ / L"core.cfg", "hostname core\n");
    change_the_map();
    const Map before = state_->map;
    const std::size_t steps = state_->history.undo_depth();

    struct Case {
        std::vector<fs::path> files;
        std::wstring message;
    };
    const std::vector<Case> cases = {
        {{folder_ / L"rack.png"},
         L"Quarn cannot open rack.png. Drop a map (.quarn) or switch configurations (.txt, .cfg, .conf, "
         L".log)."},
        {{folder_ / L"a.quarn", folder_ / L"b.quarn"}, L"Drop one map at a time: a window shows one map."},
        {{folder_ / L"a.quarn", folder_ / L"core.cfg"},
         L"Drop a map or switch configurations, not both at once."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(quarn::win::narrow(c.message));
        std::wstring said;
        Script script({[&] {
            said = message_text();
            answer_message(0);
        }});
        drop(c.files);
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(said, c.message);
        EXPECT_EQ(state_->map, before);
        EXPECT_EQ(state_->history.undo_depth(), steps);
        EXPECT_EQ(state_->path, std::nullopt);
    }
}

} // namespace
} // namespace quarn::app
