#include "export/print_layout.hpp"

#include <algorithm>
#include <variant>

namespace quarn {
namespace {

// Half of the thickest line or the tallest text that reaches over an item's
// own bounds; texts are centred on their y.
struct Extent {
    float top;
    float bottom;
};

Extent extent_of(const SceneItem& item) {
    if (const auto* rect = std::get_if<Rect>(&item)) {
        const float edge = rect->outline ? rect->outline_width / 2.0f : 0.0f;
        return {rect->y - edge, rect->y + rect->height + edge};
    }
    if (const auto* line = std::get_if<Line>(&item)) {
        const float edge = line->width / 2.0f;
        return {std::min(line->y1, line->y2) - edge, std::max(line->y1, line->y2) + edge};
    }
    const auto& text = std::get<Text>(item);
    return {text.y - text.size, text.y + text.size};
}

} // namespace

PageGeometry page_geometry(const PrinterMetrics& printer) noexcept {
    PageGeometry page;
    page.dpi_x = std::max(printer.dpi_x, 1);
    page.dpi_y = std::max(printer.dpi_y, 1);
    page.margin_x = page.dpi_x * 120 / 254;
    page.margin_y = page.dpi_y * 120 / 254;
    page.band = page.dpi_y * 3 / 10;
    page.left = std::max(0, page.margin_x - printer.offset_x);
    page.right = std::min(printer.printable_width, printer.physical_width - printer.offset_x - page.margin_x);
    page.top = std::max(0, page.margin_y - printer.offset_y);
    page.bottom =
        std::min(printer.printable_height, printer.physical_height - page.margin_y - printer.offset_y) -
        page.band;
    return page;
}

std::vector<Span> break_pages(std::span<const Span> blocks, std::span<const Span> cuts, float page_height) {
    std::vector<Span> candidates;
    candidates.reserve(blocks.size());
    for (const Span& block : blocks) {
        const std::size_t before = candidates.size();
        if (block.bottom - block.top > page_height) {
            for (const Span& cut : cuts)
                if (cut.top >= block.top && cut.bottom <= block.bottom) candidates.push_back(cut);
        }
        if (candidates.size() == before) candidates.push_back(block);
    }
    if (candidates.empty()) return {Span{0.0f, 0.0f}};
    if (!(page_height > 0.0f)) return {Span{0.0f, candidates.back().bottom}};

    std::vector<Span> pages;
    float start = 0.0f;
    float previous_end = 0.0f;
    for (const Span& candidate : candidates) {
        if (candidate.bottom - start > page_height) {
            const bool taken = previous_end > start; // a candidate is on this page already
            // Only the picture's head (the site title) lies above the
            // first candidate: it gets a page of its own rather than push
            // a block that fits onto two.
            const bool head_only =
                !taken && candidate.top > start && candidate.bottom - candidate.top <= page_height;
            if (taken || head_only) {
                pages.push_back({start, taken ? previous_end : candidate.top});
                start = candidate.top;
            }
            while (candidate.bottom - start > page_height) {
                pages.push_back({start, start + page_height});
                start += page_height;
            }
        }
        previous_end = candidate.bottom;
    }
    pages.push_back({start, candidates.back().bottom});
    return pages;
}

std::optional<PrintPlan> plan_print(const PrinterMetrics& printer, const Scene& scene) {
    PrintPlan plan;
    plan.geometry = page_geometry(printer);
    const PageGeometry& page = plan.geometry;
    if (!page.has_picture_area()) return std::nullopt;
    plan.scale = static_cast<float>(page.dpi_x) / 96.0f;
    if (scene.width > 0.0f)
        plan.scale = std::min(plan.scale, static_cast<float>(page.right - page.left) / scene.width);
    // Some printers resolve finer across than down (600 by 300 dots an
    // inch): a scene unit is as long down the page as across it.
    plan.scale_y = plan.scale * static_cast<float>(page.dpi_y) / static_cast<float>(page.dpi_x);
    plan.page_height = static_cast<float>(page.bottom - page.picture_top()) / plan.scale_y;
    plan.pages = break_pages(scene.blocks, scene.cuts, plan.page_height);
    return plan;
}

std::string page_footer(std::size_t page, std::size_t count) {
    return "Page " + std::to_string(page) + " of " + std::to_string(count);
}

namespace {

template <class Items>
std::vector<SceneItem> reaching_into(const Items& items, Span page) {
    std::vector<SceneItem> shown;
    for (const SceneItem& item : items) {
        const Extent extent = extent_of(item);
        if (extent.bottom >= page.top && extent.top <= page.bottom) shown.push_back(item);
    }
    return shown;
}

} // namespace

std::vector<SceneItem> items_on_page(std::span<const SceneItem> items, Span page) {
    return reaching_into(items, page);
}

std::vector<SceneItem> items_on_page(const SceneItems& items, Span page) {
    return reaching_into(items, page);
}

} // namespace quarn
