#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.hpp"
#include "app/commands.hpp"
#include "app/compare_commands.hpp"
#include "app/document.hpp"
#include "app/message_loop.hpp"
#include "app/refresh.hpp"
#include "app/startup.hpp"
#include "app/switch_commands.hpp"
#include "config/config_store.hpp"
#include "dialogs/about_window.hpp"
#include "dialogs/import_dialog.hpp"
#include "dialogs/testing/message_box_reader.hpp"
#include "dialogs/text_viewer.hpp"
#include "main_window_fixture.hpp"
#include "maker-services/update/update_status.hpp"
#include "model/map_file.hpp"
#include "test_support/save_dialog.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "validate/vlan_where.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

using quarn::testing::confirm_save_dialog;

using dialogs::testing::answer_message;
using dialogs::testing::message_text;
using quarn::testing::read_file;
using quarn::testing::Script;

Map two_switch_map() {
    return switches_map({"core", "edge"});
}

// Any window's text; the fixture's text_of reads the main window's controls.
std::wstring window_text(HWND window) {
    return quarn::testing::text_of(window);
}

std::filesystem::path temp_folder() {
    return quarn::testing::temp_folder("quarn commands test");
}

class CommandsTest : public MainWindowFixture {
  protected:
    std::optional<std::filesystem::path> settings_folder() override {
        // Settings a previous run left must not decide this run's view.
        std::filesystem::remove_all(temp_folder() / "settings");
        return temp_folder() / "settings";
    }

    void SetUp() override {
        MainWindowFixture::SetUp();
        load(two_switch_map());
    }

    std::wstring viewer_text() {
        HWND viewer = state_->viewer.hwnd();
        if (viewer == nullptr) return L"<no viewer>";
        return window_text(::GetDlgItem(viewer, dialogs::k_text_viewer_edit_id));
    }
};

// Removes a folder and all in it through the long form of its path, which
// reaches past 260 characters where the C runtime under std::filesystem
// does not.
void remove_deep_folder(std::wstring folder) {
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    const std::wstring base = L"\\\\?\\" + folder;
    WIN32_FIND_DATAW entry{};
    HANDLE found = ::FindFirstFileW((base + L"\\*").c_str(), &entry);
    if (found != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                remove_deep_folder(folder + L"\\" + name);
            else
                ::DeleteFileW((base + L"\\" + name).c_str());
        } while (::FindNextFileW(found, &entry));
        ::FindClose(found);
    }
    ::RemoveDirectoryW(base.c_str());
}

// Windows 10 and 11 lift the limit of 260 characters for a program's own
// file calls only when its manifest declares it long-path aware (and the
// system's LongPathsEnabled is on); Wine has no such limit. The bench reads
// the declaration from the manifest the test program carries, the
// program's own, and walks a map through a folder 300 characters deep.
TEST_F(CommandsTest, AMapInAFolderThreeHundredCharactersDeepOpensAndSavesUnderItsOwnName) {
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const char* manifest = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    ASSERT_NE(manifest, nullptr);
    std::string text(manifest, ::SizeofResource(nullptr, found));
    EXPECT_NE(text.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
                        "</longPathAware>"),
              std::string::npos);

    std::filesystem::path folder = quarn::testing::temp_folder("long-paths");
    remove_deep_folder(folder.native());
    while (folder.native().size() < 300) folder /= L"a-folder-with-a-rather-long-name";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / L"site.quarn";
    ASSERT_GT(file.native().size(), 300u);
    { std::ofstream(file, std::ios::binary) << save_map(two_switch_map()); }

    ASSERT_TRUE(open_document(*state_, file));
    EXPECT_EQ(state_->path, file);
    EXPECT_EQ(state_->config.recent.front(), file.string());
    EXPECT_EQ(title(), L"site.quarn - Quarn");
    select({{0, 0}});
    command(EditClearVlans);
    command(FileSave);
    EXPECT_EQ(read_file(file), save_map(state_->map));
    EXPECT_EQ(state_->path, file); // the user's own path, not a resolved one
    remove_deep_folder(quarn::testing::temp_folder("long-paths").native());
}

