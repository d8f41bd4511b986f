#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/scene.hpp"

namespace quarn {

// What a printer's device capabilities say about its page, in its pixels.
struct PrinterMetrics {
    int dpi_x = 0;
    int dpi_y = 0;
    int physical_width = 0;
    int physical_height = 0;
    int offset_x = 0; // of the printable area within the physical page
    int offset_y = 0;
    int printable_width = 0;
    int printable_height = 0;
};

// The page in the printer's pixels, measured from the printable area's
// corner: 12 mm margins all round, and above and below the picture a band of
// 0.3 inch for the header and the footer.
struct PageGeometry {
    int dpi_x = 1;
    int dpi_y = 1;
    int margin_x = 0;
    int margin_y = 0;
    int band = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0; // of the picture area; the footer band lies below it

    [[nodiscard]] int picture_top() const noexcept { return top + band; }
    [[nodiscard]] bool has_picture_area() const noexcept { return left < right && picture_top() < bottom; }

    bool operator==(const PageGeometry&) const = default;
};

[[nodiscard]] PageGeometry page_geometry(const PrinterMetrics& printer) noexcept;

// The stretches of the scene that go on one page each, top to bottom. Pages
// break between the candidates: the blocks, or for a block taller than a
// page the cuts that lie inside it. Whatever is still taller than a page
// (a block without cuts, one cut) goes on as many pages as it needs, so
// nothing of the picture is ever left out.
[[nodiscard]] std::vector<Span> break_pages(std::span<const Span> blocks, std::span<const Span> cuts,
                                            float page_height);

// Everything the page loop needs, or nothing when the page has no room for
// a picture.
struct PrintPlan {
    PageGeometry geometry;
    float scale = 1.0f;       // printer pixels per scene unit across, never above natural size
    float scale_y = 1.0f;     // the same down the page: the scale at the printer's vertical resolution
    float page_height = 0.0f; // in scene units
    std::vector<Span> pages;
};
[[nodiscard]] std::optional<PrintPlan> plan_print(const PrinterMetrics& printer, const Scene& scene);

// "Page {} of {}", counted from 1.
[[nodiscard]] std::string page_footer(std::size_t page, std::size_t count);

// The items that reach into the page's stretch, in their order: a page
// hands the printer only what can show on it.
[[nodiscard]] std::vector<SceneItem> items_on_page(std::span<const SceneItem> items, Span page);
[[nodiscard]] std::vector<SceneItem> items_on_page(const SceneItems& items, Span page);

} // namespace quarn
