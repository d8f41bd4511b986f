#include "dialogs/import_dialog.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "dialogs/form_fields.hpp"
#include "dialogs/tests/dialog_test.hpp"
#include "ops/switch_ops.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "theme/fonts.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Script;
using Texts = std::vector<std::wstring>;

const Expected k_table[] = {
    {109, L"Configuration:", 14, 12, 300, 18, L"Static"},
    {101, L"", 14, 32, 600, 240, L"Edit", 8 << 20},
    {102, L"Open File...", 624, 32, 110, 26, L"Button"},
    {110, L"Open Folder...", 624, 64, 110, 26, L"Button"},
    {0, L"Dialect:", 14, 290, 80, 18, L"Static"},
    {103, L"", 100, 286, 250, 200, L"ComboBox"},
    {0, L"Import As:", 14, 322, 80, 18, L"Static"},
    {105, L"New switch", 100, 320, 150, 22, L"Button"},
    {106, L"Update the current switch", 256, 320, 260, 22, L"Button"},
    {0, L"Neighbours:", 14, 350, 80, 18, L"Static"},
    {111, L"Replace links they contradict", 100, 348, 250, 22, L"Button"},
    {112, L"Describe empty ports by the neighbours outside the map", 356, 346, 378, 32, L"Button"},
    {1, L"OK", 570, 596, 80, 26, L"Button"},
    {2, L"Cancel", 654, 596, 80, 26, L"Button"},
};

constexpr wchar_t k_cisco[] = L"hostname acc-1\r\nvlan 10\r\n name Data\r\n"
                              L"interface GigabitEthernet1/0/1\r\n switchport access vlan 10\r\n";

HWND dialog() {
    return find(k_import_window_class);
}

