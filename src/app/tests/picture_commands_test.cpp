#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_state.hpp"
#include "app/commands.hpp"
#include "app/refresh.hpp"
#include "app/startup.hpp"
#include "export/rasterise.hpp"
#include "export/svg.hpp"
#include "main_window_fixture.hpp"
#include "test_support/png_decode.hpp"
#include "test_support/save_dialog.hpp"
#include "test_support/script.hpp"
#include "test_support/test_files.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

using quarn::testing::confirm_save_dialog;

using quarn::testing::Script;

std::filesystem::path temp_folder() {
    return quarn::testing::temp_folder("quarn picture commands test");
}

Map one_switch() {
    Map map;
    map.vlans = {{10, "Data", {0x1e, 0x88, 0xe5}}};
    Switch sw;
    sw.name = "core";
    sw.groups = {PortGroup{PortKind::Rj45, 4, 2, Numbering::OddTop, 0, 1.0f}};
    for (int i = 1; i <= 8; ++i) sw.ports.push_back(Port{.label = std::to_string(i)});
    sw.ports[0].untagged = 10;
    map.switches.push_back(sw);
    return map;
}

// Width, height and top-down rows of 24-bit pixels, as both the PNG and the
// clipboard bitmap give them back.
using Pixels = quarn::testing::BgrImage;

Pixels clipboard_pixels(HWND owner) {
    Pixels pixels;
    win::ClipboardGuard clipboard(owner);
    if (!clipboard.open()) return pixels;
    HANDLE data = ::GetClipboardData(CF_DIB);
    if (data == nullptr) return pixels;
    win::GlobalLockGuard locked(data);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(locked.get());
    if (header == nullptr || header->biSize != 40 || header->biBitCount != 24 || header->biHeight <= 0)
        return pixels;
    pixels.width = header->biWidth;
    pixels.height = header->biHeight;
    pixels.stride = quarn::testing::bgr_stride(pixels.width);
    const auto* bits = reinterpret_cast<const std::uint8_t*>(header + 1);
    for (int y = pixels.height - 1; y >= 0; --y) // bottom-up: the last row first
        pixels.rows.insert(pixels.rows.end(), bits + y * pixels.stride, bits + (y + 1) * pixels.stride);
    return pixels;
}

Pixels png_pixels(const std::filesystem::path& path) {
    return quarn::testing::decode_png(quarn::testing::read_file(path)).value_or(Pixels{});
}

class PictureCommands : public MainWindowFixture {
  protected:
    std::optional<std::filesystem::path> settings_folder() override {
        std::filesystem::remove_all(temp_folder() / "settings");
        return temp_folder() / "settings";
    }
    std::string status() {
        wchar_t text[256] = {};
        ::GetWindowTextW(state_->controls.status, text, 256);
        return win::narrow(text);
    }
};

TEST_F(PictureCommands, PngAndClipboardHoldTheSameLightPixelsInTheDarkTheme) {
    command(ViewThemeDark);
    state_->map = one_switch();
    state_->saved = state_->map;
    refresh_all(*state_);

    command(FileCopyImage);
    EXPECT_EQ(status(), "Map copied as an image.");
    const Pixels copied = clipboard_pixels(state_->main);
    ASSERT_GT(copied.width, 0);

    const auto path = temp_folder() / "core.png";
    std::filesystem::remove(path);
    {
        Script script({[&] { confirm_save_dialog(path); }}, 200);
        command(FileSavePng);
        EXPECT_TRUE(script.finished());
    }
    EXPECT_EQ(status(), "Saved " + path.string());
    const Pixels saved = png_pixels(path);
    EXPECT_EQ(saved, copied);
    // The light palette's white ground and grey panel, not the dark theme's.
    ASSERT_GT(saved.rows.size(), 3u);
    EXPECT_EQ(saved.rows[0], 0xFF);
    EXPECT_EQ(saved.rows[1], 0xFF);
    EXPECT_EQ(saved.rows[2], 0xFF);
    command(ViewThemeLight);
}

// The topology shown in the dark theme is published as the light topology,
// not as the front panel: the SVG is the light scene's, and the PNG has its
// size and its white ground.
TEST_F(PictureCommands, TheTopologyIsPublishedWhenItIsShown) {
    Map map = one_switch();
    Switch edge = map.switches[0];
    edge.name = "edge";
    edge.model = "EX2300";
    map.switches[0].ports[7].link = PortPeer{"edge", "8"};
    edge.ports[7].link = PortPeer{"core", "8"};
    map.switches.push_back(edge);
    command(ViewThemeDark);
    command(ViewTopology);
    state_->map = map;
    state_->saved = map;
    refresh_all(*state_);

    SceneOptions options;
    options.view.kind = ViewKind::Topology;
    const Scene light = build_scene(map, options);
    const auto svg_path = temp_folder() / "topology.svg";
    const auto png_path = temp_folder() / "topology.png";
    std::filesystem::remove(svg_path);
    std::filesystem::remove(png_path);
    {
        Script script({[&] { confirm_save_dialog(svg_path); }}, 200);
        command(FileSaveSvg);
        EXPECT_TRUE(script.finished());
    }
    const std::string svg = quarn::testing::read_file(svg_path);
    EXPECT_EQ(svg, scene_svg(light));
    EXPECT_NE(svg.find(">EX2300</text>"), std::string::npos) << svg;
    {
        Script script({[&] { confirm_save_dialog(png_path); }}, 200);
        command(FileSavePng);
        EXPECT_TRUE(script.finished());
    }
    const Pixels saved = png_pixels(png_path);
    const auto expected = rasterise(light);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(saved.width, expected->width);
    EXPECT_EQ(saved.height, expected->height);
    ASSERT_GT(saved.rows.size(), 3u);
    EXPECT_EQ(saved.rows[0], 0xFF);
    command(ViewThemeLight);
    command(ViewFrontPanel);
}

TEST_F(PictureCommands, WithoutASwitchTheKeysDoNothing) {
    ASSERT_TRUE(state_->map.switches.empty());
    {
        win::ClipboardGuard clipboard(state_->main);
        ASSERT_TRUE(clipboard.open());
        ::EmptyClipboard();
    }
    const std::string before = status();
    bool dialog_seen = false;
    Script script({[&] {
        // Should anything open (the print dialog, a message), close it.
        if (HWND open = ::FindWindowW(L"#32770", nullptr)) {
            dialog_seen = true;
            ::PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        }
    }});
    command(FileCopyImage);
    command(FilePrint);
    command(FileSavePng);
    EXPECT_FALSE(dialog_seen);
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(status(), before);
}

} // namespace
} // namespace quarn::app
