#include "editor/layout/page_plan.h"

#include <algorithm>

namespace zub {

namespace {

// The scale that puts the whole chart into the first page's room.
float onePageScale(float chartHeight, const PageGeometry& page) {
    return chartHeight > 0 ? (page.height - page.headerHeight) / chartHeight : 1.0f;
}

}  // namespace

PrintScale printScale(float naturalWidth, float chartHeight, float chordPoints, const PageGeometry& page,
                      bool fitToOnePage) {
    const float points = chordPoints > 0 ? chordPoints : 1;
    float scale = std::min(naturalWidth > 0 ? page.width / naturalWidth : 1.0f, max_print_chord_points / points);
    const float single = onePageScale(chartHeight, page);
    if (single >= scale) return {scale, true};
    const float floor = fitToOnePage ? fit_chord_points : auto_fit_chord_points;
    if (single * points >= floor) return {single, true};
    return {scale, false};
}

bool fitsOnOnePage(float chartHeight, float chordPoints, const PageGeometry& page) {
    return onePageScale(chartHeight, page) * chordPoints >= fit_chord_points;
}

std::vector<PageBand> printedPages(const ChartLayout& layout, float scale, const PageGeometry& page) {
    std::vector<PageBand> pages;
    // A chart on one page needs no page number, so no footer.
    if (layout.height * scale <= page.height - page.headerHeight) return {{0, layout.height}};
    float top = 0;
    do {
        const float room = (page.height - page.footerHeight - (pages.empty() ? page.headerHeight : 0)) / scale;
        const float proposed = top + std::max(room, 1.0f);
        const float bottom = std::min(adjustPageBottom(layout, top, proposed), layout.height);
        pages.push_back({top, bottom});
        top = bottom;
    } while (top < layout.height);
    return pages;
}

}  // namespace zub
