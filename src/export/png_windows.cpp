#include "export/png.hpp"

#include <wincodec.h>

#include <algorithm>
#include <climits>

#include "export/rasterise.hpp"

#include "export/safe_write.hpp"
#include "win/hresult.hpp"
#include "win/unique.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

// The encoded bytes from a stream on memory.
HRESULT stream_bytes(IStream* stream, std::string& out) {
    STATSTG stat{};
    QUARN_RETURN_IF_FAILED(stream->Stat(&stat, STATFLAG_NONAME));
    if (stat.cbSize.QuadPart > static_cast<ULONGLONG>(out.max_size())) return E_OUTOFMEMORY;
    HGLOBAL memory = nullptr;
    QUARN_RETURN_IF_FAILED(::GetHGlobalFromStream(stream, &memory));
    win::GlobalLockGuard locked(memory);
    if (locked.get() == nullptr) return HRESULT_FROM_WIN32(::GetLastError());
    out.assign(static_cast<const char*>(locked.get()), static_cast<std::size_t>(stat.cbSize.QuadPart));
    return S_OK;
}

HRESULT write_rows(IWICBitmapFrameEncode* frame, const RasterImage& rows) {
    if (rows.stride > UINT_MAX || rows.pixels.size() > UINT_MAX) return E_INVALIDARG;
    return frame->WritePixels(static_cast<UINT>(rows.height), static_cast<UINT>(rows.stride),
                              static_cast<UINT>(rows.pixels.size()), const_cast<BYTE*>(rows.pixels.data()));
}

// A PNG of `width` by `height` pixels whose rows `write` hands to the frame,
// top to bottom.
template <class Write>
HRESULT encode(std::int32_t width, std::int32_t height, Write&& write, std::string& png) {
    if (width <= 0 || height <= 0) return E_INVALIDARG;
    IWICImagingFactory* raw_factory = nullptr;
    QUARN_RETURN_IF_FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(&raw_factory)));
    win::UniqueCom<IWICImagingFactory> factory(raw_factory);

    IStream* raw_stream = nullptr;
    QUARN_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &raw_stream));
    win::UniqueCom<IStream> stream(raw_stream);

    IWICBitmapEncoder* raw_encoder = nullptr;
    QUARN_RETURN_IF_FAILED(factory.get()->CreateEncoder(GUID_ContainerFormatPng, nullptr, &raw_encoder));
    win::UniqueCom<IWICBitmapEncoder> encoder(raw_encoder);
    QUARN_RETURN_IF_FAILED(encoder.get()->Initialize(stream.get(), WICBitmapEncoderNoCache));

    IWICBitmapFrameEncode* raw_frame = nullptr;
    IPropertyBag2* raw_options = nullptr;
    QUARN_RETURN_IF_FAILED(encoder.get()->CreateNewFrame(&raw_frame, &raw_options));
    win::UniqueCom<IWICBitmapFrameEncode> frame(raw_frame);
    win::UniqueCom<IPropertyBag2> options(raw_options);
    // The encoder's own choice tries every filter on every row, which costs
    // most of the time of a tall picture. A map is flat colour, whose rows
    // pack best unfiltered: a third faster again, and a smaller file.
    PROPBAG2 filter_name{};
    filter_name.pstrName = const_cast<wchar_t*>(L"FilterOption");
    VARIANT filter{};
    filter.vt = VT_UI1;
    filter.bVal = static_cast<BYTE>(WICPngFilterNone);
    QUARN_RETURN_IF_FAILED(options.get()->Write(1, &filter_name, &filter));
    QUARN_RETURN_IF_FAILED(frame.get()->Initialize(options.get()));
    QUARN_RETURN_IF_FAILED(frame.get()->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    QUARN_RETURN_IF_FAILED(frame.get()->SetPixelFormat(&format));
    // The encoder may offer another format instead; the bytes are BGR.
    if (format != GUID_WICPixelFormat24bppBGR) return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    QUARN_RETURN_IF_FAILED(write(frame.get()));
    QUARN_RETURN_IF_FAILED(frame.get()->Commit());
    QUARN_RETURN_IF_FAILED(encoder.get()->Commit());
    return stream_bytes(stream.get(), png);
}

#undef QUARN_RETURN_IF_FAILED

} // namespace

HRESULT encode_png(const RasterImage& image, std::string& png) noexcept {
    try {
        return encode(
            image.width, image.height, [&](IWICBitmapFrameEncode* frame) { return write_rows(frame, image); },
            png);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT encode_scene_png(const Scene& scene, std::string& png) noexcept {
    try {
        const RasterSize size = raster_size(scene.width, scene.height);
        // Bands of a few megabytes: the encoder takes one while the next is
        // painted, and each band's painting walks the whole item list.
        const std::int32_t band_rows =
            std::max<std::int32_t>(64, (4 * 1024 * 1024) / std::max(1, size.width * 4));
        auto write = [&](IWICBitmapFrameEncode* frame) {
            HRESULT written = S_OK;
            const bool drawn = rasterise_bands(scene, band_rows, [&](const RasterImage& band) {
                written = write_rows(frame, band);
                return SUCCEEDED(written);
            });
            if (FAILED(written)) return written;
            return drawn ? S_OK : k_picture_not_drawn;
        };
        return encode(size.width, size.height, write, png);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

std::optional<std::string> save_png_file(const std::filesystem::path& target,
                                         const RasterImage& image) noexcept {
    try {
        std::string png;
        if (HRESULT result = encode_png(image, png); FAILED(result)) return win::hresult_message(result);
        return safe_write(target, png);
    } catch (...) {
        return win::system_message(ERROR_NOT_ENOUGH_MEMORY);
    }
}

std::optional<PngFailure> save_scene_png_file(const std::filesystem::path& target,
                                              const Scene& scene) noexcept {
    try {
        std::string png;
        if (HRESULT result = encode_scene_png(scene, png); FAILED(result))
            return PngFailure{result == k_picture_not_drawn, win::hresult_message(result)};
        if (auto error = safe_write(target, png)) return PngFailure{false, std::move(*error)};
        return std::nullopt;
    } catch (...) {
        return PngFailure{false, win::system_message(ERROR_NOT_ENOUGH_MEMORY)};
    }
}

} // namespace quarn
