#include "dialogs/switch_dialog.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

#include "dialogs/switch_preview.hpp"
#include "dialogs/tests/dialog_test.hpp"
#include "test_support/dib.hpp"
#include "test_support/script.hpp"
#include "theme/theme.hpp"

namespace quarn::dialogs {
namespace {

using namespace testing;
using quarn::testing::Dib;
using quarn::testing::Script;

const Expected k_table[] = {
    {0, L"&Name:", 14, 16, 80, 18, L"Static"},
    {101, L"", 100, 12, 200, 24, L"Edit", 60},
    {0, L"&Model:", 14, 48, 80, 18, L"Static"},
    {102, L"", 100, 44, 200, 24, L"Edit", 60},
    {0, L"&Location:", 14, 80, 80, 18, L"Static"},
    {103, L"", 100, 76, 200, 24, L"Edit", 60},
    {0, L"&Template:", 14, 112, 80, 18, L"Static"},
    {104, L"", 100, 108, 200, 260, L"ComboBox"},
    {0, L"&Ports:", 330, 16, 110, 18, L"Static"},
    {105, L"24", 446, 12, 60, 24, L"Edit", 3},
    {0, L"S&FP Uplinks:", 330, 48, 110, 18, L"Static"},
    {106, L"0", 446, 44, 60, 24, L"Edit", 3},
    {0, L"&Dual-Personality Ports:", 330, 80, 116, 18, L"Static"},
    {111, L"0", 446, 76, 60, 24, L"Edit", 3},
    {0, L"&Rows:", 330, 112, 110, 18, L"Static"},
    {107, L"2", 446, 108, 60, 24, L"Edit", 3},
    {0, L"&Gap Every (Columns):", 330, 144, 116, 18, L"Static"},
    {108, L"6", 446, 140, 60, 24, L"Edit", 3},
    {0, L"Label Pr&efix:", 330, 176, 110, 18, L"Static"},
    {109, L"", 446, 172, 128, 24, L"Edit", 20},
    {110, L"Number Row by Row (Otherwise Odd Ports on Top)", 14, 174, 306, 32, L"Button"},
    {112, L"", 14, 208, 560, 126, L"QuarnPreview"},
    {1, L"OK", 410, 346, 80, 26, L"Button"},
    {2, L"Cancel", 494, 346, 80, 26, L"Button"},
};

HWND dialog() {
    return find(k_switch_window_class);
}

const Switch& preview_switch() {
    static const Switch none;
    const SwitchPreview* preview = SwitchPreview::of(item(dialog(), k_switch_preview));
    if (preview == nullptr) return none;
    const auto& model = preview->model();
    return model && !model->switches.empty() ? model->switches.front() : none;
}

using SwitchDialogTest = DialogTest;

TEST_F(SwitchDialogTest, AddShowsTheTableWithTheDefaults) {
    Script script({[&] {
        HWND d = expect_open(k_switch_window_class, L"Add Switch", {0, 0, 604, 424}, k_table);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(entries(d, k_switch_template),
                  (std::vector<std::wstring>{L"Custom", L"8 Ports + 2 SFP", L"16 Ports + 2 SFP",
                                             L"24 Ports + 2 SFP", L"24 Ports + 4 SFP", L"48 Ports + 2 SFP",
                                             L"48 Ports + 4 SFP"}));
        EXPECT_EQ(chosen(d, k_switch_template), L"Custom");
        EXPECT_EQ(::IsDlgButtonChecked(d, k_switch_row_by_row), BST_UNCHECKED);
        EXPECT_EQ(::GetFocus(), item(d, k_switch_name));
        for (int id : {105, 106, 111, 107, 108})
            EXPECT_EQ(::GetWindowLongPtrW(item(d, id), GWL_STYLE) & ES_NUMBER, ES_NUMBER) << id;
        EXPECT_EQ(::GetWindowLongPtrW(item(d, k_switch_preview), GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
                  WS_EX_CLIENTEDGE);
        // The preview shows the default switch, named "Switch" until named.
        EXPECT_EQ(preview_switch().name, "Switch");
        EXPECT_EQ(preview_switch().ports.size(), 24u);
        click(d, IDCANCEL);
    }});
    EXPECT_EQ(run_switch_dialog(owner_, nullptr), std::nullopt);
    EXPECT_TRUE(script.finished());
}

TEST_F(SwitchDialogTest, EditShowsTheSwitchAndEnterAcceptsIt) {
    Switch existing = make_switch("core", "Rack 1", "C9300", {"Gi1/0/", 48, 2, 6, 4, 4, true});
    std::vector<std::wstring> seen;
    Script script({[&] {
        HWND d = dialog();
        ASSERT_NE(d, nullptr);
        seen = {text_of(d)};
        for (int id : {101, 102, 103, 105, 106, 111, 107, 108, 109}) seen.push_back(field(d, id));
        seen.push_back(chosen(d, k_switch_template));
        EXPECT_EQ(::IsDlgButtonChecked(d, k_switch_row_by_row), BST_CHECKED);
        press_key(VK_RETURN);
    }});
    auto form = run_switch_dialog(owner_, &existing);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Edit Switch", L"core", L"C9300", L"Rack 1", L"48", L"4",
                                               L"4", L"2", L"6", L"Gi1/0/", L"Custom"}));
    EXPECT_EQ(form, (SwitchForm{"core", "Rack 1", "C9300", "Gi1/0/", 48, 2, 6, 4, 4, true}));
}

