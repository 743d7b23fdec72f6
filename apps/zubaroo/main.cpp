// zubaroo: the chart editor. "zubaroo FILE..." opens charts (a new one when
// none is given); "zubaroo --print-pdf OUT.pdf FILE" prints a chart to a PDF
// without showing a window.
#include <QApplication>
#include <QDir>
#include <QStringList>

#include <iostream>

#include "bridge/entry_points.h"
#include "core/registry/registry.h"
#include "editor/chart_window.h"

namespace {

int print_pdf(const QString& out, const QString& file) {
    QString error;
    zub::ChartWindow* window = zub::ChartWindow::open(file, nullptr, &error);
    if (window == nullptr) {
        std::cerr << "zubaroo: " << file.toStdString() << ": " << error.toStdString() << "\n";
        return 1;
    }
    const bool written = window->exportPdf(out);
    delete window;
    if (!written) std::cerr << "zubaroo: cannot write " << out.toStdString() << "\n";
    return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // The core first, then the application.
    zub::start_core();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zubaroo");
    QApplication::setOrganizationName("Zubaroo");
    zub::Entry_points::compatscales_set_cache_pathname(ZUB_BUILD_RESOURCE_DIR);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    if (args.size() == 3 && args[0] == "--print-pdf") return print_pdf(args[1], args[2]);
    if (!args.isEmpty() && args[0].startsWith("--")) {
        std::cerr << "usage: zubaroo [FILE...] | zubaroo --print-pdf OUT.pdf FILE\n";
        return 2;
    }
    int opened = 0;
    for (const QString& file : args)
        if (zub::ChartWindow* window = zub::ChartWindow::open(file)) {
            window->show();
            ++opened;
        }
    if (opened == 0) zub::ChartWindow::newChart()->show();
    return QApplication::exec();
}
