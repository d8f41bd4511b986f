#include "export/print.hpp"

#include <commdlg.h>

#include <optional>

#include "dark_dialog/dark_dialog.hpp"
#include "export/print_progress.hpp"
#include "render/gdi_renderer.hpp"
#include "win/wide.hpp"

namespace quarn {
namespace {

constexpr Rgb k_black{0, 0, 0};

int system_start_doc(HDC printer, const DOCINFOW& info) noexcept {
    return ::StartDocW(printer, &info);
}
int system_start_page(HDC printer) noexcept {
    return ::StartPage(printer);
}
int system_end_page(HDC printer) noexcept {
    return ::EndPage(printer);
}
int system_end_doc(HDC printer) noexcept {
    return ::EndDoc(printer);
}
int system_abort_doc(HDC printer) noexcept {
    return ::AbortDoc(printer);
}
constexpr DocumentCalls k_system_calls{&system_start_doc, &system_start_page, &system_end_page,
                                       &system_end_doc, &system_abort_doc};

const DocumentCalls*& current_calls() noexcept {
    thread_local const DocumentCalls* calls = nullptr;
    return calls;
}

const DocumentCalls& calls() noexcept {
    const DocumentCalls* replaced = current_calls();
    return replaced != nullptr ? *replaced : k_system_calls;
}

// The printer's abort procedure runs inside the spooler's calls, on this
// thread, with nothing but the DC; the job's progress window is found
// through it. One job prints at a time on a thread.
PrintProgress*& progress_of_job() noexcept {
    thread_local PrintProgress* progress = nullptr;
    return progress;
}

BOOL CALLBACK abort_procedure(HDC, int) noexcept {
    PrintProgress* progress = progress_of_job();
    return progress == nullptr || progress->pump() ? TRUE : FALSE;
}

// StartDoc / EndDoc; a document left half way, or cancelled, is aborted,
// so that the spooler drops it rather than wait for more pages.
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
        started_ = calls().start_doc(printer, info) > 0;
        cancelled_ = !started_ && ::GetLastError() == ERROR_CANCELLED;
    }
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;
    ~PrintDocument() {
        if (!started_) return;
        if (pages_ > 0 && !cancelled_) {
            calls().end_doc(printer_);
        } else {
            calls().abort_doc(printer_);
        }
    }
    [[nodiscard]] bool started() const noexcept { return started_; }
    [[nodiscard]] bool cancelled() const noexcept { return cancelled_; }
    void cancel() noexcept { cancelled_ = true; }
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

void set_document_calls(const DocumentCalls* calls) noexcept {
    current_calls() = calls;
}

std::size_t print_pages(HDC printer, const Scene& scene, const PrintPlan& plan,
                        const std::string& document_name, PrintJob* job) noexcept {
    std::wstring name;
    try {
        name = win::widen(document_name);
    } catch (...) {
        return 0;
    }
    std::optional<PrintProgress> progress;
    if (job != nullptr && job->progress_owner != nullptr)
        progress.emplace(job->progress_owner, plan.pages.size());
    PrintProgress* previous = progress_of_job();
    progress_of_job() = progress ? &*progress : nullptr;
    if (progress) ::SetAbortProc(printer, &abort_procedure);

    std::size_t printed = 0;
    {
        PrintDocument document(printer, name, job != nullptr && job->to_file);
        for (std::size_t number = 1; document.started() && number <= plan.pages.size(); ++number) {
            if (progress && !progress->page(number)) {
                document.cancel();
                break;
            }
            if (calls().start_page(printer) <= 0) break;
            if (!paint_print_page(printer, scene, plan, document_name, number)) break;
            // The spooler calls the abort procedure while it takes the page;
            // a cancel there makes EndPage fail.
            if (calls().end_page(printer) <= 0) {
                if (progress && progress->cancelled()) document.cancel();
                break;
            }
            document.page_done();
            ++printed;
        }
        if (job != nullptr) job->cancelled = document.cancelled();
    }
    progress_of_job() = previous;
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