TEST_F(SwitchDialogTest, WarningsKeepTheDialogOpenUntilTheFormIsRight) {
    Messages messages;
    HWND d = nullptr;
    Script script({
        [&] {
            d = dialog();
            type(d, k_switch_name, L"   ");
            type(d, k_switch_ports, L"0");
            click(d, IDOK);
        },
        messages.answer(0),
        [&] {
            EXPECT_EQ(::GetFocus(), item(d, k_switch_name)); // the field to correct
            type(d, k_switch_name, L" edge ");
            click(d, IDOK);
        },
        messages.answer(0),
        [&] {
            EXPECT_EQ(::GetFocus(), item(d, k_switch_ports));
            type(d, k_switch_ports, L"200");
            type(d, k_switch_rows, L"0");
            type(d, k_switch_gap, L"0");
            click(d, IDOK);
        },
    });
    auto form = run_switch_dialog(owner_, nullptr);
    EXPECT_EQ(messages.texts, (std::vector<std::wstring>{L"Enter a name for the switch.",
                                                         L"A switch needs at least one port."}));
    EXPECT_EQ(messages.buttons.at(0), std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(form, (SwitchForm{"edge", "", "", "", 128, 1, 0, 0, 0, false}));
}

TEST_F(SwitchDialogTest, TemplatesResetTheLayoutAndThePreviewFollowsEveryField) {
    std::vector<std::wstring> after_template;
    std::vector<std::string> names;
    std::vector<std::size_t> port_counts;
    Numbering numbering = Numbering::OddTop;
    std::string first_label;
    Script script({[&] {
        HWND d = dialog();
        names.push_back(preview_switch().name);
        type(d, k_switch_name, L"lab");
        names.push_back(preview_switch().name);
        type(d, k_switch_ports, L"8");
        port_counts.push_back(preview_switch().ports.size());
        type(d, k_switch_rows, L"3");
        type(d, k_switch_dual, L"2");
        port_counts.push_back(preview_switch().ports.size()); // 3 rows of 3, and 2 dual
        toggle(d, k_switch_row_by_row);
        numbering = preview_switch().groups.at(0).numbering;
        type(d, k_switch_prefix, L"Gi");
        first_label = preview_switch().ports.at(0).label;

        choose(d, k_switch_template, 6);
        for (int id : {105, 106, 111, 107, 108}) after_template.push_back(field(d, id));
        after_template.push_back(chosen(d, k_switch_template));
        port_counts.push_back(preview_switch().ports.size());
        choose(d, k_switch_template, 0); // Custom changes nothing
        port_counts.push_back(preview_switch().ports.size());
        type(d, k_switch_sfp, L"+7");
        click(d, IDOK);
    }});
    auto form = run_switch_dialog(owner_, nullptr);
    EXPECT_EQ(names, (std::vector<std::string>{"Switch", "lab"}));
    EXPECT_EQ(port_counts, (std::vector<std::size_t>{8, 9 + 2, 48 + 4, 48 + 4}));
    EXPECT_EQ(numbering, Numbering::Rows);
    EXPECT_EQ(first_label, "Gi1");
    EXPECT_EQ(after_template,
              (std::vector<std::wstring>{L"48", L"4", L"0", L"2", L"6", L"48 Ports + 4 SFP"}));
    EXPECT_EQ(form, (SwitchForm{"lab", "", "", "Gi", 48, 2, 6, 0, 7, true}));
}

// The preview shrinks a wide switch to the window and never enlarges a
// small one; around the picture lies the window background of the theme.
TEST(SwitchPreview, ShrinksButNeverEnlargesInTheThemesColors) {
    struct Case {
        bool dark;
        std::uint16_t ports;
        COLORREF window;
        COLORREF picture;
        bool fills_width;
    };
    const Case cases[] = {
        {false, 8, RGB(0xEC, 0xEC, 0xEC), RGB(0xFF, 0xFF, 0xFF), false},
        {false, 128, RGB(0xEC, 0xEC, 0xEC), RGB(0xFF, 0xFF, 0xFF), true},
        {true, 8, RGB(0x2D, 0x2D, 0x2D), RGB(0x20, 0x20, 0x20), false},
        {true, 128, RGB(0x2D, 0x2D, 0x2D), RGB(0x20, 0x20, 0x20), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.ports << (c.dark ? " dark" : " light"));
        theme::init_theme(c.dark ? ThemeChoice::Dark : ThemeChoice::Light);
        SwitchForm form{"s", "", "", "", c.ports, 1, 0, 0, 0, false};
        Map map = preview_map(form);
        Dib dib(560, 126);
        ASSERT_TRUE(dib.valid());
        dib.fill(RGB(1, 2, 3));
        paint_preview(dib.dc(), &map, 560, 126, 96);
        EXPECT_EQ(dib.count(RGB(1, 2, 3)), 0); // every pixel painted
        EXPECT_EQ(dib.pixel(1, 1), c.picture);
        EXPECT_EQ(dib.pixel(559, 1), c.fills_width ? c.picture : c.window);
        EXPECT_EQ(dib.pixel(1, 125), c.window); // a one-row switch is wider than tall
    }
    theme::init_theme(ThemeChoice::Light);
}

// Alt with the underlined letter of a label moves to the field after it,
// as in the system's dialogs; the labels read as before.
TEST_F(SwitchDialogTest, TheLabelsAccessKeysReachTheirFields) {
    struct AccessKey {
        wchar_t letter;
        int field;
    };
    const AccessKey keys[] = {
        {L'M', k_switch_model},  {L'L', k_switch_location}, {L'T', k_switch_template}, {L'P', k_switch_ports},
        {L'F', k_switch_sfp},    {L'D', k_switch_dual},     {L'R', k_switch_rows},     {L'G', k_switch_gap},
        {L'E', k_switch_prefix}, {L'N', k_switch_name},
    };
    std::vector<std::function<void()>> steps;
    for (std::size_t i = 0; i <= std::size(keys); ++i) {
        steps.push_back([&keys, i] {
            HWND d = find(k_switch_window_class);
            ASSERT_NE(d, nullptr);
            if (i > 0) {
                EXPECT_EQ(::GetFocus(), item(d, keys[i - 1].field)) << "Alt+" << char(keys[i - 1].letter);
            }
            if (i == std::size(keys)) {
                click(d, IDCANCEL);
                return;
            }
            // What the keyboard sends for Alt+letter; the dialog's loop
            // translates it into the character its navigation looks up.
            ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, keys[i].letter, 0x20000001);
            ::PostMessageW(::GetFocus(), WM_SYSKEYUP, keys[i].letter, static_cast<LPARAM>(0xE0000001u));
        });
    }
    Script script(std::move(steps));
    EXPECT_EQ(run_switch_dialog(owner_, nullptr), std::nullopt);
    EXPECT_TRUE(script.finished());
}

} // namespace
} // namespace quarn::dialogs
