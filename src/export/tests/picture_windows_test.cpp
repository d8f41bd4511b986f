#include <windows.h>

#include <wincodec.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "draw/scene.hpp"
#include "export/clipboard.hpp"
#include "export/png.hpp"
#include "export/print.hpp"
#include "export/print_progress.hpp"
#include "export/rasterise.hpp"
#include "export/safe_write.hpp"
#include "model/map_file.hpp"
#include "test_support/dib.hpp"
#include "test_support/png_decode.hpp"
#include "test_support/test_files.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

using testing::read_file;

constexpr Rgb k_white{255, 255, 255};
constexpr Rgb k_red{200, 10, 20};
constexpr Rgb k_blue{10, 20, 200};

// A picture whose pixels are known: a white ground, a red square at the top
// left and a blue bar along the bottom right.
Scene known_scene(float width, float height) {
    Scene scene;
    scene.width = width;
    scene.height = height;
    scene.items = {
        Rect{0, 0, width, height, k_white, std::nullopt, 0},
        Rect{2, 2, 4, 4, k_red, std::nullopt, 0},
        Rect{width - 10, height - 3, 10, 3, k_blue, std::nullopt, 0},
    };
    return scene;
}

std::array<std::uint8_t, 3> bgr_at(const RasterImage& image, int x, int y) {
    const std::uint8_t* at = image.pixels.data() + static_cast<std::size_t>(y) * image.stride + 3 * x;
    return {at[0], at[1], at[2]};
}

std::array<std::uint8_t, 3> bgr(Rgb color) {
    return {color.blue, color.green, color.red};
}

// The pixels of a PNG as the imaging component decodes them, in the
// rasteriser's layout.
std::optional<RasterImage> decode_png(const std::string& png) {
    auto decoded = testing::decode_png(png);
    if (!decoded) return std::nullopt;
    return RasterImage{decoded->width, decoded->height, decoded->stride, std::move(decoded->rows)};
}

std::filesystem::path temp_folder() {
    return testing::temp_folder("quarn picture test");
}

class Picture : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(com_.result())); }
    win::ComApartment com_{COINIT_APARTMENTTHREADED};
};

TEST_F(Picture, RasterIsTheSceneAtTwiceItsSizeRowsTopDown) {
    auto image = rasterise(known_scene(20, 10));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(image->height, 20);
    EXPECT_EQ(image->stride, 120u);
    EXPECT_EQ(bgr_at(*image, 0, 0), bgr(k_white));
    EXPECT_EQ(bgr_at(*image, 4, 4), bgr(k_red)); // scene (2, 2) at scale 2
    EXPECT_EQ(bgr_at(*image, 11, 11), bgr(k_red));
    EXPECT_EQ(bgr_at(*image, 12, 12), bgr(k_white));
    EXPECT_EQ(bgr_at(*image, 39, 19), bgr(k_blue)); // the last row is the bottom
    EXPECT_EQ(bgr_at(*image, 39, 0), bgr(k_white));
}

TEST_F(Picture, AWideSceneIsLimitedToSixteenThousandPixels) {
    auto image = rasterise(known_scene(12000, 300));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16000);
    EXPECT_EQ(image->height, 400);
    // The bar at the far right is drawn at 4/3: 13 pixels wide, 4 high.
    EXPECT_EQ(bgr_at(*image, 15999, 399), bgr(k_blue));
    EXPECT_EQ(bgr_at(*image, 15987, 396), bgr(k_blue));
    EXPECT_EQ(bgr_at(*image, 15985, 399), bgr(k_white));
}

