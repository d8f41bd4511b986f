#include "dialogs/form_controls.hpp"

#include "controls/create_controls.hpp"
#include "theme/fonts.hpp"
#include "win/unique.hpp"

namespace quarn::dialogs {
namespace {

using controls::ControlKind;
using controls::ControlRow;

void fit_text(HWND control, const ControlRow& row, UINT dpi, HFONT font) noexcept {
    wchar_t text[256] = {};
    int length = ::GetWindowTextW(control, text, 256);
    if (length <= 0) return;
    bool check_box = row.kind == ControlKind::CheckBox;
    // The box and the gap before the text, as the button draws them.
    int lead = check_box ? ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + scale_units(4, dpi) : 0;
    int width = scale_units(row.w, dpi) - lead;
    int height = scale_units(row.h, dpi);
    win::WindowDc dc(control);
    if (dc.get() == nullptr || width <= 0) return;
    win::SelectGuard keep(dc.get(), font);
    RECT line{0, 0, 0, 0};
    // Measured as the control draws it: the '&' of an access key takes no room.
    ::DrawTextW(dc.get(), text, length, &line, DT_CALCRECT | DT_SINGLELINE);
    if (line.right <= width) return;
    RECT wrapped{0, 0, width, 0};
    ::DrawTextW(dc.get(), text, length, &wrapped, DT_CALCRECT | DT_WORDBREAK);
    int needed = wrapped.bottom;
    if (needed <= height) return;
    if (check_box)
        ::SetWindowLongPtrW(control, GWL_STYLE, ::GetWindowLongPtrW(control, GWL_STYLE) | BS_MULTILINE);
    int top = scale_units(row.y, dpi) - (needed - height) / 2;
    ::SetWindowPos(control, nullptr, scale_units(row.x, dpi), top, scale_units(row.w, dpi), needed,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void create_form_controls(HWND window, std::span<const ControlRow> table, void* custom_object) noexcept {
    UINT dpi = controls::window_dpi(window);
    controls::CreatedControls created = controls::create_controls(window, table, dpi, custom_object);
    HFONT font = theme::dialog_font(dpi, theme::k_text_size, theme::FontLine::Plain);
    for (std::size_t i = 0; i < created.handles.size(); ++i) {
        ControlKind kind = table[i].kind;
        if (created.handles[i] != nullptr && (kind == ControlKind::Label || kind == ControlKind::CheckBox))
            fit_text(created.handles[i], table[i], dpi, font);
    }
}

} // namespace quarn::dialogs
