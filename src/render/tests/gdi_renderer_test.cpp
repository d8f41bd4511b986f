#include "render/gdi_renderer.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "test_support/dib.hpp"
#include "win/unique.hpp"

namespace quarn::render {
namespace {

// A white canvas to paint into and read back.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height), dib_(width, height) {
        dib_.fill(RGB(255, 255, 255));
    }

    HDC dc() const { return dib_.dc(); }
    // 0xRRGGBB
    std::uint32_t at(int x, int y) const {
        COLORREF c = dib_.pixel(x, y);
        return (std::uint32_t{GetRValue(c)} << 16) | (std::uint32_t{GetGValue(c)} << 8) | GetBValue(c);
    }
    // Bounding box and count of the pixels that are not white.
    struct Ink {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
    };
    Ink ink() const {
        Ink ink;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (at(x, y) != 0x00ffffffu) {
                    ink.left = std::min(ink.left, x);
                    ink.top = std::min(ink.top, y);
                    ink.right = std::max(ink.right, x);
                    ink.bottom = std::max(ink.bottom, y);
                    ++ink.count;
                }
        return ink;
    }

  private:
    int width_;
    int height_;
    testing::Dib dib_;
};

constexpr Rgb k_red{255, 0, 0};
constexpr std::uint32_t k_red_pixel = 0x00ff0000u;

TEST(GdiRenderer, FilledRectangleCoversTheSamePixelsWithOrWithoutOutline) {
    for (bool outlined : {false, true}) {
        Canvas canvas(64, 32);
        Rect rect{10, 10, 20, 5, k_red, std::nullopt, 0};
        if (outlined) {
            rect.outline = k_red;
            rect.outline_width = 1;
        }
        std::vector<SceneItem> items{rect};
        paint_scene(canvas.dc(), items, {});
        auto ink = canvas.ink();
        EXPECT_EQ(ink.left, 10) << outlined;
        EXPECT_EQ(ink.top, 10) << outlined;
        EXPECT_EQ(ink.right, 29) << outlined;
        EXPECT_EQ(ink.bottom, 14) << outlined;
        EXPECT_EQ(ink.count, 100) << outlined;
        EXPECT_EQ(canvas.at(10, 10), k_red_pixel);
    }
}

TEST(GdiRenderer, StrokesAreAtLeastOnePixelAndScaleWithTheView) {
    struct Case {
        float width;
        float scale;
        int pixels;
    };
    for (Case c : {Case{0.3f, 1.0f, 1}, Case{1.5f, 2.0f, 3}, Case{1.0f, 1.0f, 1}}) {
        Canvas canvas(64, 64);
        std::vector<SceneItem> items{Line{2, 10, 20, 10, c.width, k_red}};
        paint_scene(canvas.dc(), items, ViewTransform{c.scale, 0, 0});
        auto ink = canvas.ink();
        EXPECT_EQ(ink.bottom - ink.top + 1, c.pixels) << c.width << " at " << c.scale;
    }
}

// Runs of ink along one row of pixels, as (first x, length), left to right.
std::vector<std::pair<int, int>> runs_along(const Canvas& canvas, int y, int width) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < width; ++x) {
        if (canvas.at(x, y) == 0x00ffffffu) continue;
        if (!runs.empty() && runs.back().first + runs.back().second == x)
            ++runs.back().second;
        else
            runs.emplace_back(x, 1);
    }
    return runs;
}

