#include "editor/app/print_pdf_option.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

#include "bridge/transposition.h"
#include "editor/app/analysis_menu.h"
#include "editor/app/my_document.h"
#include "editor/layout/chart_printer.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace zub {

namespace {

struct PrintRequest {
    QString out, in;
    bool analyze = false;
    std::optional<QString> instrument;
    std::optional<QString> paper;
    bool onePage = false;
};

// The options may come in either order between OUT.pdf and FILE.
std::optional<PrintRequest> parse(const QStringList& args) {
    if (args.size() < 3 || args[0] != QStringLiteral("--print-pdf")) return std::nullopt;
    PrintRequest request{args[1], args.back(), false, std::nullopt, std::nullopt, false};
    for (qsizetype i = 2; i + 1 < args.size(); ++i) {
        if (args[i] == QStringLiteral("--analyze") && !request.analyze)
            request.analyze = true;
        else if (args[i] == QStringLiteral("--one-page") && !request.onePage)
            request.onePage = true;
        else if (args[i] == QStringLiteral("--for") && !request.instrument && i + 2 < args.size())
            request.instrument = args[++i];
        else if (args[i] == QStringLiteral("--paper") && !request.paper && i + 2 < args.size() && paperOfName(args[i + 1]))
            request.paper = args[++i];
        else
            return std::nullopt;
    }
    return request;
}

void print(const PrintRequest& request) {
    const Instrument instrument =
        request.instrument ? instrumentOfName(request.instrument->toStdString()) : Instrument::concert;
    const Plist chart = MyDocument::readChart(request.in);
    ChartModel model(instrument == Instrument::concert ? chart : partForInstrument(chart, instrument));
    ChartEdits edits(model, nullptr);
    ChartView view(model, edits);
    // The analysis reads the same in every key, so the part is analysed as it is printed.
    if (request.analyze) {
        if (const auto error = analyze(model, edits))
            throw std::runtime_error(error->description.toStdString());
    }
    const QString part = instrument == Instrument::concert ? QString() : QString::fromStdString(partTitle(instrument));
    const PrintOptions options{pageHeaderOf(model.chart(), part), request.onePage};
    printChartToPdf(view, request.out, options, request.paper ? *paperOfName(*request.paper) : localePaperSize());
}

}  // namespace

int printPdfOption(const QStringList& args) {
    const auto request = parse(args);
    if (!request) {
        std::fprintf(stderr, "usage: zubaroo --print-pdf OUT.pdf [--analyze] [--for Bb|Eb|F] [--paper a4|letter] [--one-page] FILE\n");
        return 2;
    }
    try {
        // An unknown instrument is a usage error like a missing argument, found before any reading.
        if (request->instrument) instrumentOfName(request->instrument->toStdString());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zubaroo: %s\n", e.what());
        return 2;
    }
    try {
        print(*request);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zubaroo: %s\n", e.what());
        return 1;
    }
}

}  // namespace zub
