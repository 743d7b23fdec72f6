// zubaroo --print-pdf OUT.pdf [--analyze] [--for Bb|Eb|F] [--paper a4|letter] [--one-page] FILE:
// a chart printed to a PDF without a window, the same page the window's Export as PDF
// gives; optionally analysed, optionally as the part for a transposing instrument with
// the part's title ("E\u266D part") in the header, on the locale's paper unless
// --paper names one, shrunk to one page with --one-page where the chart allows it.
#pragma once

#include <QStringList>

namespace zub {

// printPdfOption({"--print-pdf", "out.pdf", "--for", "Eb", "in.txt"}) -> the exit
// status: 0 when written, 1 after "zubaroo: reason" on stderr, 2 after the usage.
int printPdfOption(const QStringList& args);

}  // namespace zub