// A dashed line is dashes of 6 and gaps of 4 scene units, as the SVG draws
// it, at its full width and in its colour, and the pattern grows with the
// zoom; a solid line of the same place is one run.
TEST(GdiRenderer, DashedLinesKeepTheirPatternAndWidthAtEveryZoom) {
    struct Case {
        float scale;
        LineStyle style;
        std::size_t runs; // along the middle of the line
        int dash;         // pixels of each whole dash
        int gap;
        int thickness;
    };
    const Case cases[] = {
        {1.0f, LineStyle::Solid, 1, 60, 0, 2},
        {1.0f, LineStyle::Dashed, 6, 6, 4, 2},
        {2.0f, LineStyle::Dashed, 6, 12, 8, 4},
        {1.5f, LineStyle::Dashed, 6, 9, 6, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.scale << (c.style == LineStyle::Dashed ? " dashed" : " solid"));
        const int size = static_cast<int>(80 * c.scale);
        Canvas canvas(size, size);
        std::vector<SceneItem> items{Line{10, 20, 70, 20, 2, k_red, c.style}};
        paint_scene(canvas.dc(), items, ViewTransform{c.scale, 0.0f, 0.0f});
        const int middle = static_cast<int>(20 * c.scale);
        const auto runs = runs_along(canvas, middle, size);
        ASSERT_EQ(runs.size(), c.runs);
        // A solid pen's round cap may reach a pixel before the line's start.
        EXPECT_NEAR(runs.front().first, static_cast<int>(10 * c.scale), 1);
        for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
            EXPECT_NEAR(runs[i].second, c.dash, 1) << i;
            EXPECT_NEAR(runs[i + 1].first - (runs[i].first + runs[i].second), c.gap, 1) << i;
        }
        EXPECT_EQ(canvas.at(runs.front().first + 1, middle), k_red_pixel);
        const auto ink = canvas.ink();
        EXPECT_EQ(ink.bottom - ink.top + 1, c.thickness);
    }
}

TEST(GdiRenderer, TransformRoundsHalvesAwayFromZeroAndSubtractsTheScroll) {
    ViewTransform view{1.5f, 10.0f, 4.0f};
    EXPECT_EQ(device_x(view, 10.0f), 5); // 15 - 10
    EXPECT_EQ(device_x(view, 5.0f), -3); // -2.5 -> -3
    EXPECT_EQ(device_y(view, 3.0f), 1);  // 0.5 -> 1
    EXPECT_EQ(view_scale(144, 1.0f), 1.5f);
    EXPECT_EQ(view_scale(0, 2.0f), 2.0f);
}

TEST(GdiRenderer, TextIsDrawnAndEmptyTextDrawsNothing) {
    Canvas canvas(120, 40);
    std::vector<SceneItem> empty{Text{"", 10, 20, 12, FontWeight::Normal, TextAlign::Left, Rgb{}}};
    paint_scene(canvas.dc(), empty, {});
    EXPECT_EQ(canvas.ink().count, 0);

    std::vector<SceneItem> items{Text{"Trk1", 10, 20, 14, FontWeight::Bold, TextAlign::Left, Rgb{}}};
    paint_scene(canvas.dc(), items, {});
    auto ink = canvas.ink();
    ASSERT_GT(ink.count, 10);
    // Left end at x 10, vertically centred on y 20 (glyph shapes are the
    // platform's, so only where the ink is, with a tolerance).
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 13);
    EXPECT_LE(std::abs((ink.top + ink.bottom) / 2 - 20), 3);
}

TEST(GdiRenderer, LeavesTheDcAsItFoundItAndFreesWhatItMade) {
    Canvas canvas(32, 32);
    win::UniqueBrush own_brush(::CreateSolidBrush(RGB(1, 2, 3)));
    win::SelectGuard keep(canvas.dc(), own_brush.get());
    HGDIOBJ pen = ::GetCurrentObject(canvas.dc(), OBJ_PEN);
    HGDIOBJ font = ::GetCurrentObject(canvas.dc(), OBJ_FONT);
    DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);

    std::vector<SceneItem> items{Rect{1, 1, 5, 5, k_red, Rgb{0, 0, 255}, 2}, Line{0, 0, 9, 9, 1, k_red},
                                 Text{"x", 4, 4, 9, FontWeight::Normal, TextAlign::Centre, k_red}};
    paint_scene(canvas.dc(), items, {});

    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_BRUSH), own_brush.get());
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);
    // On Windows the process's count must not grow. Wine reports 0 for it,
    // so the test below counts through a metafile as well.
    EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), before);
}