// As a paste replaces the whole text: a multi-line edit tells of text set
// with WM_SETTEXT to nobody.
void paste(HWND d, const wchar_t* text) {
    ::SendMessageW(item(d, k_import_text), EM_SETSEL, 0, -1);
    ::SendMessageW(item(d, k_import_text), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

bool enabled(int id) {
    return ::IsWindowEnabled(item(dialog(), id)) != FALSE;
}

ImportDialogInput one_switch() {
    ImportDialogInput input;
    input.map.switches = {make_switch("acc-1", "", "", SwitchLayoutInput{"", 2, 1})};
    input.map.switches[0].ports[0].label = "Gi1/0/1";
    input.current_switch = 0;
    return input;
}

std::filesystem::path temp_file(const char* name, std::string_view bytes) {
    auto path = quarn::testing::temp_folder("quarn import dialog test") / name;
    quarn::testing::write_file(path, bytes);
    return path;
}

using ImportDialogTest = DialogTest;

TEST_F(ImportDialogTest, PreviewFollowsTextAndChoicesAndOkReturnsWhatItShowed) {
    ImportDialogInput input = one_switch();
    Script script(
        {[&] {
             HWND d = expect_open(k_import_window_class, L"Import Configuration", {0, 0, 764, 674}, k_table);
             ASSERT_NE(d, nullptr);
             EXPECT_EQ(::GetFocus(), item(d, k_import_text));
             EXPECT_EQ(entries(d, k_import_dialect),
                       (Texts{L"Detect automatically", L"Cisco IOS, IOS-XE, Arista EOS", L"Cisco NX-OS",
                              L"HPE ArubaOS-Switch, ProCurve", L"HPE Comware, H3C", L"Juniper Junos",
                              L"HPE Aruba AOS-CX", L"Dell EMC SmartFabric OS10",
                              L"Dell OS6, N-series, PowerConnect", L"Cisco SB, CBS, Catalyst 1200/1300",
                              L"Allied Telesis AlliedWare Plus", L"Ubiquiti EdgeSwitch, NETGEAR",
                              L"Ruckus ICX, Brocade FastIron", L"Huawei VRP", L"MikroTik RouterOS",
                              L"Extreme Networks EXOS"}));
             EXPECT_EQ(chosen(d, k_import_dialect), L"Detect automatically");
             EXPECT_TRUE(is_checked(d, k_import_new));
             EXPECT_TRUE(enabled(k_import_update));
             EXPECT_FALSE(enabled(IDOK));
             EXPECT_EQ(field(d, k_import_summary),
                       L"Paste the switch's configuration (show running-config) or open its file.");

             // The paste field: fixed pitch, Enter a new line, Tab and Escape for the dialog, Ctrl+A all.
             HWND edit = item(d, k_import_text);
             EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0)),
                       theme::code_font(dpi_of(d), theme::k_text_size));
             auto wants = [&](WPARAM key) {
                 MSG msg{edit, WM_KEYDOWN, key, 0, 0, {}};
                 return ::SendMessageW(edit, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg)) &
                        DLGC_WANTALLKEYS;
             };
             EXPECT_TRUE(wants(VK_RETURN));
             EXPECT_FALSE(wants(VK_TAB));
             EXPECT_FALSE(wants(VK_ESCAPE));
             EXPECT_EQ(::GetWindowLongPtrW(edit, GWL_STYLE) &
                           (ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL),
                       ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL);

             paste(d, k_cisco);
             EXPECT_EQ(field(d, k_import_found), L"Read as Cisco IOS (assumed)");
             EXPECT_EQ(field(d, k_import_summary), L"Will import 1 ports and 1 VLANs as acc-1 (2)");
             EXPECT_EQ(field(d, k_import_preview),
                       L"VLAN 10 added: name \"Data\", colour #2e7d32\r\n"
                       L"switch acc-1 (2) added: layout Rj45 1x1 OddTop block 6 gap 1\r\n"
                       L"acc-1 (2) port Gi1/0/1 added: untagged 10\r\n");
             EXPECT_TRUE(enabled(IDOK));
             ::SendMessageW(edit, WM_CHAR, 1, 0);
             DWORD start = 0;
             DWORD end = 0;
             ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
             EXPECT_EQ(start, 0u);
             EXPECT_EQ(end, std::wstring_view(k_cisco).size());

             choose(d, k_import_dialect, 5); // Junos finds nothing here
             EXPECT_EQ(field(d, k_import_found), L"Found: Cisco IOS");
             EXPECT_EQ(field(d, k_import_summary), L"No ports or VLANs found when read as Junos.");
             EXPECT_FALSE(enabled(IDOK));
             ::SetFocus(item(d, k_import_dialect));
             press_key(VK_RETURN); // from the list: OK stays refused
         },
         [&] {
             HWND d = dialog();
             ASSERT_NE(d, nullptr);
             choose(d, k_import_dialect, 0);
             toggle(d, k_import_update);
             EXPECT_EQ(field(d, k_import_summary), L"Will import 1 ports and 1 VLANs into acc-1");
             EXPECT_EQ(field(d, k_import_preview), L"VLAN 10 added: name \"Data\", colour #2e7d32\r\n"
                                                   L"acc-1 port Gi1/0/1: untagged none \u2192 10\r\n");
             click(d, IDOK);
         }});
    auto form = run_import_dialog(owner_, input);
    EXPECT_TRUE(script.finished());
    ASSERT_TRUE(form.has_value());
    std::string utf8 =
        "hostname acc-1\r\nvlan 10\r\n name Data\r\ninterface GigabitEthernet1/0/1\r\n switchport "
        "access vlan 10\r\n";
    EXPECT_EQ(*form, *preview_import(input, utf8, {std::nullopt, ImportTarget::CurrentSwitch, ""}).form);
}

