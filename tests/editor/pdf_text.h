// The text of a PDF the editor printed, for tests that look for what was printed.
#pragma once

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <optional>

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

}  // namespace zub::testing