// An enhanced metafile records each pen, brush and font the moment it is
// selected into it, and its deletion when the object is deleted: every
// object the renderer made must be deleted by it.
TEST(GdiRenderer, DeletesEveryObjectItMakesAsAMetafileRecordsIt) {
    HDC metafile_dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(metafile_dc, nullptr);
    std::vector<SceneItem> items{Rect{1, 1, 5, 5, k_red, Rgb{0, 0, 255}, 2},
                                 Rect{2, 2, 8, 8, Rgb{0, 9, 0}, {}, 0},
                                 Line{0, 0, 9, 9, 1, k_red},
                                 Line{0, 9, 9, 0, 3, Rgb{0, 0, 255}},
                                 Line{0, 5, 9, 5, 2, k_red, LineStyle::Dashed},
                                 Text{"x", 4, 4, 9, FontWeight::Normal, TextAlign::Centre, k_red},
                                 Text{"y", 4, 14, 12, FontWeight::Bold, TextAlign::Left, k_red}};
    paint_scene(metafile_dc, items, {});
    HENHMETAFILE metafile = ::CloseEnhMetaFile(metafile_dc);
    ASSERT_NE(metafile, nullptr);

    struct Counts {
        int created = 0;
        int deleted = 0;
    } counts;
    auto count = [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
        auto& c = *reinterpret_cast<Counts*>(data);
        switch (record->iType) {
        case EMR_CREATEPEN:
        case EMR_EXTCREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_EXTCREATEFONTINDIRECTW:
            ++c.created;
            break;
        case EMR_DELETEOBJECT:
            ++c.deleted;
            break;
        default:
            break;
        }
        return 1;
    };
    ::EnumEnhMetaFile(nullptr, metafile, count, &counts, nullptr);
    ::DeleteEnhMetaFile(metafile);
    EXPECT_GE(counts.created, 3); // a pen, a brush and a font at least
    EXPECT_EQ(counts.deleted, counts.created);
}

} // namespace
} // namespace quarn::render

namespace quarn::render {
namespace {

TEST(GdiRenderer, ItemsOutsideTheDeviceAreSkippedWithoutChangingWhatShows) {
    // A text centred just above the canvas still reaches into it and must be
    // drawn; a rectangle far below must not touch anything.
    Canvas canvas(64, 64);
    std::vector<SceneItem> items{Rect{0, 5000, 64, 64, k_red, std::nullopt, 0},
                                 Rect{-500, 10, 1000, 4, k_red, std::nullopt, 0},
                                 Line{30, -100, 30, 200, 1, k_red}};
    paint_scene(canvas.dc(), items, {});
    auto ink = canvas.ink();
    EXPECT_EQ(ink.count, 64 * 4 + 64 - 4); // the band across, and the line down except where it crosses
    EXPECT_EQ(canvas.at(30, 63), k_red_pixel);
    EXPECT_EQ(canvas.at(0, 10), k_red_pixel);
}

} // namespace
} // namespace quarn::render

namespace quarn::render {
namespace {

// A scene's packed items, painted in one call, give the very pixels of the
// same items painted one call each (so nothing is carried over from one item
// to the next), with runs of items that share a pen, brush, font or colour
// and some that do not, at two zooms.
TEST(GdiRenderer, PackedItemsPaintWhatTheirPlainListPaints) {
    const Rgb blue{0, 0, 255};
    std::vector<SceneItem> items{
        Rect{0, 0, 96, 64, Rgb{250, 250, 250}, std::nullopt, 0},
        Rect{4, 4, 20, 10, k_red, blue, 1},
        Rect{28, 4, 20, 10, k_red, blue, 1},
        Text{"1 U", 14, 9, 8, FontWeight::Normal, TextAlign::Centre, Rgb{255, 255, 255}},
        Text{"2 T", 38, 9, 8, FontWeight::Normal, TextAlign::Centre, Rgb{255, 255, 255}},
        Rect{52, 4, 20, 10, blue, k_red, 2},
        Text{"Gi1/0/12", 4, 30, 9, FontWeight::Bold, TextAlign::Left, Rgb{0, 0, 0}},
        Line{4, 40, 60, 60, 1.5f, blue},
        Rect{70, 40, 10, 10, std::nullopt, Rgb{0, 0, 0}, 1},
        Text{"3", 74, 45, 8, FontWeight::Normal, TextAlign::Centre, k_red},
    };
    SceneItems packed;
    for (const SceneItem& item : items) packed.push_back(item);
    for (float scale : {1.0f, 1.5f}) {
        Canvas plain(160, 100);
        Canvas from_packed(160, 100);
        for (const SceneItem& item : items)
            paint_scene(plain.dc(), std::span(&item, 1), ViewTransform{scale, 0.0f, 0.0f});
        paint_scene(from_packed.dc(), packed, ViewTransform{scale, 0.0f, 0.0f});
        int differing = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 160; ++x) differing += plain.at(x, y) != from_packed.at(x, y) ? 1 : 0;
        EXPECT_EQ(differing, 0) << scale;
        EXPECT_GT(plain.ink().count, 1000) << scale;
    }
}

} // namespace
} // namespace quarn::render
