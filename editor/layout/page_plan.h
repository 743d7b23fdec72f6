// How a chart goes on paper, as arithmetic: the scale from the chart's
// layout to the page (chords as large as the lines allow, up to a size
// musicians read from a stand), whether it is shrunk to one page, and where
// the pages break (only between lines). Lengths are in the printer's device
// units, which the chart's layout shares before scaling.
#pragma once

#include <vector>

#include "editor/layout/chart_layout.h"

namespace zub {

// Chords are printed at most this large; a chart that then needs several pages
// is shrunk to one as long as its chords stay at least auto_fit_chord_points;
// "Fit to One Page" shrinks it down to fit_chord_points.
inline constexpr float max_print_chord_points = 18;
inline constexpr float auto_fit_chord_points = 11;
inline constexpr float fit_chord_points = 7;

// The printable area of a page, the band its first page gives the header and
// the band every page keeps for its number at the bottom.
struct PageGeometry {
    float width = 0, height = 0;
    float headerHeight = 0;
    float footerHeight = 0;
};

struct PrintScale {
    float scale = 1;  // page units per chart unit
    bool onePage = false;
};

// printScale(natural width, chart height, chord points, page, fit) -> the scale: the
// lines fill the printable width with chords at most max_print_chord_points; shrunk to one
// page when that keeps the chords at auto_fit_chord_points (fit_chord_points when fit is asked).
PrintScale printScale(float naturalWidth, float chartHeight, float chordPoints, const PageGeometry& page,
                      bool fitToOnePage);

// fitsOnOnePage(...) -> whether "Fit to One Page" can put the chart on one page.
bool fitsOnOnePage(float chartHeight, float chordPoints, const PageGeometry& page);

// printedPages(layout, scale, page) -> the band of the chart on each page: the first
// below the header, every one ending between two lines (a line taller than a page is
// cut) and above the page number, which a chart of one page goes without.
std::vector<PageBand> printedPages(const ChartLayout& layout, float scale, const PageGeometry& page);

}  // namespace zub
