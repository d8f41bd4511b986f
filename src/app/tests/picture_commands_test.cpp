#include <windows.h>

#include <wincodec.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/app_state.hpp"
#include "app/commands.hpp"
#include "app/refresh.hpp"
#include "app/startup.hpp"
#include "main_window_fixture.hpp"
#include "test_support/save_dialog.hpp"
#include "test_support/script.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

using quarn::testing::confirm_save_dialog;

using quarn::testing::Script;

std::filesystem::path temp_folder() {
    auto folder = std::filesystem::temp_directory_path() / "quarn picture commands test";
    std::filesystem::create_directories(folder);
    return folder;
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
struct Pixels {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> rows;
    bool operator==(const Pixels&) const = default;
};

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
    pixels.stride = (static_cast<std::size_t>(pixels.width) * 3 + 3) & ~std::size_t{3};
    const auto* bits = reinterpret_cast<const std::uint8_t*>(header + 1);
    for (int y = pixels.height - 1; y >= 0; --y) // bottom-up: the last row first
        pixels.rows.insert(pixels.rows.end(), bits + y * pixels.stride, bits + (y + 1) * pixels.stride);
    return pixels;
}

Pixels png_pixels(const std::filesystem::path& path) {
    Pixels pixels;
    IWICImagingFactory* raw_factory = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&raw_factory))))
        return pixels;
    win::UniqueCom<IWICImagingFactory> factory(raw_factory);
    IWICBitmapDecoder* raw_decoder = nullptr;
    if (FAILED(factory.get()->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, &raw_decoder)))
        return pixels;
    win::UniqueCom<IWICBitmapDecoder> decoder(raw_decoder);
    IWICBitmapFrameDecode* raw_frame = nullptr;
    if (FAILED(decoder.get()->GetFrame(0, &raw_frame))) return pixels;
    win::UniqueCom<IWICBitmapFrameDecode> frame(raw_frame);
    UINT width = 0, height = 0;
    frame.get()->GetSize(&width, &height);
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(height);
    pixels.stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    pixels.rows.assign(pixels.stride * height, 0);
    frame.get()->CopyPixels(nullptr, static_cast<UINT>(pixels.stride), static_cast<UINT>(pixels.rows.size()),
                            pixels.rows.data());
    return pixels;
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
