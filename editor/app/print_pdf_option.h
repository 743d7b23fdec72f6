// zubaroo --print-pdf OUT.pdf [--analyze] [--for Bb|Eb|F] FILE: a chart printed
// to a PDF without a window, optionally analysed, optionally as the part for a
// transposing instrument with the part's title ("E\u266D part") in the header.
#pragma once

#include <QStringList>

namespace zub {

// printPdfOption({"--print-pdf", "out.pdf", "--for", "Eb", "in.txt"}) -> the exit
// status: 0 when written, 1 after "zubaroo: reason" on stderr, 2 after the usage.
int printPdfOption(const QStringList& args);

}  // namespace zub
