#pragma once

// A second opinion on the program's pictures: a PNG decoded by the system's
// imaging component, independent of the encoder under test.

#include <windows.h>

#include <wincodec.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/unique.hpp"

namespace quarn::testing {

// 24-bit pixels: rows top to bottom, each pixel blue, green, red, each row
// padded with zero bytes to a multiple of four.
struct BgrImage {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> rows;

    bool operator==(const BgrImage&) const = default;
};

inline std::size_t bgr_stride(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

// The pixels of a PNG as the imaging component decodes them; nothing when
// it cannot, or when the picture is not 24-bit BGR. COM must be initialised
// on this thread.
inline std::optional<BgrImage> decode_png(std::string_view png) {
    IWICImagingFactory* raw_factory = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&raw_factory))))
        return std::nullopt;
    win::UniqueCom<IWICImagingFactory> factory(raw_factory);
    IWICStream* raw_stream = nullptr;
    if (FAILED(factory.get()->CreateStream(&raw_stream))) return std::nullopt;
    win::UniqueCom<IWICStream> stream(raw_stream);
    std::string bytes(png);
    if (FAILED(stream.get()->InitializeFromMemory(reinterpret_cast<BYTE*>(bytes.data()),
                                                  static_cast<DWORD>(bytes.size()))))
        return std::nullopt;
    IWICBitmapDecoder* raw_decoder = nullptr;
    if (FAILED(factory.get()->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                      &raw_decoder)))
        return std::nullopt;
    win::UniqueCom<IWICBitmapDecoder> decoder(raw_decoder);
    IWICBitmapFrameDecode* raw_frame = nullptr;
    if (FAILED(decoder.get()->GetFrame(0, &raw_frame))) return std::nullopt;
    win::UniqueCom<IWICBitmapFrameDecode> frame(raw_frame);
    WICPixelFormatGUID format{};
    UINT width = 0, height = 0;
    if (FAILED(frame.get()->GetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
        FAILED(frame.get()->GetSize(&width, &height)))
        return std::nullopt;
    BgrImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.stride = bgr_stride(image.width);
    image.rows.assign(image.stride * height, 0);
    if (FAILED(frame.get()->CopyPixels(nullptr, static_cast<UINT>(image.stride),
                                       static_cast<UINT>(image.rows.size()), image.rows.data())))
        return std::nullopt;
    return image;
}

} // namespace quarn::testing