TEST_F(ImportDialogTest, OpenFileReadsTextFilesAndRefusesOthersKeepingTheField) {
    // What Windows PowerShell writes for "show run > closet-confg.txt": UTF-16 with its mark, LF only.
    std::string utf16 = "\xff\xfe";
    for (char c : std::string_view("vlan 1\n untagged 1-2\nvlan 30\n tagged 2\n")) utf16 += {c, '\0'};
    auto text_file = temp_file("closet-confg.txt", utf16);
    auto binary = temp_file("photo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    std::vector<std::filesystem::path> picks = {text_file, binary};
    ImportChoosers choosers;
    choosers.files = [&](HWND) -> std::vector<std::filesystem::path> {
        if (picks.empty()) return {};
        auto next = picks.front();
        picks.erase(picks.begin());
        return {next};
    };
    ImportDialogInput no_switch;
    Messages messages;
    std::wstring after_refusal;
    Script script(
        {[&] {
             EXPECT_FALSE(enabled(k_import_update)); // nothing to update
             click(dialog(), k_import_open);
         },
         [&] {
             HWND d = dialog();
             EXPECT_EQ(field(d, k_import_text), L"vlan 1\r\n untagged 1-2\r\nvlan 30\r\n tagged 2\r\n");
             EXPECT_EQ(field(d, k_import_found), L"Read as ArubaOS-Switch (assumed)");
             EXPECT_EQ(field(d, k_import_summary), L"Will import 2 ports and 2 VLANs as closet-confg");
             click(d, k_import_open);
         },
         messages.answer(0),
         [&] {
             after_refusal = field(dialog(), k_import_text);
             click(dialog(), k_import_open); // cancelled: nothing happens
         },
         [&] { press_key(VK_ESCAPE); }});
    EXPECT_EQ(run_import_dialog(owner_, no_switch, choosers), std::nullopt);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(messages.texts, Texts{L"Could not open " + binary.wstring() +
                                    L":\nIt holds binary data, not configuration text."});
    EXPECT_EQ(after_refusal, L"vlan 1\r\n untagged 1-2\r\nvlan 30\r\n tagged 2\r\n");
}

TEST_F(ImportDialogTest, PastedLineBreaksBecomeCrLf) {
    if (!::OpenClipboard(owner_)) GTEST_SKIP() << "the clipboard cannot be opened here";
    std::wstring text = L"hostname a\nvlan 10\rvlan 20\r\n";
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::EmptyClipboard();
    bool set = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!set) GTEST_SKIP() << "the clipboard takes no text here";
    std::wstring pasted;
    Script script({[&] {
        HWND d = dialog();
        ::SendMessageW(item(d, k_import_text), WM_PASTE, 0, 0);
        pasted = field(d, k_import_text);
        press_key(VK_ESCAPE);
    }});
    EXPECT_EQ(run_import_dialog(owner_, one_switch()), std::nullopt);
    EXPECT_EQ(pasted, L"hostname a\r\nvlan 10\r\nvlan 20\r\n");
}

// A switch's configuration with one trunk, and the LLDP neighbour on it.
std::string session(const std::string& host, const std::string& port, const std::string& neighbour,
                    const std::string& neighbour_port) {
    return "hostname " + host + "\ninterface " + port + "\n switchport mode trunk\n" +
           "------------------------------------------------\nLocal Intf: " + port +
           "\nChassis id: 0000.0000.0001\nPort id: " + neighbour_port + "\nSystem Name: " + neighbour +
           "\n\nTotal entries displayed: 1\n";
}

