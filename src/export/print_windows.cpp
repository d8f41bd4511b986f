#include "export/print.hpp"

#include <commdlg.h>

#include "dark_dialog/dark_dialog.hpp"
#include "render/gdi_renderer.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

constexpr Rgb k_black{0, 0, 0};

// StartDocW / EndDoc; a document left half way is aborted, so that the
// spooler drops it rather than wait for more pages.
class PrintDocument {
  public:
    PrintDocument(HDC printer, const std::wstring& name) noexcept : printer_(printer) {
        DOCINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszDocName = name.c_str();
        started_ = ::StartDocW(printer, &info) > 0;
    }
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;
    ~PrintDocument() {
        if (!started_) return;
        if (pages_ > 0) {
            ::EndDoc(printer_);
        } else {
            ::AbortDoc(printer_);
        }
    }
    [[nodiscard]] bool started() const noexcept { return started_; }
    void page_done() noexcept { ++pages_; }

  private:
    HDC printer_;
    bool started_ = false;
    std::size_t pages_ = 0;
};

void paint_text(HDC printer, const std::string& text, float x, float y, float size, TextAlign align,
                const render::ViewTransform& view) {
    const SceneItem item = Text{text, x, y, size, FontWeight::Normal, align, k_black};
    render::paint_scene(printer, {&item, 1}, view);
}

// False when the page's items could not be had (out of memory).
bool print_page(HDC printer, const Scene& scene, const PrintPlan& plan, const std::string& name,
                std::size_t number) noexcept try {
    const PageGeometry& page = plan.geometry;
    const float left = static_cast<float>(page.left);
    // Header and footer at natural size, the footer centred on the picture.
    const float inch = static_cast<float>(page.dpi_y) / 96.0f;
    paint_text(printer, name, 0.0f, 12.0f, 12.0f, TextAlign::Left,
               render::ViewTransform{inch, -left, -static_cast<float>(page.top)});
    paint_text(printer, page_footer(number, plan.pages.size()),
               static_cast<float>(page.right - page.left) / 2.0f / inch, 10.0f, 10.0f, TextAlign::Centre,
               render::ViewTransform{inch, -left, -static_cast<float>(page.bottom)});

    const Span& stretch = plan.pages[number - 1];
    win::SavedDcState saved(printer);
    ::IntersectClipRect(printer, page.left, page.picture_top(), page.right, page.bottom);
    const std::vector<SceneItem> shown = items_on_page(scene.items, stretch);
    render::paint_scene(
        printer, shown,
        render::ViewTransform{plan.scale, -left,
                              stretch.top * plan.scale - static_cast<float>(page.picture_top())});
    return true;
} catch (...) {
    return false;
}

} // namespace

PrinterMetrics printer_metrics(HDC printer) noexcept {
    PrinterMetrics metrics;
    metrics.dpi_x = ::GetDeviceCaps(printer, LOGPIXELSX);
    metrics.dpi_y = ::GetDeviceCaps(printer, LOGPIXELSY);
    metrics.physical_width = ::GetDeviceCaps(printer, PHYSICALWIDTH);
    metrics.physical_height = ::GetDeviceCaps(printer, PHYSICALHEIGHT);
    metrics.offset_x = ::GetDeviceCaps(printer, PHYSICALOFFSETX);
    metrics.offset_y = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
    metrics.printable_width = ::GetDeviceCaps(printer, HORZRES);
    metrics.printable_height = ::GetDeviceCaps(printer, VERTRES);
    return metrics;
}

std::size_t print_pages(HDC printer, const Scene& scene, const PrintPlan& plan,
                        const std::string& document_name) noexcept {
    std::wstring name;
    try {
        name = win::widen(document_name);
    } catch (...) {
        return 0;
    }
    PrintDocument document(printer, name);
    if (!document.started()) return 0;
    std::size_t printed = 0;
    for (std::size_t number = 1; number <= plan.pages.size(); ++number) {
        if (::StartPage(printer) <= 0) break;
        if (!print_page(printer, scene, plan, document_name, number)) break;
        if (::EndPage(printer) <= 0) break;
        document.page_done();
        ++printed;
    }
    return printed;
}

win::UniquePrinterDc ask_printer(HWND owner) noexcept {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags =
        PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE | PD_ENABLEPRINTHOOK;
    dialog.lpfnPrintHook = &dark_dialog::dark_dialog_hook;
    const BOOL chosen = ::PrintDlgW(&dialog);
    // The printer's settings went into its DC; the dialog's copies of them
    // are not needed after it.
    win::UniqueGlobal mode(dialog.hDevMode);
    win::UniqueGlobal names(dialog.hDevNames);
    win::UniquePrinterDc dc(dialog.hDC);
    if (!chosen) return {};
    return dc;
}

} // namespace quarn
