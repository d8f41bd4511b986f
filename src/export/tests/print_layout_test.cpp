#include "export/print_layout.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quarn {
namespace {

// A4 at 600 dpi with a printable area 100 pixels in from each edge.
PrinterMetrics a4_at_600() {
    PrinterMetrics printer;
    printer.dpi_x = 600;
    printer.dpi_y = 600;
    printer.physical_width = 4961;
    printer.physical_height = 7016;
    printer.offset_x = 100;
    printer.offset_y = 100;
    printer.printable_width = 4761;
    printer.printable_height = 6816;
    return printer;
}

TEST(PageGeometry, MarginsAndBandsFollowTheResolution) {
    const PageGeometry page = page_geometry(a4_at_600());
    EXPECT_EQ(page.margin_x, 283); // 600 * 120 / 254, integer
    EXPECT_EQ(page.margin_y, 283);
    EXPECT_EQ(page.band, 180); // 0.3 inch
    EXPECT_EQ(page.left, 183);
    EXPECT_EQ(page.right, 4961 - 100 - 283);
    EXPECT_EQ(page.top, 183);
    EXPECT_EQ(page.bottom, std::min(6816, 7016 - 283 - 100) - 180);
    EXPECT_EQ(page.picture_top(), 363);
    EXPECT_TRUE(page.has_picture_area());

    // Offsets beyond the margin leave the area at the printable edge; a
    // resolution of 0 counts as 1 and leaves no room at all.
    PrinterMetrics wide_offsets = a4_at_600();
    wide_offsets.offset_x = 400;
    EXPECT_EQ(page_geometry(wide_offsets).left, 0);
    PrinterMetrics nothing;
    const PageGeometry none = page_geometry(nothing);
    EXPECT_EQ(none.dpi_x, 1);
    EXPECT_FALSE(none.has_picture_area());
    EXPECT_FALSE(plan_print(nothing, Scene{}));
}

TEST(PrintPlan, ThePictureIsNeverEnlargedAndShrinksToThePageWidth) {
    Scene narrow;
    narrow.width = 500.0f;
    narrow.height = 100.0f;
    narrow.blocks = {{16.0f, 100.0f}};
    auto plan = plan_print(a4_at_600(), narrow);
    ASSERT_TRUE(plan);
    EXPECT_FLOAT_EQ(plan->scale, 6.25f); // 1/96 inch per unit
    EXPECT_FLOAT_EQ(plan->page_height, static_cast<float>(plan->geometry.bottom - 363) / 6.25f);
    EXPECT_EQ(plan->pages, (std::vector<Span>{{0.0f, 100.0f}}));

    Scene wide = narrow;
    wide.width = 5000.0f;
    plan = plan_print(a4_at_600(), wide);
    ASSERT_TRUE(plan);
    EXPECT_FLOAT_EQ(plan->scale, static_cast<float>(4578 - 183) / 5000.0f);
    EXPECT_FLOAT_EQ(plan->scale_y, plan->scale);
}

TEST(PrintPlan, APrinterOfOtherResolutionsAcrossAndDownScalesEachAxisByItsOwn) {
    // 600 dots an inch across, 300 down: the page has half the pixels down.
    PrinterMetrics printer = a4_at_600();
    printer.dpi_y = 300;
    printer.physical_height /= 2;
    printer.printable_height /= 2;
    printer.offset_y /= 2;
    Scene scene;
    scene.width = 500.0f;
    scene.height = 2000.0f;
    scene.blocks = {{0.0f, 2000.0f}};
    auto plan = plan_print(printer, scene);
    ASSERT_TRUE(plan);
    EXPECT_FLOAT_EQ(plan->scale, 6.25f);
    EXPECT_FLOAT_EQ(plan->scale_y, 3.125f);
    const PageGeometry& page = plan->geometry;
    EXPECT_FLOAT_EQ(plan->page_height, static_cast<float>(page.bottom - page.picture_top()) / 3.125f);
    // As many pages as on the square printer of the same paper.
    auto square = plan_print(a4_at_600(), scene);
    ASSERT_TRUE(square);
    EXPECT_EQ(plan->pages.size(), square->pages.size());
}

TEST(PageBreaking, BreaksBetweenWholeBlocksAndCutsOnlyBlocksTallerThanAPage) {
    struct Case {
        const char* what;
        std::vector<Span> blocks;
        std::vector<Span> cuts;
        std::vector<Span> pages;
    };
    const Case cases[] = {
        {"nothing to print", {}, {}, {{0, 0}}},
        {"all on one page", {{16, 60}, {70, 100}}, {{16, 40}, {40, 60}, {70, 100}}, {{0, 100}}},
        {"a block that fits is never split, though its cuts would fill the page",
         {{16, 60}, {70, 130}},
         {{16, 60}, {70, 95}, {95, 130}},
         {{0, 60}, {70, 130}}},
        {"three pages", {{10, 80}, {90, 160}, {170, 240}}, {}, {{0, 80}, {90, 160}, {170, 240}}},
        {"a block taller than a page goes at its cuts; only cuts inside it count",
         {{10, 50}, {60, 260}, {270, 300}},
         {{0, 5}, {60, 120}, {120, 180}, {180, 260}, {275, 290}},
         {{0, 50}, {60, 120}, {120, 180}, {180, 260}, {270, 300}}},
        {"what is still taller than a page goes on as many pages as it needs",
         {{10, 250}},
         {},
         {{0, 100}, {100, 200}, {200, 250}}},
        {"the site title takes a page of its own rather than split the first block",
         {{46, 140}},
         {},
         {{0, 46}, {46, 140}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(break_pages(c.blocks, c.cuts, 100.0f), c.pages) << c.what;
    }
}

TEST(PageBreaking, EveryBlockThatFitsLiesWhollyOnOnePage) {
    // Forty blocks of varying heights, as a long map gives them.
    std::vector<Span> blocks;
    float top = 46.0f;
    for (int i = 0; i < 40; ++i) {
        const float height = 40.0f + static_cast<float>((i * 37) % 90);
        blocks.push_back({top, top + height});
        top += height + 20.0f;
    }
    const std::vector<Span> pages = break_pages(blocks, {}, 300.0f);
    EXPECT_GT(pages.size(), 10u);
    for (const Span& page : pages) EXPECT_LE(page.bottom - page.top, 300.0f);
    for (const Span& block : blocks) {
        int holding = 0;
        for (const Span& page : pages)
            if (block.top >= page.top && block.bottom <= page.bottom) ++holding;
        EXPECT_EQ(holding, 1) << block.top;
    }
}

TEST(PrintPage, FootersCountThePagesAndAPageGetsOnlyWhatReachesIntoIt) {
    EXPECT_EQ(page_footer(1, 3), "Page 1 of 3");
    EXPECT_EQ(page_footer(2, 3), "Page 2 of 3");
    EXPECT_EQ(page_footer(3, 3), "Page 3 of 3");

    const std::vector<SceneItem> items = {
        Rect{0, 0, 500, 900, Rgb{255, 255, 255}, std::nullopt, 0},
        Text{"above", 16, 90, 12, FontWeight::Bold, TextAlign::Left, {}},
        Rect{16, 95, 100, 10, std::nullopt, Rgb{0, 0, 0}, 2}, // its outline reaches 94..106
        Line{0, 150, 10, 250, 1, {}},
        Text{"inside", 16, 180, 10, FontWeight::Normal, TextAlign::Left, {}},
        Rect{16, 301, 10, 10, Rgb{0, 0, 0}, std::nullopt, 0},
        Text{"below", 16, 320, 10, FontWeight::Normal, TextAlign::Left, {}},
    };
    const std::vector<SceneItem> shown = items_on_page(items, Span{100, 300});
    const std::vector<SceneItem> expected = {items[0], items[1], items[2], items[3], items[4]};
    EXPECT_EQ(shown, expected);
}

} // namespace
} // namespace quarn
