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

// The page loop: one print document named `document_name` with the plan's
// pages, each with the name at the top, "Page n of N" at the bottom and its
// stretch of the scene between. Any DC that takes documents will do (a
// printer's, or a metafile's in tests). Gives the number of pages the
// printer took; a page that cannot be started or ended stops the loop, the
// pages before it stay.
[[nodiscard]] std::size_t print_pages(HDC printer, const Scene& scene, const PrintPlan& plan,
                                      const std::string& document_name) noexcept;

// The system's print dialog (no page ranges, no selection, copies and
// collation left to the driver) darkened by the program's hook. The chosen
// printer's DC, or none when the dialog was cancelled or gave no DC.
[[nodiscard]] win::UniquePrinterDc ask_printer(HWND owner) noexcept;

} // namespace quarn
