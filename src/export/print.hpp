#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "draw/scene.hpp"
#include "export/print_layout.hpp"
#include "win/unique.hpp"

namespace quarn {

// The device capabilities of a printer's DC.
[[nodiscard]] PrinterMetrics printer_metrics(HDC printer) noexcept;

// What the print dialog chose beyond the printer, and how the job ended.
struct PrintJob {
    // "Print to file" was ticked: the document goes to the port "FILE:",
    // for which the spooler asks the user for the file's name.
    bool to_file = false;
    // Where the progress window (the page printing and Cancel) is shown,
    // its owner disabled meanwhile; none shows no window.
    HWND progress_owner = nullptr;
    // The user cancelled: in the progress window, or in the file box of a
    // printer that writes files ("Microsoft Print to PDF", XPS), which makes
    // StartDoc fail with ERROR_CANCELLED. A cancel is no failure and is not
    // reported; a document cancelled half way is aborted.
    bool cancelled = false;
};

// The page loop: one print document named `document_name` with the plan's
// pages, each with the name at the top, "Page n of N" at the bottom and its
// stretch of the scene between. Any DC that takes documents will do (a
// printer's, or a metafile's in tests). Gives the number of pages the
// printer took; a page that cannot be started or ended stops the loop, the
// pages before it stay. `job`, when given, says where the document goes and
// whether to show progress, and is told whether the user cancelled.
[[nodiscard]] std::size_t print_pages(HDC printer, const Scene& scene, const PrintPlan& plan,
                                      const std::string& document_name, PrintJob* job = nullptr) noexcept;

// The spooler's calls for one document; a seam for tests, which replace
// them on their thread (null restores the system's).
struct DocumentCalls {
    int (*start_doc)(HDC printer, const DOCINFOW& info) noexcept = nullptr;
    int (*start_page)(HDC printer) noexcept = nullptr;
    int (*end_page)(HDC printer) noexcept = nullptr;
    int (*end_doc)(HDC printer) noexcept = nullptr;
    int (*abort_doc)(HDC printer) noexcept = nullptr;
};
void set_document_calls(const DocumentCalls* calls) noexcept;

// One page as the page loop paints it between StartPage and EndPage: the
// name, the footer and the page's stretch of the scene, each axis at the
// printer's resolution along it. False when the page's items could not be
// had (out of memory).
[[nodiscard]] bool paint_print_page(HDC printer, const Scene& scene, const PrintPlan& plan,
                                    const std::string& name, std::size_t number) noexcept;

// The system's print dialog (no page ranges, no selection, copies and
// collation left to the driver) darkened by the program's hook. The chosen
// printer's DC, or none when the dialog was cancelled or gave no DC; `job`
// learns whether "Print to file" was ticked.
[[nodiscard]] win::UniquePrinterDc ask_printer(HWND owner, PrintJob* job = nullptr) noexcept;

} // namespace quarn
