// Printing a chart view: fitted to the page width, inside the four printing
// margins of the parameters table, with page breaks only between lines of bars.
#pragma once

#include <QString>

class QPrinter;

namespace zub {

class ChartView;

// printChart(view, printer) draws every page of the chart on the printer;
// the chart view keeps its layout. A header ("E♭ part") goes at the top
// right of the first page.
void printChart(const ChartView& view, QPrinter& printer, const QString& header = {});

// printChartToPdf(view, "out.pdf") lays the chart out at the printable width
// and writes a PDF; "Can't write output file: out.pdf" when it cannot.
void printChartToPdf(ChartView& view, const QString& path, const QString& header = {});

// setUpPrinter(printer): margins = parameters x 72 points, resolution of the screen
// (so the chord font measures the same on paper as in the window).
void setUpPrinter(QPrinter& printer);

}  // namespace zub