TEST_F(CommandsTest, CloseAsksOnlyWhileTheMapDiffersFromItsSavedCopy) {
    select({{1, 2}});
    state_->selected_vlan = 20;
    command(EditToggleUntagged);
    EXPECT_EQ(state_->map.switches[1].ports[2].untagged, 20);
    EXPECT_EQ(title(), L"Untitled* - Quarn");

    std::wstring asked;
    {
        Script script({[&] {
            asked = message_text();
            answer_message(2); // Cancel
        }});
        ::SendMessageW(state_->main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(asked, L"Save the changes to Untitled?");
    ASSERT_TRUE(::IsWindow(state_->main));

    command(EditUndo);
    EXPECT_EQ(title(), L"Untitled - Quarn");
    HWND main = state_->main;
    ::SendMessageW(state_->main, WM_CLOSE, 0, 0); // no question: nothing to save
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(program_->window.hwnd(), nullptr);
}

TEST_F(CommandsTest, HistoryKeepsTwoHundredStepsAndANewChangeEndsRedo) {
    select({{0, 1}});
    state_->selected_vlan = 10;
    for (int i = 0; i < 250; ++i) command(EditToggleTagged); // on, off, on, ...
    EXPECT_EQ(state_->history.undo_depth(), 200u);
    for (int i = 0; i < 201; ++i) command(EditUndo);
    EXPECT_FALSE(state_->history.can_undo());
    EXPECT_TRUE(state_->history.can_redo());

    command(EditRedo);
    command(EditClearVlans);
    EXPECT_FALSE(state_->history.can_redo());

    // A toggle that changes nothing leaves no step.
    std::size_t depth = state_->history.undo_depth();
    select({});
    command(EditToggleUntagged);
    EXPECT_EQ(state_->history.undo_depth(), depth);
}

TEST_F(CommandsTest, TogglesWithoutAVlanSayWhatIsMissing) {
    select({{0, 0}});
    state_->selected_vlan.reset();
    std::wstring said;
    Script script({[&] {
        said = message_text();
        answer_message(0);
    }});
    command(EditToggleUntagged);
    EXPECT_EQ(said, L"Select a VLAN in the list first.");
    EXPECT_FALSE(state_->history.can_undo());
}

TEST_F(CommandsTest, TypingALabelIsOneUndoStep) {
    select({{0, 3}});
    HWND label = ::GetDlgItem(state_->main, LabelField);
    ::SendMessageW(state_->main, WM_COMMAND, MAKEWPARAM(LabelField, EN_SETFOCUS),
                   reinterpret_cast<LPARAM>(label));
    for (const wchar_t* typed : {L"u", L"up", L"upl", L"uplink"}) ::SetWindowTextW(label, typed);
    ::SendMessageW(state_->main, WM_COMMAND, MAKEWPARAM(LabelField, EN_KILLFOCUS),
                   reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(state_->map.switches[0].ports[3].label, "uplink");
    EXPECT_EQ(state_->history.undo_depth(), 1u);
    command(EditUndo);
    EXPECT_EQ(state_->map.switches[0].ports[3].label, "4");
}

TEST_F(CommandsTest, SelectAllClearCopyAndPasteWorkOnTheCurrentSwitch) {
    select({{0, 0}});
    command(EditCopyPortVlans);
    select({{1, 5}});
    command(EditPastePortVlans);
    EXPECT_EQ(state_->map.switches[1].ports[5].untagged, 10);
    command(EditSelectAllOnSwitch);
    EXPECT_EQ(state_->canvas.selection().ports().size(), 8u);
    command(EditClearVlans);
    EXPECT_EQ(state_->map.switches[1].ports[5].untagged, std::nullopt);
    EXPECT_EQ(state_->map.switches[0].ports[0].untagged, 10); // the other switch is untouched
}

TEST_F(CommandsTest, AFailedSaveLeavesTheOldFileWholeAndTheDocumentChanged) {
    auto path = temp_folder() / "locked.quarn";
    std::filesystem::remove(path);
    { std::ofstream(path, std::ios::binary) << "old content"; }
    state_->path = path;
    select({{0, 0}});
    command(EditClearVlans);

    // Another program holds the file open without sharing delete access, so it
    // cannot be replaced.
    HANDLE holder =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::wstring said;
    {
        Script script({[&] {
            said = message_text();
            answer_message(0);
        }});
        command(FileSave);
    }
    ::CloseHandle(holder);
    EXPECT_EQ(said.rfind(L"Could not save " + path.wstring() + L": ", 0), 0u) << win::narrow(said);
    EXPECT_EQ(read_file(path), "old content");
    EXPECT_FALSE(std::filesystem::exists(path.wstring() + L".quarn-save"));
    EXPECT_EQ(title(), L"locked.quarn* - Quarn");

    command(FileSave); // free again: now it saves
    EXPECT_EQ(read_file(path), save_map(state_->map));
    EXPECT_EQ(title(), L"locked.quarn - Quarn");
}

TEST_F(CommandsTest, ARecentFileThatHasGoneGivesTheOpenError) {
    auto gone = temp_folder() / "gone.quarn";
    std::filesystem::remove(gone);
    state_->config.recent = {gone.string()};
    std::wstring said;
    Script script({[&] {
        said = message_text();
        answer_message(0);
    }});
    command(RecentFirst);
    EXPECT_EQ(said.rfind(L"Could not open " + gone.wstring() + L":\n", 0), 0u) << win::narrow(said);
    EXPECT_EQ(state_->map, two_switch_map());
}

TEST_F(CommandsTest, ViewAndThemeChoicesAreStoredInTheSettings) {
    command(ViewBreakdown);
    command(ViewShowUnused);
    EXPECT_EQ(state_->view, (ViewMode{ViewKind::VlanBreakdown, true}));
    EXPECT_TRUE(state_->config.breakdown);
    command(ViewThemeDark);
    EXPECT_EQ(state_->config.theme, ThemeChoice::Dark);
    std::string saved = read_file(temp_folder() / "settings" / "config.json");
    EXPECT_NE(saved.find("\"theme\": \"dark\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"breakdown\": true"), std::string::npos) << saved;

    // The topology is stored too, and unused VLANs stay a choice of the
    // breakdown that the topology neither shows nor changes.
    command(ViewTopology);
    command(ViewShowUnused);
    EXPECT_EQ(state_->view, (ViewMode{ViewKind::Topology, true}));
    const Config stored = load_config(temp_folder() / "settings");
    EXPECT_TRUE(stored.topology);
    EXPECT_FALSE(stored.breakdown);
    EXPECT_TRUE(stored.show_unused);

    command(ViewThemeLight);
    command(ViewFrontPanel);
    EXPECT_EQ(state_->view.kind, ViewKind::FrontPanel);
    EXPECT_FALSE(load_config(temp_folder() / "settings").topology);
}

std::filesystem::path current_folder() {
    wchar_t folder[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH + 1, folder);
    return folder;
}

TEST_F(CommandsTest, AMapOpenedByARelativePathIsSavedWhereItWasOpened) {
    auto home = temp_folder() / "relative";
    auto elsewhere = temp_folder() / "elsewhere";
    std::filesystem::remove_all(home);
    std::filesystem::remove_all(elsewhere);
    std::filesystem::create_directories(home / "maps");
    std::filesystem::create_directories(elsewhere / "maps");
    auto original = home / "maps" / "site.quarn";
    { std::ofstream(original, std::ios::binary) << save_map(two_switch_map()); }
    auto started_in = current_folder();
    ASSERT_TRUE(::SetCurrentDirectoryW(home.c_str()));

    ASSERT_TRUE(open_document(*state_, "maps\\site.quarn"));
    EXPECT_EQ(state_->path, original);
    EXPECT_EQ(state_->config.recent.front(), original.string());

    // Save As elsewhere through the system's dialog leaves the working folder.
    auto copy = elsewhere / "copy.quarn";
    {
        Script script({[&] { confirm_save_dialog(copy); }}, 200);
        command(FileSaveAs);
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(read_file(copy), save_map(two_switch_map()));
    EXPECT_EQ(current_folder(), home);

    // Even when the working folder moves, Save goes to the file opened.
    ASSERT_TRUE(open_document(*state_, "maps\\site.quarn"));
    ASSERT_TRUE(::SetCurrentDirectoryW(elsewhere.c_str()));
    select({{0, 0}});
    command(EditClearVlans);
    command(FileSave);
    EXPECT_EQ(read_file(original), save_map(state_->map));
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "maps" / "site.quarn"));
    ::SetCurrentDirectoryW(started_in.c_str());
}

// About, its licence viewer and the update window are the state's own, and
// the program's message loop gives each its keys.
TEST_F(CommandsTest, TheOneInstanceWindowsBelongToTheStateAndTakeTheirKeysFromTheLoop) {
    auto escape_in = [this](HWND window) {
        MSG msg{window, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        return take_message(state_, nullptr, msg);
    };
    command(HelpAbout);
    HWND about = state_->about.hwnd();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(::GetWindow(about, GW_OWNER), state_->main);
    command(HelpAbout);
    EXPECT_EQ(state_->about.hwnd(), about) << "one About";

    // The update service shows its status in the open About.
    HWND updates_row = ::GetDlgItem(about, dialogs::k_about_updates_text);
    state_->about.set_updates_text(L"stale");
    state_->update->refresh_views();
    EXPECT_EQ(window_text(updates_row), win::widen(update::about_updates_text(state_->update->status())));

    // Its "Updates:" link opens the service's window through the main window.
    ::SendMessageW(about, WM_COMMAND, MAKEWPARAM(dialogs::k_about_updates_text, BN_CLICKED), 0);
    HWND updates = state_->update->window().hwnd();
    ASSERT_NE(updates, nullptr);
    EXPECT_EQ(::GetWindow(updates, GW_OWNER), state_->main);
    EXPECT_TRUE(escape_in(::GetDlgItem(updates, IDCANCEL)));
    EXPECT_EQ(state_->update->window().hwnd(), nullptr);

    // License fills the state's viewer, which Changes Since Saved shares.
    ::SendMessageW(about, WM_COMMAND, MAKEWPARAM(dialogs::k_about_license, BN_CLICKED), 0);
    HWND viewer = state_->viewer.hwnd();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(window_text(viewer), L"License");
    state_->map.site = "HQ";
    command(ViewChangesSinceSaved);
    EXPECT_EQ(state_->viewer.hwnd(), viewer);
    EXPECT_EQ(window_text(viewer), L"Changes Since Saved");

    EXPECT_TRUE(escape_in(::GetDlgItem(viewer, dialogs::k_text_viewer_edit_id)));
    EXPECT_EQ(state_->viewer.hwnd(), nullptr);
    EXPECT_EQ(state_->about.hwnd(), about);
    EXPECT_TRUE(escape_in(::GetDlgItem(about, IDCANCEL)));
    EXPECT_EQ(state_->about.hwnd(), nullptr);
}

TEST_F(CommandsTest, ChangesSinceSavedShowsTheChangeLinesOnlyWhenThereAreChanges) {
    command(ViewChangesSinceSaved); // F6 with nothing changed: no viewer
    EXPECT_EQ(state_->viewer.hwnd(), nullptr);

    select({{0, 0}, {1, 1}});
    command(EditClearVlans);
    state_->map.site = "HQ";
    command(ViewChangesSinceSaved);
    ASSERT_NE(state_->viewer.hwnd(), nullptr);
    EXPECT_EQ(window_text(state_->viewer.hwnd()), L"Changes Since Saved");
    EXPECT_EQ(viewer_text(), L"map: site \"\" \u2192 \"HQ\"\r\ncore port 1: untagged 10 \u2192 none\r\n");
    ::DestroyWindow(state_->viewer.hwnd());
}

TEST_F(CommandsTest, WhereIsThisVlanListsTheReachFirstThenThePortsThatCarryIt) {
    state_->selected_vlan = 10;
    command(ViewWhereIsVlan);
    ASSERT_NE(state_->viewer.hwnd(), nullptr);
    EXPECT_EQ(window_text(state_->viewer.hwnd()), L"Where Is VLAN 10");
    std::string expected;
    for (const std::string& line : vlan_where_lines(state_->map, 10, WhereOrder::ReachFirst))
        expected += line + "\r\n";
    EXPECT_EQ(viewer_text(), win::widen(expected));
    EXPECT_NE(viewer_text().find(L"port 1: untagged"), std::wstring::npos) << viewer_text();
    ::DestroyWindow(state_->viewer.hwnd());
}

TEST_F(CommandsTest, CompareWithFileShowsWhatTheOpenMapChangesOrWhyTheFileCannotBeRead) {
    auto path = temp_folder() / "other.quarn";
    Map other = two_switch_map();
    other.vlans.pop_back();
    other.switches[1].name = "access";
    { std::ofstream(path, std::ios::binary) << save_map(other); }
    compare_with_map_file(*state_, path);
    ASSERT_NE(state_->viewer.hwnd(), nullptr);
    EXPECT_EQ(window_text(state_->viewer.hwnd()), L"Changes From other.quarn");
    EXPECT_EQ(viewer_text(),
              L"VLAN 20 added: name \"Voice\", colour #fb8c00\r\nswitch edge: name access \u2192 edge\r\n");
    ::DestroyWindow(state_->viewer.hwnd());

    // The same map: the viewer says so.
    { std::ofstream(path, std::ios::binary) << save_map(state_->map); }
    compare_with_map_file(*state_, path);
    EXPECT_EQ(viewer_text(), L"No changes.");
    ::DestroyWindow(state_->viewer.hwnd());

    { std::ofstream(path, std::ios::binary) << "{\"format\": 2}"; }
    std::wstring said;
    {
        Script script({[&] {
            said = message_text();
            answer_message(0);
        }});
        compare_with_map_file(*state_, path);
    }
    EXPECT_EQ(said, L"Could not open " + path.wstring() +
                        L":\nThis map uses file format 2. Update Quarn to open it.");
    EXPECT_EQ(state_->viewer.hwnd(), nullptr);
    EXPECT_EQ(state_->map, two_switch_map());
}

TEST_F(CommandsTest, ImportConfigurationAddsTheSwitchAsOneUndoStep) {
    std::wstring summary;
    std::wstring preview;
    Script script({[&] {
        HWND dialog = ::FindWindowW(dialogs::k_import_window_class, nullptr);
        ASSERT_NE(dialog, nullptr);
        // Pasted: the edit tells the dialog of the new text.
        ::SendMessageW(::GetDlgItem(dialog, dialogs::k_import_text), EM_REPLACESEL, TRUE,
                       reinterpret_cast<LPARAM>(
                           L"hostname acc-1\r\nvlan 10\r\n name Data\r\ninterface GigabitEthernet1/0/1\r\n"
                           L" switchport access vlan 10\r\ninterface GigabitEthernet1/0/2\r\n shutdown\r\n"));
        summary = window_text(::GetDlgItem(dialog, dialogs::k_import_summary));
        preview = window_text(::GetDlgItem(dialog, dialogs::k_import_preview));
        ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }});
    command(SwitchImport);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(summary, L"Will import 2 ports and 2 VLANs as acc-1");
    EXPECT_EQ(preview, L"VLAN 1 added: name \"default\", colour #2e7d32\r\n"
                       L"switch acc-1 added: layout Rj45 1x2 OddTop block 6 gap 1\r\n"
                       L"acc-1 port Gi1/0/1 added: untagged 10\r\n"
                       L"acc-1 port Gi1/0/2 added: untagged 1, disabled yes\r\n");
    ASSERT_EQ(state_->map.switches.size(), 3u);
    const Switch& imported = state_->map.switches[2];
    EXPECT_EQ(imported.name, "acc-1");
    ASSERT_EQ(imported.ports.size(), 2u);
    EXPECT_EQ(imported.ports[0].label, "Gi1/0/1");
    EXPECT_EQ(imported.ports[1].disabled, true);
    EXPECT_EQ(state_->last_switch, std::optional<std::size_t>(2));
    EXPECT_EQ(title(), L"Untitled* - Quarn");

    command(EditUndo);
    EXPECT_EQ(state_->map, two_switch_map());
    EXPECT_FALSE(state_->history.can_undo());

    // Cancel changes nothing.
    Script cancel({[&] {
        HWND dialog = ::FindWindowW(dialogs::k_import_window_class, nullptr);
        ASSERT_NE(dialog, nullptr);
        ::SendMessageW(::GetDlgItem(dialog, dialogs::k_import_text), EM_REPLACESEL, TRUE,
                       reinterpret_cast<LPARAM>(L"hostname x\r\nvlan 30\r\n"));
        ::SendMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    }});
    command(SwitchImport);
    EXPECT_TRUE(cancel.finished());
    EXPECT_EQ(state_->map, two_switch_map());
}

// A switch's session as an admin saves it: its configuration and its LLDP
// neighbours, under prompts.
std::string session_text(const std::string& host, const std::string& port, const std::string& neighbour,
                         const std::string& neighbour_port) {
    return host + "#show running-config\nhostname " + host + "\nvlan 10\n name Data\ninterface " + port +
           "\n switchport mode trunk\n" + host +
           "#show lldp neighbors detail\n------------------------------------------------\nLocal Intf: " +
           port + "\nChassis id: 0000.0000.0001\nPort id: " + neighbour_port + "\nSystem Name: " + neighbour +
           "\n\nTotal entries displayed: 1\n" + host + "#";
}

TEST_F(CommandsTest, ImportOfSeveralFilesBuildsTheCampusAsOneUndoStep) {
    auto folder = temp_folder() / "campus";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    quarn::testing::write_file(folder / "dist.txt",
                               session_text("dist", "GigabitEthernet1/0/1", "acc", "Gi1/0/24"));
    quarn::testing::write_file(folder / "acc.txt",
                               session_text("acc", "GigabitEthernet1/0/24", "dist", "Gi1/0/1"));

    std::wstring label;
    std::wstring summary;
    std::wstring preview;
    bool update_enabled = true;
    Script script({[&] {
        HWND dialog = ::FindWindowW(dialogs::k_import_window_class, nullptr);
        ASSERT_NE(dialog, nullptr);
        label = window_text(::GetDlgItem(dialog, dialogs::k_import_text_label));
        summary = window_text(::GetDlgItem(dialog, dialogs::k_import_summary));
        preview = window_text(::GetDlgItem(dialog, dialogs::k_import_preview));
        update_enabled = ::IsWindowEnabled(::GetDlgItem(dialog, dialogs::k_import_update)) != FALSE;
        ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }});
    open_import_with_files(*state_, {folder / "dist.txt", folder / "acc.txt"});
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(label, L"Files:");
    EXPECT_FALSE(update_enabled);
    EXPECT_EQ(summary, L"Will add 2 switches, update 0 switches and make 1 link");
    EXPECT_NE(preview.find(L"Links:\r\n  dist Gi1/0/1 \u2194 acc Gi1/0/24\r\n"), std::wstring::npos)
        << win::narrow(preview);
    ASSERT_EQ(state_->map.switches.size(), 4u);
    std::size_t dist = state_->map.switches[2].name == "dist" ? 2 : 3;
    const Switch& added = state_->map.switches[dist];
    EXPECT_EQ(added.name, "dist");
    EXPECT_EQ(added.ports[0].link, (PortPeer{"acc", "Gi1/0/24"}));
    EXPECT_EQ(state_->last_switch, std::optional<std::size_t>(2));
    EXPECT_EQ(title(), L"Untitled* - Quarn");

    command(EditUndo);
    EXPECT_EQ(state_->map, two_switch_map());
    EXPECT_FALSE(state_->history.can_undo());

    // The folder, cancelled: nothing changes.
    Script cancel({[&] {
        HWND dialog = ::FindWindowW(dialogs::k_import_window_class, nullptr);
        ASSERT_NE(dialog, nullptr);
        summary = window_text(::GetDlgItem(dialog, dialogs::k_import_summary));
        ::SendMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    }});
    open_import_with_files(*state_, {folder});
    EXPECT_TRUE(cancel.finished());
    EXPECT_EQ(summary, L"Will add 2 switches, update 0 switches and make 1 link");
    EXPECT_EQ(state_->map, two_switch_map());
    EXPECT_FALSE(state_->history.can_undo());
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace quarn::app
