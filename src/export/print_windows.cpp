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
DocumentStarter& current_starter() noexcept {
    thread_local DocumentStarter starter = nullptr;
    return starter;
}

int start_document(HDC printer, const DOCINFOW& info) noexcept {
    DocumentStarter starter = current_starter();
    return starter != nullptr ? starter(printer, info) : ::StartDocW(printer, &info);
}

class PrintDocument {
  public:
    PrintDocument(HDC printer, const std::wstring& name, bool to_file) noexcept : printer_(printer) {
        DOCINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszDocName = name.c_str();
        // The port name for which the spooler asks where the file goes, as
        // the print dialog's "Print to file" means.
        info.lpszOutput = to_file ? L"FILE:" : nullptr;
        ::SetLastError(ERROR_SUCCESS);
        started_ = start_document(printer, info) > 0;
        cancelled_ = !started_ && ::GetLastError() == ERROR_CANCELLED;
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
    [[nodiscard]] bool cancelled() const noexcept { return cancelled_; }
    void page_done() noexcept { ++pages_; }

  private:
    HDC printer_;
    bool started_ = false;
    bool cancelled_ = false;
    std::size_t pages_ = 0;
};

void paint_text(HDC printer, const std::string& text, float x, float y, float size, TextAlign align,
                const render::ViewTransform& view) {
    const SceneItem item = Text{text, x, y, size, FontWeight::Normal, align, k_black};
    render::paint_scene(printer, {&item, 1}, view);
}

// Down the page, one unit of what is painted is dpi_y / dpi_x printer
// pixels: everything is laid out at the horizontal resolution and GDI's world
// transform stretches it to the vertical one. The clipping set before stays
// in the printer's own pixels.
class VerticalStretch {
  public:
    VerticalStretch(HDC printer, float stretch) noexcept : printer_(printer) {
        if (stretch == 1.0f) return;
        mode_ = ::SetGraphicsMode(printer, GM_ADVANCED);
        const XFORM form{1.0f, 0.0f, 0.0f, stretch, 0.0f, 0.0f};
        set_ = mode_ != 0 && ::SetWorldTransform(printer, &form);
    }
    VerticalStretch(const VerticalStretch&) = delete;
    VerticalStretch& operator=(const VerticalStretch&) = delete;
    ~VerticalStretch() {
        if (set_) ::ModifyWorldTransform(printer_, nullptr, MWT_IDENTITY);
        if (mode_ != 0) ::SetGraphicsMode(printer_, mode_);
    }

  private:
    HDC printer_;
    int mode_ = 0;
    bool set_ = false;
};

} // namespace

bool paint_print_page(HDC printer, const Scene& scene, const PrintPlan& plan, const std::string& name,
                      std::size_t number) noexcept try {
    const PageGeometry& page = plan.geometry;
    const float left = static_cast<float>(page.left);
    const float stretch = plan.scale_y / plan.scale;
    const float inch = static_cast<float>(page.dpi_x) / 96.0f;
    {
        // Header and footer at natural size, the footer centred on the picture.
        VerticalStretch vertical(printer, stretch);
        paint_text(printer, name, 0.0f, 12.0f, 12.0f, TextAlign::Left,
                   render::ViewTransform{inch, -left, -static_cast<float>(page.top) / stretch});
        paint_text(printer, page_footer(number, plan.pages.size()),
                   static_cast<float>(page.right - page.left) / 2.0f / inch, 10.0f, 10.0f, TextAlign::Centre,
                   render::ViewTransform{inch, -left, -static_cast<float>(page.bottom) / stretch});
    }

    const Span& part = plan.pages[number - 1];
    win::SavedDcState saved(printer);
    // The clip in the printer's own pixels, set before the stretch.
    ::IntersectClipRect(printer, page.left, page.picture_top(), page.right, page.bottom);
    VerticalStretch vertical(printer, stretch);
    const std::vector<SceneItem> shown = items_on_page(scene.items, part);
    render::paint_scene(
        printer, shown,
        render::ViewTransform{plan.scale, -left,
                              part.top * plan.scale - static_cast<float>(page.picture_top()) / stretch});
    return true;
} catch (...) {
    return false;
}

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

DocumentStarter set_document_starter(DocumentStarter starter) noexcept {
    DocumentStarter previous = current_starter();
    current_starter() = starter;
    return previous;
}

std::size_t print_pages(HDC printer, const Scene& scene, const PrintPlan& plan,
                        const std::string& document_name, PrintJob* job) noexcept {
    std::wstring name;
    try {
        name = win::widen(document_name);
    } catch (...) {
        return 0;
    }
    PrintDocument document(printer, name, job != nullptr && job->to_file);
    if (job != nullptr) job->cancelled = document.cancelled();
    if (!document.started()) return 0;
    std::size_t printed = 0;
    for (std::size_t number = 1; number <= plan.pages.size(); ++number) {
        if (::StartPage(printer) <= 0) break;
        if (!paint_print_page(printer, scene, plan, document_name, number)) break;
        if (::EndPage(printer) <= 0) break;
        document.page_done();
        ++printed;
    }
    return printed;
}

win::UniquePrinterDc ask_printer(HWND owner, PrintJob* job) noexcept {
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
    if (job != nullptr) job->to_file = (dialog.Flags & PD_PRINTTOFILE) != 0;
    return dc;
}

} // namespace quarn
