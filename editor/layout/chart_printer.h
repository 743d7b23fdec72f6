// Printing a chart: a page that fills the paper. The lines are the chart
// view's (broken by the form), scaled to the printable width (page_plan), under
// a header with the title, the composer, the style, the tempo, the key and the
// part; pages break only between lines and are numbered ("1/2") when there are
// several. The page is the same whether it comes from the window or from
// zubaroo --print-pdf: it does not depend on the window's size.
#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

#include "bridge/plist.h"

class QPrinter;

namespace zub {

class ChartView;

// The header's texts: tempo "♩ = 120", key "G minor", part "E♭ part" ("" at concert pitch).
struct PageHeader {
    QString title, composer, style, tempo, key, part;
};

// pageHeaderOf(chart, "E♭ part") -> the header of the chart as shown (a part's own key).
PageHeader pageHeaderOf(const Plist& chart, const QString& part = {});

struct PrintOptions {
    PageHeader header;
    bool fitToOnePage = false;
};

// localePaperSize() -> Letter where the locale's paper is Letter (LC_PAPER), else A4.
QPageSize localePaperSize();
// paperOfName("a4") -> A4, "letter" -> Letter; none otherwise.
std::optional<QPageSize> paperOfName(const QString& name);

// printChart(view, printer, options) draws every page of the chart on the
// printer; the view keeps its own layout. "Can't write output file: out.pdf"
// when the printer cannot be opened.
void printChart(const ChartView& view, QPrinter& printer, const PrintOptions& options);

// printChartToPdf(view, "out.pdf", options, paper) writes the PDF;
// "Can't write output file: out.pdf" when it cannot.
void printChartToPdf(const ChartView& view, const QString& path, const PrintOptions& options = {},
                     const QPageSize& paper = localePaperSize());

// canFitOnOnePage(view, printer): whether "Fit to One Page" can put the chart on one page of that paper.
bool canFitOnOnePage(const ChartView& view, const QPrinter& printer);

// setUpPrinter(printer): margins = parameters x 72 points, resolution of the screen
// (so the chord font measures the same on paper as in the window).
void setUpPrinter(QPrinter& printer);

}  // namespace zub
