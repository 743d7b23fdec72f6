#include "editor/layout/chart_printer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include "bridge/bridge_exception.h"
#include "editor/layout/my_parameters.h"
#include "editor/view/chart_view.h"

namespace zub {

void setUpPrinter(QPrinter& printer) {
    const MyParameters& p = MyParameters::shared();
    const QScreen* screen = QGuiApplication::primaryScreen();
    printer.setResolution(screen ? qRound(screen->logicalDotsPerInch()) : 96);
    printer.setPageMargins(QMarginsF(p.floatForKey("PrintingLeftMargin") * 72, p.floatForKey("PrintingTopMargin") * 72,
                                     p.floatForKey("PrintingRightMargin") * 72,
                                     p.floatForKey("PrintingBottomMargin") * 72),
                           QPageLayout::Point);
}

namespace {

void drawHeader(QPainter& painter, const QString& header, float width) {
    if (header.isEmpty()) return;
    QFont font = painter.font();
    font.setPointSizeF(11);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, width, 40), Qt::AlignRight | Qt::AlignTop, header);
}

}  // namespace

void printChart(const ChartView& view, QPrinter& printer, const QString& header) {
    QPainter painter;
    if (!painter.begin(&printer)) throw Bridge_exception("printChart", "Can't write output file: " + printer.outputFileName().toStdString());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const ChartLayout& layout = view.layout();
    // Fit horizontally; vertically the chart runs on from page to page.
    const double scale = layout.width > 0 ? page.width() / layout.width : 1.0;
    const auto bands = pageBands(layout, static_cast<float>(page.height() / scale));
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -bands[i].top);
        const QRectF band(0, bands[i].top, layout.width, bands[i].bottom - bands[i].top);
        painter.setClipRect(band);
        view.paintChart(painter, band, true);
        if (i == 0) drawHeader(painter, header, layout.width);
        painter.restore();
    }
    painter.end();
}

void printChartToPdf(ChartView& view, const QString& path, const QString& header) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    setUpPrinter(printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    view.setEnclosingSize(static_cast<float>(page.width()), 0);
    printChart(view, printer, header);
    if (!QFileInfo(path).isFile()) throw Bridge_exception("printChartToPdf", "Can't write output file: " + path.toStdString());
}

}  // namespace zub
