#include "editor/app/accompaniment_menu.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <exception>
#include <string_view>

#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/generation.h"
#include "bridge/style_names.h"
#include "editor/app/my_error.h"
#include "editor/app/temporary_folder.h"
#include "editor/layout/my_parameters.h"

namespace zub {

namespace {

void showCodedError(QWidget* window, MyErrorCode code, const char* description, const std::exception& e) {
    showErrorSheet(window, errorWithCode(code, QString::fromUtf8(description).arg(reasonOf(e)), reasonOf(e)));
}

// The write-failure alerts: a title, no message, one "OK" button.
void alertWriteFailure(QWidget* window, const QString& title) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, title, QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("writeFailureAlert"));
    box->setInformativeText(QString());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

// The file is written; the user learns which chords it holds as others.
void noteApproximations(QWidget* window, const std::vector<Entry_points::Biab_approximation>& approximations) {
    QStringList chords;
    for (Entry_points::Biab_approximation shown : approximations) {
        shown.symbol = replaceWithUnicodeSharpsAndFlats(shown.symbol);
        shown.written = replaceWithUnicodeSharpsAndFlats(shown.written);
        chords << QString::fromStdString(Entry_points::approximationLine(shown));
    }
    auto* box = new QMessageBox(QMessageBox::Information, QObject::tr("Export as BiaB"),
                                QObject::tr("BiaB has no code for some chords: the file holds the nearest ones."),
                                QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("approximationNote"));
    box->setInformativeText(chords.join('\n'));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

bool writeData(const QString& path, const Plist::Data& data) {
    try {
        writeFileAtomically(path.toStdString(),
                            std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Writes the data where the user chooses; the chooser sees the file type.
QString saveChosen(QWidget* window, const Plist::Data& data, const QString& suggestion, const QString& extension,
                   const SavePathChooser& choose, const QString& failureTitle) {
    QString path = choose(suggestion, extension);
    if (path.isEmpty()) return {};
    if (QFileInfo(path).suffix() != extension) path += "." + extension;
    if (writeData(path, data)) return path;
    alertWriteFailure(window, failureTitle);
    return {};
}

}  // namespace

QString documentName(const QString& documentPath, const QString& windowTitle) {
    if (!documentPath.isEmpty()) return QFileInfo(documentPath).fileName();
    QString title = windowTitle;
    title.remove(QStringLiteral("[*]"));
    const qsizetype dash = title.indexOf(QStringLiteral(" \u2014 "));
    if (dash >= 0) title.truncate(dash);
    title = title.trimmed();
    return title.isEmpty() ? QStringLiteral("Untitled") : title;
}

QString suggestedSaveBase(const QString& documentPath, const QString& name) {
    const QString last = QFileInfo(name).fileName();
    const QString base = QFileInfo(last).completeBaseName().isEmpty() ? last : QFileInfo(last).completeBaseName();
    return documentPath.isEmpty() ? base : QFileInfo(documentPath).absolutePath() + "/" + base;
}

QString suggestedSavePath(const QString& documentPath, const QString& name, const QString& extension) {
    return suggestedSaveBase(documentPath, name) + "." + extension;
}

QString temporaryMidiPath(const QString& name) {
    const QString last = QFileInfo(name).fileName();
    const QString base = QFileInfo(last).completeBaseName().isEmpty() ? last : QFileInfo(last).completeBaseName();
    return QString::fromStdString(temporaryDirectoryName()) + "/" + (base.isEmpty() ? QStringLiteral("Untitled") : base) +
           ".mid";
}

QString extensionFromStyle(std::int64_t code) {
    const std::optional<std::string> type = biabFileType(code);
    if (!type) throw Bridge_exception("extensionFromStyle", "Invalid style code: " + std::to_string(code));
    return QString::fromStdString(*type);
}

QString midiPlayerProgram(const QString& application) {
    if (application.trimmed().isEmpty()) return {};
    return QStandardPaths::findExecutable(application.trimmed());
}

SavePathChooser savePanelOn(QWidget* window) {
    return [window](const QString& suggestion, const QString& extension) {
        QFileDialog dialog(window, QObject::tr("Save"), suggestion,
                           QObject::tr("%1 files (*.%1)").arg(extension));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(extension);
        dialog.setWindowModality(Qt::WindowModal);
        dialog.selectFile(suggestion);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
        return dialog.selectedFiles().front();
    };
}

bool openInMidiPlayer(const QString& path) {
    const QString program = midiPlayerProgram(QString::fromStdString(
        MyParameters::shared().stringForKey("ApplicationForMIDIFiles")));
    if (!program.isEmpty() && QProcess::startDetached(program, {path})) return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString generateMIDIFile(QWidget* window, const Plist& chart, const QString& suggestion, const SavePathChooser& choose) {
    Plist::Data data;
    try {
        data = Entry_points::zub2lite_gen(chart);
    } catch (const std::exception& e) {
        showCodedError(window, MyErrorCode::generation, "ZUB cannot generate accompaniment for this chart (%1)", e);
        return {};
    }
    return saveChosen(window, data, suggestion, QStringLiteral("mid"), choose,
                      QStringLiteral("Cannot write MIDI file for song"));
}

QString generateAndOpen(QWidget* window, const Plist& chart, const QString& name, const FileOpener& open) {
    const QString path = temporaryMidiPath(name);
    try {
        const Plist::Data data = Entry_points::zub2lite_gen(chart);
        createTemporaryDirectory();
        if (!writeData(path, data)) throw Bridge_exception("generateAndOpen:", "Cannot write MIDI file for song");
    } catch (const std::exception& e) {
        showCodedError(window, MyErrorCode::generation, "ZUB cannot generate accompaniment for this chart (%1)", e);
        return {};
    }
    if (!open(path)) {
        auto* box = new QMessageBox(QMessageBox::Information, QObject::tr("No MIDI player"),
                                    QObject::tr("No application could open the MIDI file."), QMessageBox::Ok, window);
        box->setObjectName(QStringLiteral("noPlayerAlert"));
        box->setInformativeText(QObject::tr("It was written to %1.").arg(path));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
        box->open();
    }
    return path;
}

QString exportAsBiaB(QWidget* window, const Plist& chart, const QString& suggestion, const SavePathChooser& choose) {
    Entry_points::Biab_song song;
    QString extension;
    try {
        extension = extensionFromStyle(chart.dictionary_at("Style").integer_at("StyleType"));
        song = Entry_points::biabwriter_write_chart(chart);
    } catch (const std::exception& e) {
        showCodedError(window, MyErrorCode::biabExport, "KEL cannot convert this chart to BiaB format (%1)", e);
        return {};
    }
    const QString path = saveChosen(window, song.bytes, suggestion + "." + extension, extension, choose,
                                    QStringLiteral("Cannot write BiaB file"));
    if (!path.isEmpty() && !song.approximations.empty()) noteApproximations(window, song.approximations);
    return path;
}

}  // namespace zub
