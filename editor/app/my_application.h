// The application: start-up (the core first, then the resource folder for the
// compatibility cache and the temporary folder), the documents it owns, the
// recent files, the preferences panel, and quit (which empties the temporary folder).
#pragma once

#include <QString>
#include <QStringList>

#include "bridge/plist.h"

class QMenu;
class QWidget;

namespace zub {

class MyDocument;

class MyApplication {
public:
    // launchFinished() - the resource folder to the core, the temporary folder made.
    static void launchFinished();
    // newDocument() shows a new untitled chart window.
    static MyDocument* newDocument();
    // openDocument(path) shows the chart's window, or an error sheet and nullptr.
    // A playlist (a file holding iReal Pro links, or a bare link) opens its
    // songs through the song chooser instead; the first song opened is returned.
    static MyDocument* openDocument(const QString& path, QWidget* errorParent = nullptr);
    // openUntitled(chart, "Autumn Leaves") shows chart in a new untitled window of that name.
    static MyDocument* openUntitled(const Plist& chart, const QString& name);
    static void openWithDialog(QWidget* parent);
    // Recent files, newest first, at most ten.
    static QStringList recentFiles();
    static void noteRecentFile(const QString& path);
    static void fillRecentMenu(QMenu* menu);
    static void showPreferences();
    // quit() closes every window (each asks about unsaved changes) and, when all
    // closed, quits; the temporary folder is emptied on the way out.
    static void quit();
    static void willTerminate();
};

// recentMenuTitles({"/a/jazz/blues.zub", "/b/rock/blues.zub", "/a/tune.zub"}) -> "blues.zub — jazz",
// "blues.zub — rock", "tune.zub": the Open Recent items, files of the same name told apart
// by as many of their folders as it takes.
QStringList recentMenuTitles(const QStringList& paths);

// "Charts (*.zub *.txt …)": the file dialog's filter for every file a chart opens from.
QString chartFilesFilter();

// runZubaroo(argc, argv): the whole program; "--print-pdf OUT [--analyze] FILE" prints FILE
// (with its analysis shown under --analyze)
// to OUT without a window and returns 0, or prints the failure and returns 1. An
// option Qt does not take ("--bogus") opens nothing: a line on stderr, and 2.
int runZubaroo(int argc, char** argv);

}  // namespace zub