TEST_F(Picture, PngDecodesToTheRasterPixelsAndIsWrittenSafely) {
    auto image = rasterise(known_scene(33, 17)); // odd width: rows carry padding
    ASSERT_TRUE(image);
    std::string png;
    ASSERT_EQ(encode_png(*image, png), S_OK);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(decode_png(png), image);

    auto target = temp_folder() / "picture.png";
    { std::ofstream(target, std::ios::binary) << "old"; }
    EXPECT_EQ(save_png_file(target, *image), std::nullopt);
    EXPECT_EQ(read_file(target), png);
    EXPECT_FALSE(std::filesystem::exists(safe_write_temporary(target)));

    auto nowhere = temp_folder() / "no such folder" / "picture.png";
    EXPECT_EQ(save_png_file(nowhere, *image), win::system_message(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(std::filesystem::exists(safe_write_temporary(nowhere)));
}

// A picture painted in bands reads as the one painted whole: rounding is
// done before the band's offset, so a rectangle, a slanted line or a text
// across a band's edge falls on the same pixels.
Scene scene_across_bands() {
    Scene scene = known_scene(40, 60);
    for (int i = 0; i < 12; ++i) {
        const float y = 4.3f * static_cast<float>(i) + 0.25f;
        scene.items.push_back(Rect{1.5f, y, 20.25f, 3.5f, k_blue, k_red, 1.0f});
        scene.items.push_back(Line{0.5f, y, 39.5f, y + 7.75f, 1.0f, k_red, LineStyle::Solid});
        scene.items.push_back(Text{"1/0/" + std::to_string(i), 20, y + 2.0f, 6.5f, FontWeight::Normal,
                                   TextAlign::Centre, k_blue});
    }
    scene.items.push_back(Line{35, 0, 35, 60, 2.0f, k_blue, LineStyle::Dashed});
    return scene;
}

TEST_F(Picture, BandsStackedReadAsThePictureWholeAndStopWhenTold) {
    const Scene scene = scene_across_bands();
    auto whole = rasterise(scene);
    ASSERT_TRUE(whole);
    for (std::int32_t band_rows : {1, 7, 64, 119, 120, 500}) {
        RasterImage stacked{whole->width, 0, whole->stride, {}};
        const bool painted = rasterise_bands(scene, band_rows, [&](const RasterImage& band) {
            EXPECT_LE(band.height, band_rows);
            stacked.height += band.height;
            stacked.pixels.insert(stacked.pixels.end(), band.pixels.begin(), band.pixels.end());
            return true;
        });
        EXPECT_TRUE(painted);
        EXPECT_TRUE(stacked == *whole) << "bands of " << band_rows << " rows";
    }
    // A reader that stops after the first band gets no more, and the
    // painter is not left waiting.
    int bands = 0;
    EXPECT_FALSE(rasterise_bands(scene, 5, [&](const RasterImage&) { return ++bands < 1; }));
    EXPECT_EQ(bands, 1);
    EXPECT_FALSE(rasterise_bands(Scene{}, 5, [](const RasterImage&) { return true; }));
}

TEST_F(Picture, TheScenesPngIsItsPixelsEncodedAndWrittenSafely) {
    const Scene scene = scene_across_bands();
    std::string png;
    ASSERT_EQ(encode_scene_png(scene, png), S_OK);
    EXPECT_EQ(decode_png(png), rasterise(scene));

    auto target = temp_folder() / "scene.png";
    { std::ofstream(target, std::ios::binary) << "old"; }
    EXPECT_FALSE(save_scene_png_file(target, scene));
    EXPECT_EQ(read_file(target), png);
    auto nowhere = temp_folder() / "no such folder" / "scene.png";
    auto failure = save_scene_png_file(nowhere, scene);
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->not_drawn);
    EXPECT_EQ(failure->message, win::system_message(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(encode_scene_png(Scene{}, png), E_INVALIDARG);
}

// The campus example as the program saves it, and its pixels as a PPM file
// beside it, so that png-check can decode the PNG with another decoder
// (netpbm) and compare. Only when CTest names the folder.
TEST_F(Picture, CampusPngAndItsPixelsForTheSecondDecoder) {
    const char* folder = std::getenv("QUARN_PICTURE_OUT");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "QUARN_PICTURE_OUT is not set (png_decode_check sets it)";
    const std::filesystem::path out = "Z:" + std::string(folder);
    std::filesystem::create_directories(out);
    auto map = load_map(read_file(QUARN_EXAMPLES_DIR "/campus.quarn"));
    ASSERT_TRUE(map);
    SceneOptions options;
    options.palette = k_light_palette;
    const Scene scene = build_scene(map.value(), options);
    auto image = rasterise(scene);
    ASSERT_TRUE(image);
    ASSERT_FALSE(save_scene_png_file(out / "campus.png", scene));

    std::string ppm = "P6\n" + std::to_string(image->width) + " " + std::to_string(image->height) + "\n255\n";
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            auto [b, g, r] = bgr_at(*image, x, y);
            ppm += std::string{static_cast<char>(r), static_cast<char>(g), static_cast<char>(b)};
        }
    EXPECT_EQ(safe_write(out / "campus.ppm", ppm), std::nullopt);
}

TEST_F(Picture, EncoderFailuresCarryATextEvenWithoutASystemOne) {
    std::string png;
    RasterImage empty;
    EXPECT_EQ(encode_png(empty, png), E_INVALIDARG);
    EXPECT_EQ(win::hresult_message(HRESULT_FROM_WIN32(ERROR_DISK_FULL)),
              win::system_message(ERROR_DISK_FULL));
    // The imaging component's own codes: the system's text where it has
    // one, otherwise the code as its documentation writes it.
    std::string text = win::hresult_message(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
    EXPECT_FALSE(text.empty());
    if (text.rfind("error ", 0) == 0) {
        EXPECT_EQ(text, "error 0x88982F80");
    }
}

TEST_F(Picture, ClipboardHoldsTheSamePixelsBottomUp) {
    HWND owner =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    auto image = rasterise(known_scene(21, 9));
    ASSERT_TRUE(image);
    ASSERT_TRUE(put_image_on_clipboard(owner, *image));

    std::vector<std::uint8_t> expected(dib_size(*image));
    write_dib(*image, expected);
    std::vector<std::uint8_t> held;
    {
        win::ClipboardGuard clipboard(owner);
        ASSERT_TRUE(clipboard.open());
        HANDLE data = ::GetClipboardData(CF_DIB);
        ASSERT_NE(data, nullptr);
        win::GlobalLockGuard locked(data);
        ASSERT_NE(locked.get(), nullptr);
        const auto* bytes = static_cast<const std::uint8_t*>(locked.get());
        held.assign(bytes, bytes + std::min(::GlobalSize(data), expected.size()));
    }
    EXPECT_EQ(held, expected);
    // Bottom-up: the image's row 5 (through the red square) is the sixth
    // row from the bitmap's end, its first row (white) the last.
    const auto row = [&](int y) { return k_dib_header_size + (image->height - 1 - y) * image->stride; };
    EXPECT_EQ(held[row(5) + 3 * 5 + 2], k_red.red);
    EXPECT_EQ(held[row(0) + 3 * 5 + 2], k_white.red);
    EXPECT_EQ(held.back(), 0) << "the padding after the last pixel of the first image row";

    // Another owner holding the clipboard open: the copy fails and says so.
    {
        win::ClipboardGuard elsewhere(nullptr);
        ASSERT_TRUE(elsewhere.open());
        EXPECT_FALSE(put_image_on_clipboard(owner, *image));
    }
    ::DestroyWindow(owner);
}

TEST_F(Picture, ACopyWaitsForAnotherProgramThatHoldsTheClipboardForAMoment) {
    HWND owner =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    auto image = rasterise(known_scene(21, 9));
    ASSERT_TRUE(image);
    // A clipboard viewer: opens the clipboard on its own thread, holds it
    // while it reads (a few milliseconds), lets go.
    win::UniqueHandle held(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(held);
    std::thread viewer([&held] {
        win::ClipboardGuard clipboard(nullptr);
        ::SetEvent(held.get());
        if (clipboard.open()) ::Sleep(20);
    });
    ASSERT_EQ(::WaitForSingleObject(held.get(), 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(put_image_on_clipboard(owner, *image));
    viewer.join();
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));
    ::DestroyWindow(owner);
}

TEST_F(Picture, APrinterFinerAcrossThanDownPrintsTheMapUnstretched) {
    // 200 dots an inch across, 100 down, a page of 5 by 6 inches: a square
    // inch of the scene is 200 by 100 of the printer's pixels.
    PrinterMetrics printer{200, 100, 1000, 600, 0, 0, 1000, 600};
    Scene scene;
    scene.width = 96.0f;
    scene.height = 96.0f;
    scene.items = {Rect{0, 0, 96, 96, k_red, std::nullopt, 0}};
    scene.blocks = {{0.0f, 96.0f}};
    auto plan = plan_print(printer, scene);
    ASSERT_TRUE(plan);
    testing::Dib page(1000, 600);
    ASSERT_TRUE(page.valid());
    ASSERT_TRUE(paint_print_page(page.dc(), scene, *plan, "stretch", 1));
    const COLORREF red = RGB(k_red.red, k_red.green, k_red.blue);
    // One row or column more or less where the edges round.
    EXPECT_NEAR(page.count(red), 200 * 100, 200 + 100 + 1);
    const int picture_top = plan->geometry.picture_top();
    EXPECT_EQ(page.pixel(plan->geometry.left + 100, picture_top + 50), red);
    EXPECT_NE(page.pixel(plan->geometry.left + 100, picture_top + 110), red);
}

// The spooler as the page loop meets it: every call written down, each
// answered as the case says.
struct Spooler {
    std::vector<std::string> calls;
    std::wstring output = L"(none)";
    DWORD start_error = ERROR_SUCCESS; // StartDoc fails with it when set
    std::size_t failing_page = 0;      // EndPage of this page fails
    std::size_t cancel_after = 0;      // Cancel is clicked once this page is taken
    std::wstring progress_text;
    std::size_t pages = 0;
};
Spooler g_spooler;

HWND progress_window() {
    return ::FindWindowW(k_print_progress_class, nullptr);
}

constexpr DocumentCalls k_recording_calls{
    [](HDC, const DOCINFOW& info) noexcept -> int {
        g_spooler.calls.push_back("StartDoc");
        g_spooler.output = info.lpszOutput != nullptr ? info.lpszOutput : L"(none)";
        if (g_spooler.start_error == ERROR_SUCCESS) return 1;
        ::SetLastError(g_spooler.start_error);
        return SP_ERROR;
    },
    [](HDC) noexcept -> int {
        g_spooler.calls.push_back("StartPage");
        wchar_t text[64] = {};
        ::GetDlgItemTextW(progress_window(), k_print_progress_text, text, 64);
        g_spooler.progress_text = text;
        return 1;
    },
    [](HDC) noexcept -> int {
        g_spooler.calls.push_back("EndPage");
        ++g_spooler.pages;
        if (g_spooler.pages == g_spooler.cancel_after)
            ::PostMessageW(progress_window(), WM_COMMAND, IDCANCEL, 0);
        return g_spooler.pages == g_spooler.failing_page ? SP_ERROR : 1;
    },
    [](HDC) noexcept -> int {
        g_spooler.calls.push_back("EndDoc");
        return 1;
    },
    [](HDC) noexcept -> int {
        g_spooler.calls.push_back("AbortDoc");
        return 1;
    },
};

// A printer that writes files (Microsoft Print to PDF, XPS) asks where to
// put the file inside StartDoc; cancelling that box makes StartDoc fail
// with ERROR_CANCELLED. Wine has no such printer, nor a spooler that calls
// an abort procedure: the spooler's answers come through the seam.
TEST_F(Picture, ThePageLoopOpensCancelsAndEndsDocumentsAsTheUserChose) {
    HWND owner =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    PrinterMetrics printer{600, 600, 4961, 7016, 0, 0, 4961, 7016};
    Scene scene = known_scene(100, 5000);
    scene.blocks = {{0, 5000}};
    auto plan = plan_print(printer, scene);
    ASSERT_TRUE(plan);
    const std::size_t pages = plan->pages.size();
    ASSERT_GE(pages, 4u);
    set_document_calls(&k_recording_calls);
    using Calls = std::vector<std::string>;
    const Calls two_pages{"StartDoc", "StartPage", "EndPage", "StartPage", "EndPage"};
    auto then = [](Calls calls, std::initializer_list<const char*> more) {
        calls.insert(calls.end(), more.begin(), more.end());
        return calls;
    };
    struct Case {
        const char* what;
        Spooler spooler;
        PrintJob job;
        Calls calls;
        std::size_t printed;
        bool cancelled;
    };
    const Case cases[] = {
        {"to paper", {}, {false, owner, false}, {}, pages, false},
        {"to a file", {}, {true, nullptr, false}, {}, pages, false},
        {"the file box cancelled",
         {.start_error = ERROR_CANCELLED},
         {true, owner, false},
         {"StartDoc"},
         0,
         true},
        {"the printer refused", {.start_error = ERROR_NOT_ENOUGH_MEMORY}, {}, {"StartDoc"}, 0, false},
        {"cancelled after two pages",
         {.cancel_after = 2},
         {false, owner, false},
         then(two_pages, {"AbortDoc"}),
         2,
         true},
        {"the third page failed",
         {.failing_page = 3},
         {false, owner, false},
         then(two_pages, {"StartPage", "EndPage", "EndDoc"}),
         2,
         false},
    };
    for (const Case& c : cases) {
        g_spooler = c.spooler;
        PrintJob job = c.job;
        EXPECT_EQ(print_pages(dc.get(), scene, *plan, "test", &job), c.printed) << c.what;
        EXPECT_EQ(job.cancelled, c.cancelled) << c.what;
        if (!c.calls.empty()) {
            EXPECT_EQ(g_spooler.calls, c.calls) << c.what;
        } else {
            EXPECT_EQ(g_spooler.calls.size(), 2 + 2 * pages) << c.what;
            EXPECT_EQ(g_spooler.calls.back(), "EndDoc") << c.what;
        }
        EXPECT_EQ(g_spooler.output, c.job.to_file ? L"FILE:" : L"(none)") << c.what;
        // The window showed while the pages went, and went with the job.
        if (c.job.progress_owner != nullptr && c.printed > 0) {
            std::size_t last = c.spooler.cancel_after != 0   ? c.spooler.cancel_after
                               : c.spooler.failing_page != 0 ? c.spooler.failing_page
                                                             : pages;
            EXPECT_EQ(g_spooler.progress_text,
                      L"Printing page " + std::to_wstring(last) + L" of " + std::to_wstring(pages))
                << c.what;
        }
        EXPECT_EQ(progress_window(), nullptr) << c.what;
        EXPECT_TRUE(::IsWindowEnabled(owner)) << c.what;
    }
    set_document_calls(nullptr);
    ::DestroyWindow(owner);
}

TEST_F(Picture, APageLoopWithoutADocumentPrintsNothing) {
    // A memory DC takes no print document: nothing is printed, and the
    // command then says so.
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    PrinterMetrics printer{600, 600, 4961, 7016, 0, 0, 4961, 7016};
    Scene scene = known_scene(100, 100);
    scene.blocks = {{0, 100}};
    auto plan = plan_print(printer, scene);
    ASSERT_TRUE(plan);
    EXPECT_EQ(print_pages(dc.get(), scene, *plan, "test"), 0u);
}

} // namespace
} // namespace quarn
