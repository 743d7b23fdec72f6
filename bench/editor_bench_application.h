// The one QApplication of the benchmark program, made on first use and offscreen
// unless a platform is chosen; Qt allows a single application object per process.
#pragma once

#include <QApplication>

inline QApplication& benchApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zub_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
