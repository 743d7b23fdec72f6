// The text of a PDF the editor printed, for tests that look for what was printed.
#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <optional>
#include <vector>

namespace zub::testing {

// pdfText(path) -> its text, "" when it is not a PDF; nullopt when pdftotext is not installed.
inline std::optional<QString> pdfText(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly) || !file.read(5).startsWith("%PDF-")) return QString();
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(pdftotext, {pdf, "-"});
    if (!process.waitForFinished(20000)) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One word of a PDF with its box in points and its page (from 1).
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
    int page;
    double height() const { return yMax - yMin; }
};

// The words of a PDF and the width of its pages, as pdftotext -bbox reads them.
struct PdfWords {
    std::vector<PdfWord> words;
    int pages = 0;
    double pageWidth = 0;
};

// pdfWords(path) -> its words; nullopt when pdftotext is not installed.
inline std::optional<PdfWords> pdfWords(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(pdftotext, {"-bbox", pdf, "-"});
    process.waitForFinished(20000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    PdfWords out;
    static const QRegularExpression page(R"re(<page width="([0-9.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>|<page )re");
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++out.pages;
            continue;
        }
        out.words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                             m.captured(3).toDouble(), m.captured(4).toDouble(), out.pages});
    }
    if (const auto m = page.match(html); m.hasMatch()) out.pageWidth = m.captured(1).toDouble();
    return out;
}

}  // namespace zub::testing
