#include "theme/fonts.hpp"

#include <cwchar>

#include "theme/theme_state.hpp"

namespace quarn::theme {

HFONT dialog_font(UINT dpi, int size, FontLine line) noexcept {
    bool underline = line == FontLine::Underlined;
    if (dpi == 0) dpi = USER_DEFAULT_SCREEN_DPI;
    auto& fonts = detail::state().fonts;
    detail::FontKey key{dpi, size, underline};
    if (auto found = fonts.find(key); found != fonts.end() && found->second) return found->second.get();

    LOGFONTW font{};
    // A positive height is the cell height, which is what the dialog sizes
    // are laid out for.
    font.lfHeight = font_height(dpi, size);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wcsncpy(font.lfFaceName, L"Segoe UI", LF_FACESIZE - 1);
    win::UniqueFont created(::CreateFontIndirectW(&font));
    HFONT handle = created.get();
    if (created) fonts[key] = std::move(created);
    return handle;
}

} // namespace quarn::theme
