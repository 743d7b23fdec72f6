#include "editor/layout/chart_printer.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <langinfo.h>

#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "bridge/style_names.h"
#include "editor/layout/my_parameters.h"
#include "editor/layout/page_plan.h"
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

QString keyName(const std::string& key) {
    if (key.empty()) return {};
    const bool minor = key.back() == 'm';
    const std::string tonic = replaceWithUnicodeSharpsAndFlats(minor ? key.substr(0, key.size() - 1) : key);
    return QString::fromStdString(tonic) + (minor ? QStringLiteral(" minor") : QStringLiteral(" major"));
}

QString stringOr(const Plist& chart, std::string_view key) {
    const Plist* value = chart.find(key);
    return value && value->kind() == Plist::Kind::string ? QString::fromStdString(value->as_string()) : QString();
}

}  // namespace

PageHeader pageHeaderOf(const Plist& chart, const QString& part) {
    const Plist* style = chart.find("Style");
    const Plist* code = style ? style->find("StyleType") : nullptr;
    const Plist* tempo = chart.find("Tempo");
    return {stringOr(chart, "Name"),
            stringOr(chart, "Composer"),
            code ? QString::fromStdString(styleNameOfCode(code->as_integer())) : QString(),
            tempo ? QString(QChar(0x2669)) + QStringLiteral(" = ") + QString::number(tempo->as_integer()) : QString(),
            keyName(stringOr(chart, "Key").toStdString()),
            part};
}

QPageSize localePaperSize() {
    // glibc keeps the paper of LC_PAPER in millimetres; Letter is 216 x 279.
    const auto height = reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT));
    return QPageSize(height == 279 ? QPageSize::Letter : QPageSize::A4);
}

std::optional<QPageSize> paperOfName(const QString& name) {
    if (name.compare(QStringLiteral("a4"), Qt::CaseInsensitive) == 0) return QPageSize(QPageSize::A4);
    if (name.compare(QStringLiteral("letter"), Qt::CaseInsensitive) == 0) return QPageSize(QPageSize::Letter);
    return std::nullopt;
}

namespace {

// The header's fonts, in points of the paper.
struct HeaderFonts {
    QFont title, line, small;
    HeaderFonts() {
        title = line = small = QGuiApplication::font();
        title.setPointSizeF(20);
        title.setBold(true);
        line.setPointSizeF(11);
        small.setPointSizeF(9);
    }
};

float headerHeight(const PageHeader& header, const HeaderFonts& fonts) {
    if (header.title.isEmpty() && header.composer.isEmpty() && header.part.isEmpty()) return 0;
    return static_cast<float>(QFontMetricsF(fonts.title).height() + QFontMetricsF(fonts.line).height() * 1.8);
}

float footerHeight(const HeaderFonts& fonts) { return static_cast<float>(QFontMetricsF(fonts.small).height() * 1.5); }

// The title centred, the part at the right above it; under it the style, tempo
// and key at the left and the composer at the right.
void drawHeader(QPainter& painter, const PageHeader& header, const HeaderFonts& fonts, double width) {
    painter.setPen(Qt::black);
    const double titleHeight = QFontMetricsF(fonts.title).height();
    const double lineHeight = QFontMetricsF(fonts.line).height();
    painter.setFont(fonts.title);
    painter.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignHCenter | Qt::AlignTop, header.title);
    painter.setFont(fonts.line);
    painter.drawText(QRectF(0, 0, width, lineHeight), Qt::AlignRight | Qt::AlignTop, header.part);
    QStringList left;
    for (const QString& field : {header.style, header.tempo, header.key})
        if (!field.isEmpty()) left << field;
    const QRectF second(0, titleHeight + lineHeight * 0.2, width, lineHeight);
    painter.drawText(second, Qt::AlignLeft | Qt::AlignTop, left.join(QStringLiteral("     ")));
    painter.drawText(second, Qt::AlignRight | Qt::AlignTop, header.composer);
}

void drawPageNumber(QPainter& painter, const HeaderFonts& fonts, const QRectF& page, std::size_t number,
                    std::size_t count) {
    painter.setPen(Qt::black);
    painter.setFont(fonts.small);
    painter.drawText(page, Qt::AlignRight | Qt::AlignBottom, QString::number(number) + "/" + QString::number(count));
}

PageGeometry geometryOf(const QRectF& page, const PageHeader& header, const HeaderFonts& fonts) {
    return {static_cast<float>(page.width()), static_cast<float>(page.height()), headerHeight(header, fonts),
            footerHeight(fonts)};
}

}  // namespace

void printChart(const ChartView& view, QPrinter& printer, const PrintOptions& options) {
    QPainter painter;
    if (!painter.begin(&printer))
        throw Bridge_exception("printChart", "Can't write output file: " + printer.outputFileName().toStdString());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const HeaderFonts fonts;
    const PageGeometry geometry = geometryOf(page, options.header, fonts);
    const ChartLayout natural = view.pageLayout(0);
    const float points = static_cast<float>(view.chordFont().font().pointSizeF());
    const PrintScale scale = printScale(natural.width, natural.height, points, geometry, options.fitToOnePage);
    const ChartLayout layout = view.pageLayout(geometry.width / scale.scale);
    const std::vector<PageBand> bands = printedPages(layout, scale.scale, geometry);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (i > 0) printer.newPage();
        const double top = i == 0 ? geometry.headerHeight : 0;
        if (i == 0) drawHeader(painter, options.header, fonts, page.width());
        if (bands.size() > 1) drawPageNumber(painter, fonts, QRectF(0, 0, page.width(), page.height()), i + 1, bands.size());
        painter.save();
        painter.translate(0, top);
        painter.scale(scale.scale, scale.scale);
        painter.translate(0, -bands[i].top);
        const QRectF band(0, bands[i].top, layout.width, bands[i].bottom - bands[i].top);
        painter.setClipRect(band);
        view.paintPage(painter, layout, band);
        painter.restore();
    }
    painter.end();
}

void printChartToPdf(const ChartView& view, const QString& path, const PrintOptions& options, const QPageSize& paper) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(paper);
    setUpPrinter(printer);
    printChart(view, printer, options);
    if (!QFileInfo(path).isFile()) throw Bridge_exception("printChartToPdf", "Can't write output file: " + path.toStdString());
}

bool canFitOnOnePage(const ChartView& view, const QPrinter& printer) {
    const HeaderFonts fonts;
    // The header's height is the same for every chart with a title: measure one.
    PageHeader titled;
    titled.title = QStringLiteral("T");
    const PageGeometry geometry = geometryOf(printer.pageRect(QPrinter::DevicePixel), titled, fonts);
    return fitsOnOnePage(view.pageLayout(0).height, static_cast<float>(view.chordFont().font().pointSizeF()), geometry);
}

}  // namespace zub
