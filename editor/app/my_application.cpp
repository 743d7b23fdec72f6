#include "editor/app/my_application.h"


#include "bridge/resources.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <cstdio>

#include "bridge/chart_document.h"
#include "bridge/core_start.h"
#include "bridge/entry_points.h"

#include "editor/app/my_document.h"
#include "editor/app/my_error.h"
#include "editor/app/playlist_menu.h"
#include "editor/app/preferences_panel.h"
#include "editor/app/print_pdf_option.h"
#include "editor/app/temporary_folder.h"

namespace zub {

namespace {
const QString recent_key = QStringLiteral("recent files");
constexpr qsizetype max_recent = 10;

void watchDocument(MyDocument* doc) {
    QObject::connect(doc, &MyDocument::documentSaved, [](const QString& p) { MyApplication::noteRecentFile(p); });
    doc->show();
}
}  // namespace

void MyApplication::launchFinished() {
    Entry_points::compatscales_set_cache_pathname(cache_directory());
    createTemporaryDirectory();
}

MyDocument* MyApplication::newDocument() {
    auto* doc = new MyDocument;
    watchDocument(doc);
    return doc;
}

MyDocument* MyApplication::openUntitled(const Plist& chart, const QString& name) {
    auto* doc = new MyDocument(chart, QString());
    doc->setUntitledName(name);
    watchDocument(doc);
    return doc;
}

MyDocument* MyApplication::openDocument(const QString& path, QWidget* errorParent) {
    if (std::vector<MyDocument*> songs; openIfPlaylist(path, errorParent, &songs))
        return songs.empty() ? nullptr : songs.front();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* open = qobject_cast<MyDocument*>(w); open && open->path() == absolute) {
            open->raise();
            open->activateWindow();
            return open;
        }
    try {
        auto* doc = new MyDocument(MyDocument::readChart(absolute), absolute);
        noteRecentFile(absolute);
        watchDocument(doc);
        return doc;
    } catch (const std::exception& e) {
        showErrorSheet(errorParent, errorWithCode(MyErrorCode::cantRead, QObject::tr("Can't read input file"),
                                                  QString::fromUtf8(e.what())));
        return nullptr;
    }
}

QString chartFilesFilter() {
    QStringList patterns;
    for (const std::string_view pattern : chart_file_patterns)
        patterns.append(QString::fromUtf8(pattern.data(), static_cast<qsizetype>(pattern.size())));
    return QObject::tr("Charts (%1)").arg(patterns.join(' '));
}

void MyApplication::openWithDialog(QWidget* parent) {
    const QStringList paths = QFileDialog::getOpenFileNames(
        parent, QObject::tr("Open"), QString(),
        chartFilesFilter() + QObject::tr(";;All files (*)"));
    for (const QString& p : paths) openDocument(p, parent);
}

QStringList MyApplication::recentFiles() { return QSettings().value(recent_key).toStringList(); }

void MyApplication::noteRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > max_recent) files.removeLast();
    QSettings().setValue(recent_key, files);
}

namespace {

// The last depth folders of the path's folder: ("/a/b/c/tune.zub", 2) -> "b/c".
QString folderTail(const QString& path, int depth) {
    const QStringList folders = QFileInfo(path).absolutePath().split('/', Qt::SkipEmptyParts);
    return folders.mid(std::max<qsizetype>(0, folders.size() - depth)).join('/');
}

}  // namespace

QStringList recentMenuTitles(const QStringList& paths) {
    QStringList titles;
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        // Files of the same name are told apart by as many of their folders as it takes.
        QString title = name;
        for (int depth = 1; depth < 64; ++depth) {
            bool clash = false;
            for (const QString& other : paths)
                clash = clash || (other != path && QFileInfo(other).fileName() == name &&
                                  (depth == 1 || folderTail(other, depth - 1) == folderTail(path, depth - 1)));
            if (!clash) break;
            title = name + QStringLiteral(" — ") + folderTail(path, depth);
        }
        titles.push_back(title);
    }
    return titles;
}

void MyApplication::fillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList paths = recentFiles();
    const QStringList titles = recentMenuTitles(paths);
    for (qsizetype k = 0; k < paths.size(); ++k) {
        const QString p = paths[k];
        menu->addAction(titles[k], [p] { openDocument(p); })->setToolTip(p);
    }
    if (menu->isEmpty()) menu->addAction(QObject::tr("No recent files"))->setEnabled(false);
}

void MyApplication::showPreferences() { PreferencesPanelController::shared().show(); }

void MyApplication::quit() {
    QApplication::closeAllWindows();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<MyDocument*>(w) && w->isVisible()) return;  // the user cancelled
    QApplication::quit();
}

void MyApplication::willTerminate() { deleteAllTemporaryFiles(); }

int runZubaroo(int argc, char** argv) {
    startCore();  // the core's tables before anything else
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zubaroo"));
    QApplication::setApplicationName(QStringLiteral("Zubaroo"));
    const QStringList args = QApplication::arguments().mid(1);
    if (!args.isEmpty() && args[0] == QStringLiteral("--print-pdf")) return printPdfOption(args);
    // Qt has taken its own options out by now; any other is a mistake, not a file.
    for (const QString& arg : args) {
        if (arg.startsWith('-') && arg != QStringLiteral("-")) {
            std::fprintf(stderr, "zubaroo: unknown option '%s' (see 'zubaroo --help')\n", qPrintable(arg));
            return 2;
        }
    }
    try {
        MyApplication::launchFinished();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zubaroo: %s\n", e.what());
    }
    QObject::connect(&app, &QApplication::aboutToQuit, [] { MyApplication::willTerminate(); });
    bool opened = false;
    for (const QString& path : args) opened = MyApplication::openDocument(path) != nullptr || opened;
    if (!opened) MyApplication::newDocument();
    return app.exec();
}

}  // namespace zub
