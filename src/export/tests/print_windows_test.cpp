// Prints through a real printer driver: the private CUPS server that
// cmake/cups starts has a cups-pdf queue as its default printer, which Wine
// offers as a printer of its own. This program prints two maps on it and
// writes down what each page must show; print-check then reads the PDF
// files with pdfinfo and pdftotext and holds them to that.
#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "draw/scene.hpp"
#include "export/print.hpp"
#include "model/generator/generated_map.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "theme/theme.hpp"
#include "theme/theme_colors.hpp"

namespace quarn {
namespace {

using testing::read_file;

// The CUPS folder of this build as Wine sees it (drive Z: is the root).
std::optional<std::filesystem::path> cups_root() {
    const char* unix_path = std::getenv("QUARN_CUPS_ROOT");
    if (unix_path == nullptr || *unix_path == '\0') return std::nullopt;
    return std::filesystem::path("Z:" + std::string(unix_path));
}

// pdftotext separates words by single spaces.
std::string single_spaced(const std::string& text) {
    return std::regex_replace(text, std::regex(" +"), " ");
}

std::string switch_title(const Switch& sw) {
    std::string title = sw.name;
    if (!sw.model.empty()) title += " - " + sw.model;
    if (!sw.location.empty()) title += " - " + sw.location;
    return single_spaced(title);
}

Map one_switch_map() {
    Map map;
    map.site = "Print test site";
    map.vlans = {{10, "Staff", {0x1e, 0x88, 0xe5}}, {20, "Voice", {0x43, 0xa0, 0x47}}};
    Switch sw;
    sw.name = "edge-7";
    sw.model = "Model X";
    sw.groups = {PortGroup{PortKind::Rj45, 12, 2, Numbering::OddTop, 6, 1.0f}};
    for (int i = 1; i <= 24; ++i) sw.ports.push_back(Port{.label = "p" + std::to_string(i)});
    sw.ports[0].untagged = 10;
    sw.ports[1].tagged = {20};
    map.switches.push_back(sw);
    return map;
}

// One line per check of a page: "expect COUNT TEXT" (occurrences of TEXT in
// the page's single-spaced text) or "word COUNT WORD" (whole words), and
// "page N TITLES" with the number of switch titles the page shows.
void write_expectations(const std::filesystem::path& file, const std::string& name, const Map& map,
                        const Scene& scene, const PrintPlan& plan, const std::vector<std::string>& words) {
    std::ofstream out(file, std::ios::binary);
    out << "document " << name << "\n";
    out << "pages " << plan.pages.size() << "\n";
    for (const Switch& sw : map.switches) out << "title " << switch_title(sw) << "\n";
    for (std::size_t n = 0; n < plan.pages.size(); ++n) {
        const Span& page = plan.pages[n];
        std::vector<std::size_t> shown;
        for (std::size_t s = 0; s < scene.blocks.size(); ++s)
            if (scene.blocks[s].top >= page.top && scene.blocks[s].bottom <= page.bottom) shown.push_back(s);
        out << "page " << n + 1 << " " << shown.size() << "\n";
        out << "expect 1 " << name << "\n";
        out << "expect 1 " << page_footer(n + 1, plan.pages.size()) << "\n";
        for (std::size_t s : shown) out << "expect 1 " << switch_title(map.switches[s]) << "\n";
        // Labels of the first and last places of a panel, once per switch:
        // a panel cut across two pages would show one without the other.
        for (const std::string& word : words) out << "word " << shown.size() << " " << word << "\n";
    }
}

SceneOptions export_options() {
    SceneOptions options;
    options.palette = k_light_palette;
    options.show_site_title = true;
    return options;
}

// Why there is no printer to print on, or nothing.
std::optional<std::string> no_printer() {
    auto root = cups_root();
    if (!root) return "QUARN_CUPS_ROOT is not set: run through print_pdf_check, which starts the printer";
    if (std::filesystem::exists(*root / "unavailable"))
        return "no printer: " + read_file(*root / "unavailable");
    return std::nullopt;
}

TEST(Print, TheDialogIsDarkenedInTheDarkThemeAndCancelGivesNoPrinter) {
    // Without a printer Wine's dialog would stop at its own message box.
    if (auto reason = no_printer()) GTEST_SKIP() << *reason;
    ASSERT_TRUE(theme::init_theme(ThemeChoice::Dark));
    bool seen = false;
    LRESULT background = 0;
    // The dialog comes up some ticks after the call; each step looks again.
    std::vector<std::function<void()>> steps(40, [&] {
        HWND dialog = ::FindWindowW(L"#32770", nullptr);
        if (seen || dialog == nullptr) return;
        seen = true;
        win::WindowDc dc(dialog);
        background = ::SendMessageW(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc.get()),
                                    reinterpret_cast<LPARAM>(dialog));
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    win::UniquePrinterDc printer;
    {
        quarn::testing::Script script(std::move(steps), 50);
        printer = ask_printer(nullptr);
    }
    theme::init_theme(ThemeChoice::Light);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(printer);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(background), theme::theme_colors_for(true).window_brush);
}

TEST(Print, MapsGoToTheCupsPrinterOnThePagesThePlanPromised) {
    if (auto reason = no_printer()) GTEST_SKIP() << *reason;
    auto root = cups_root();

    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    const BOOL found = ::PrintDlgW(&dialog);
    win::UniqueGlobal mode(dialog.hDevMode);
    win::UniqueGlobal names(dialog.hDevNames);
    win::UniquePrinterDc printer(dialog.hDC);
    if (!found || !printer) {
        std::ofstream(*root / "skipped") << "Wine offers no default printer (CommDlgExtendedError "
                                         << ::CommDlgExtendedError() << ") although CUPS runs";
        GTEST_SKIP() << read_file(*root / "skipped");
    }

    const PrinterMetrics metrics = printer_metrics(printer.get());
    std::filesystem::create_directories(*root / "expect");
    struct Job {
        std::string name;
        Map map;
        std::vector<std::string> words;
    };
    const Job jobs[] = {
        {"generated.quarn", generate_map(GeneratedMapOptions{}), {"Gi1/0/1", "Gi1/0/2", "Te1/1/4"}},
        {"one switch.quarn", one_switch_map(), {"p1", "p24"}},
    };
    for (const Job& job : jobs) {
        const Scene scene = build_scene(job.map, export_options());
        auto plan = plan_print(metrics, scene);
        ASSERT_TRUE(plan) << job.name;
        EXPECT_EQ(print_pages(printer.get(), scene, *plan, job.name), plan->pages.size()) << job.name;
        write_expectations(*root / "expect" / (job.name + ".expect"), job.name, job.map, scene, *plan,
                           job.words);
    }
}

} // namespace
} // namespace quarn
