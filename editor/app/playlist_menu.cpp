#include "editor/app/playlist_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include "bridge/chart_document.h"
#include "bridge/musicxml_export.h"
#include "editor/app/accompaniment_menu.h"
#include "editor/app/my_application.h"
#include "editor/app/my_document.h"
#include "editor/app/my_error.h"
#include "editor/app/preferences.h"
#include "editor/app/song_chooser.h"
#include "editor/layout/chord_font.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace zub {

namespace {

Plist preferredFont() { return fontDescription(Preferences::shared().fontForKey(Preferences::chord_font_key)); }

void showMessage(QWidget* parent, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Zubaroo"), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

void showReadError(QWidget* parent, const std::exception& e) {
    showErrorSheet(parent, errorWithCode(MyErrorCode::cantRead, QObject::tr("Can't read input file"), reasonOf(e)));
}

}  // namespace

std::vector<std::size_t> chooseSongsInDialog(const Playlist& playlist, QWidget* parent) {
    SongChooser chooser(playlist.listings(), QString::fromStdString(playlist.name()), parent);
    if (chooser.exec() != QDialog::Accepted) return {};
    return chooser.chosenSongs();
}

std::vector<MyDocument*> openPlaylistSongs(const Playlist& playlist, QWidget* parent, const SongPicker& pick) {
    const std::vector<std::size_t> numbers = playlist.size() == 1 ? std::vector<std::size_t>{1} : pick(playlist, parent);
    std::vector<MyDocument*> opened;
    const Plist font = preferredFont();
    for (const std::size_t number : numbers) {
        try {
            const Plist chart = playlist.chart(number, font);
            opened.push_back(MyApplication::openUntitled(chart, QString::fromStdString(chart.string_at("Name"))));
        } catch (const std::exception& e) {
            showReadError(parent, e);
        }
    }
    return opened;
}

bool openIfPlaylist(const QString& path, QWidget* parent, std::vector<MyDocument*>* opened) {
    std::optional<Playlist> playlist;
    try {
        playlist = openPlaylist(path.toStdString());
    } catch (const std::exception& e) {
        showReadError(parent, e);
        return true;
    }
    if (!playlist) return false;
    if (!isIrealLink(path.toStdString())) MyApplication::noteRecentFile(QFileInfo(path).absoluteFilePath());
    std::vector<MyDocument*> documents = openPlaylistSongs(*playlist, parent);
    if (opened) *opened = std::move(documents);
    return true;
}

std::vector<MyDocument*> pasteIrealLink(QWidget* parent, const SongPicker& pick) {
    const std::string text = QApplication::clipboard()->text().toStdString();
    if (!holdsPlaylist(text)) {
        showMessage(parent, QObject::tr("The clipboard holds no iReal Pro link."));
        return {};
    }
    try {
        return openPlaylistSongs(Playlist::fromText(text), parent, pick);
    } catch (const std::exception& e) {
        showReadError(parent, e);
        return {};
    }
}

namespace {

// The chart as the user sees it: a chord being typed is stored first.
Plist chartToExport(MyDocument& document) {
    document.chartView()->endChordEditing();
    return document.model().chart();
}

QString exportBase(MyDocument& document) {
    return suggestedSaveBase(document.path(), documentName(document.path(), document.windowTitle()));
}

void showExportError(MyDocument& document, const std::exception& e) {
    showErrorSheet(&document, errorWithCode(MyErrorCode::cantWrite, QObject::tr("Can't write output file"), reasonOf(e)));
}

}  // namespace

QString exportIrealLink(MyDocument& document) {
    QString link;
    try {
        link = QString::fromStdString(irealLink({chartToExport(document)}, ""));
    } catch (const std::exception& e) {
        showExportError(document, e);
        return {};
    }
    QApplication::clipboard()->setText(link);
    QMessageBox ask(QMessageBox::Information, QStringLiteral("Zubaroo"),
                    QObject::tr("The iReal Pro link is on the clipboard."), QMessageBox::Save | QMessageBox::Close,
                    &document);
    ask.setInformativeText(QObject::tr("Save it as a page that iReal Pro opens, too?"));
    ask.setWindowModality(Qt::WindowModal);
    if (ask.exec() == QMessageBox::Save) {
        const QString out = QFileDialog::getSaveFileName(&document, QObject::tr("Save iReal Pro Page"),
                                                         exportBase(document) + ".html", QObject::tr("HTML (*.html)"));
        if (!out.isEmpty()) saveIrealPage(document, out);
    }
    return link;
}

bool saveIrealPage(MyDocument& document, const QString& path) {
    try {
        writeFileAtomically(path.toStdString(), irealHtml({chartToExport(document)}, ""));
        return true;
    } catch (const std::exception& e) {
        showExportError(document, e);
        return false;
    }
}

bool saveMusicXml(MyDocument& document, const QString& path) {
    try {
        const Plist chart = chartToExport(document);
        const auto& analysis = document.model().analysis();
        writeFileAtomically(path.toStdString(), musicXmlOfChart(chart, analysis ? &analysis->result() : nullptr));
        return true;
    } catch (const std::exception& e) {
        showExportError(document, e);
        return false;
    }
}

void addExportMenu(QMenu* file, MyDocument* document) {
    QMenu* exports = file->addMenu(QObject::tr("E&xport"));
    exports->addAction(QObject::tr("&iReal Pro Link..."), document, [document] { exportIrealLink(*document); });
    exports->addAction(QObject::tr("&MusicXML..."), document, [document] {
        const QString out = QFileDialog::getSaveFileName(document, QObject::tr("Export as MusicXML"),
                                                         exportBase(*document) + ".musicxml",
                                                         QObject::tr("MusicXML (*.musicxml *.xml)"));
        if (!out.isEmpty()) saveMusicXml(*document, out);
    });
}

namespace {

class FileDrops : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (!drag->mimeData()->hasUrls()) return false;
            drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasUrls()) return false;
            drop->acceptProposedAction();
            // Opened once the drop is over: a playlist runs the song chooser, which must not run inside it.
            QWidget* window = qobject_cast<QWidget*>(watched);
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile())
                    QTimer::singleShot(0, window, [window, path = url.toLocalFile()] { MyApplication::openDocument(path, window); });
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void acceptFileDrops(QWidget* window) {
    window->setAcceptDrops(true);
    window->installEventFilter(new FileDrops(window));
}

}  // namespace zub