TEST_F(ImportDialogTest, SeveralFilesOrAFolderAreReadAsACampusAndOneFileAsItsText) {
    auto dist = temp_file("dist.txt", session("dist", "GigabitEthernet1/0/1", "acc", "Gi1/0/24"));
    auto acc = temp_file("acc.txt", session("acc", "GigabitEthernet1/0/24", "dist", "Gi1/0/1"));
    auto folder = dist.parent_path() / "campus";
    std::filesystem::create_directories(folder);
    quarn::testing::write_file(folder / "dist.txt",
                               session("dist", "GigabitEthernet1/0/1", "acc", "Gi1/0/24"));

    ImportChoosers choosers;
    choosers.files = [&](HWND) { return std::vector<std::filesystem::path>{dist, acc}; };
    choosers.folder = [&](HWND) -> std::optional<std::filesystem::path> { return folder; };
    ImportDialogInput input = one_switch();
    Script script(
        {[&] {
             HWND d = dialog();
             EXPECT_FALSE(enabled(k_import_replace)); // neighbour choices wait for several files
             click(d, k_import_open);
         },
         [&] {
             HWND d = dialog();
             EXPECT_EQ(field(d, k_import_text_label), L"Files:");
             EXPECT_EQ(field(d, k_import_text), L"dist.txt\r\nacc.txt\r\n");
             EXPECT_TRUE(::GetWindowLongPtrW(item(d, k_import_text), GWL_STYLE) & ES_READONLY);
             EXPECT_FALSE(enabled(k_import_new));
             EXPECT_FALSE(enabled(k_import_update));
             EXPECT_TRUE(enabled(k_import_replace));
             EXPECT_TRUE(enabled(k_import_describe));
             EXPECT_EQ(field(d, k_import_found), L"Found: 2 configurations and 2 neighbour lists in 2 files");
             EXPECT_EQ(field(d, k_import_summary), L"Will add 2 switches, update 0 switches and make 1 link");
             EXPECT_EQ(field(d, k_import_preview),
                       L"Files:\r\n"
                       L"  dist.txt: adds dist (Cisco IOS, 1 port, 1 VLAN, 1 neighbour)\r\n"
                       L"  acc.txt: adds acc (Cisco IOS, 1 port, 1 VLAN, 1 neighbour)\r\n"
                       L"Links:\r\n"
                       L"  dist Gi1/0/1 \u2194 acc Gi1/0/24\r\n");
             EXPECT_TRUE(enabled(IDOK));
             // A folder of one file: neighbours of a switch the map lacks, nothing to take.
             click(d, k_import_folder);
         },
         [&] {
             HWND d = dialog();
             EXPECT_EQ(field(d, k_import_text), L"dist.txt\r\n");
             EXPECT_EQ(field(d, k_import_summary), L"Will add 1 switch, update 0 switches and make 0 links");
             // One file chosen again: back to its text, as before.
             choosers.files = [&](HWND) { return std::vector<std::filesystem::path>{acc}; };
             click(d, k_import_open);
         },
         [&] {
             HWND d = dialog();
             EXPECT_EQ(field(d, k_import_text_label), L"Configuration:");
             EXPECT_FALSE(::GetWindowLongPtrW(item(d, k_import_text), GWL_STYLE) & ES_READONLY);
             EXPECT_TRUE(enabled(k_import_update));
             EXPECT_FALSE(enabled(k_import_replace));
             EXPECT_EQ(field(d, k_import_summary), L"Will import 1 ports and 1 VLANs as acc");
             choosers.files = [&](HWND) { return std::vector<std::filesystem::path>{dist, acc}; };
             click(d, k_import_open);
         },
         [&] { click(dialog(), IDOK); }});
    auto form = run_import_dialog(owner_, input, choosers);
    EXPECT_TRUE(script.finished());
    ASSERT_TRUE(form.has_value());
    ASSERT_TRUE(form->campus.has_value());
    ASSERT_EQ(form->campus->switches.size(), 3u);
    EXPECT_EQ(form->first_added, std::optional<std::size_t>(1));
    std::filesystem::remove_all(folder);
}

TEST_F(ImportDialogTest, PathsGivenAtTheStartOpenAsIfChosen) {
    auto dist = temp_file("dist.txt", session("dist", "GigabitEthernet1/0/1", "acc", "Gi1/0/24"));
    auto acc = temp_file("acc.txt", session("acc", "GigabitEthernet1/0/24", "dist", "Gi1/0/1"));
    struct Case {
        const char* name;
        std::vector<std::filesystem::path> paths;
        const wchar_t* label;
        const wchar_t* summary;
    };
    const Case cases[] = {
        {"one file", {dist}, L"Configuration:", L"Will import 1 ports and 1 VLANs as dist"},
        {"two files", {dist, acc}, L"Files:", L"Will add 2 switches, update 0 switches and make 1 link"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring label;
        std::wstring summary;
        Script script({[&] {
            label = field(dialog(), k_import_text_label);
            summary = field(dialog(), k_import_summary);
            press_key(VK_ESCAPE);
        }});
        EXPECT_EQ(run_import_dialog(owner_, ImportDialogInput{}, {}, c.paths), std::nullopt);
        EXPECT_TRUE(script.finished());
        EXPECT_EQ(label, c.label);
        EXPECT_EQ(summary, c.summary);
    }
}

} // namespace
} // namespace quarn::dialogs
