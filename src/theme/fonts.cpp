#include "theme/fonts.hpp"

#include <cwchar>

#include "theme/theme_state.hpp"

namespace quarn::theme {

namespace {

HFONT cached_font(UINT dpi, int size, bool underline, bool code) noexcept {
    if (dpi == 0) dpi = USER_DEFAULT_SCREEN_DPI;
    auto& fonts = detail::state().fonts;
    detail::FontKey key{dpi, size, underline, code};
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
    // Where Consolas is missing, the pitch and family still pick a font whose
    // letters all have one width.
    font.lfPitchAndFamily = code ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
    std::wcsncpy(font.lfFaceName, code ? L"Consolas" : L"Segoe UI", LF_FACESIZE - 1);
    win::UniqueFont created(::CreateFontIndirectW(&font));
    HFONT handle = created.get();
    if (created) fonts[key] = std::move(created);
    return handle;
}

} // namespace

HFONT dialog_font(UINT dpi, int size, FontLine line) noexcept {
    return cached_font(dpi, size, line == FontLine::Underlined, false);
}

HFONT code_font(UINT dpi, int size) noexcept {
    return cached_font(dpi, size, false, true);
}

HFONT font_for_dpi(HFONT font, UINT from_dpi, UINT to_dpi) noexcept {
    if (font == nullptr || from_dpi == to_dpi) return font;
    for (int size : {k_text_size, k_heading_size}) {
        if (font == dialog_font(from_dpi, size, FontLine::Plain))
            return dialog_font(to_dpi, size, FontLine::Plain);
        if (font == dialog_font(from_dpi, size, FontLine::Underlined))
            return dialog_font(to_dpi, size, FontLine::Underlined);
        if (font == code_font(from_dpi, size)) return code_font(to_dpi, size);
    }
    return font;
}

} // namespace quarn::theme
