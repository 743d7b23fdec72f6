#include "editor/chart_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "core/failure.h"
#include "editor/chart_view.h"

namespace zub {

Plist preferredChordFontDescription() {
    return MyConstants::shared().newDocumentChartTemplate().at("Font");
}

ChartWindow::ChartWindow(const Plist& chart, const QString& file) : file_(file) {
    setAttribute(Qt::WA_DeleteOnClose);
    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(false);
    scroll_->setBackgroundRole(QPalette::Base);
    view_ = new ChartView;
    view_->setChart(chart);
    scroll_->setWidget(view_);
    setCentralWidget(scroll_);
    buildMenus();
    resize(820, 900);
    updateTitle();
}

ChartWindow* ChartWindow::open(const QString& file, QWidget* parent, QString* error) {
    QString reason;
    try {
        return new ChartWindow(openChartFile(file.toStdString(), preferredChordFontDescription()), file);
    } catch (const Bridge_exception& e) {
        reason = QString::fromStdString(e.reason());
    } catch (const Failure& e) {
        reason = QString::fromStdString(e.what());
    }
    if (error != nullptr) {
        *error = reason;
        return nullptr;
    }
    QMessageBox box(QMessageBox::Critical, "Zubaroo", "Can't read input file", QMessageBox::Ok, parent);
    box.setInformativeText(reason);
    if (parent != nullptr) box.setWindowModality(Qt::WindowModal);
    box.exec();
    return nullptr;
}

ChartWindow* ChartWindow::newChart() {
    const Plist chart =
        MyConstants::shared().newDocumentChartTemplate().with("Font", preferredChordFontDescription());
    return new ChartWindow(chart, QString());
}

void ChartWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New", QKeySequence::New, [] { newChart()->show(); });
    file->addAction("&Open...", QKeySequence::Open, [this] {
        const QString name = QFileDialog::getOpenFileName(this, "Open Chart", QString(),
                                                          "Charts (*.zub *.txt *.sg? *.SG? *.mg? *.MG?);;All files (*)");
        if (name.isEmpty()) return;
        if (ChartWindow* window = open(name, this)) window->show();
    });
    file->addSeparator();
    file->addAction("&Save", QKeySequence::Save, [this] { save(); });
    file->addAction("Save &As...", QKeySequence::SaveAs, [this] { saveAs(); });
    file->addAction("&Export as PDF...", [this] { exportAsPdf(); });
    file->addAction("&Print...", QKeySequence::Print, [this] { print(); });
    file->addSeparator();
    file->addAction("&Close", QKeySequence::Close, [this] { close(); });
    file->addAction("&Quit", QKeySequence::Quit, [] { QApplication::closeAllWindows(); });
}

void ChartWindow::updateTitle() {
    const QString name = file_.isEmpty() ? "Untitled" : QFileInfo(file_).fileName();
    setWindowTitle(name + "[*] \u2014 Zubaroo");
}

void ChartWindow::showError(const QString& text, const QString& reason) {
    QMessageBox box(QMessageBox::Critical, "Zubaroo", text, QMessageBox::Ok, this);
    box.setInformativeText(reason);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

bool ChartWindow::save() {
    // Only chart documents are written in place: a text chart or BiaB file is saved as a new .zub.
    if (file_.isEmpty() || !file_.endsWith(".zub")) return saveAs();
    try {
        saveChartDocument(file_.toStdString(), view_->chart());
        setWindowModified(false);
        return true;
    } catch (const Failure& e) {
        showError("Can't write output file", QString::fromStdString(e.what()));
        return false;
    }
}

bool ChartWindow::saveAs() {
    QString suggestion = file_.isEmpty() ? "Untitled.zub" : QFileInfo(file_).completeBaseName() + ".zub";
    const QString name = QFileDialog::getSaveFileName(this, "Save Chart", suggestion, "Chart documents (*.zub)");
    if (name.isEmpty()) return false;
    file_ = name.endsWith(".zub") ? name : name + ".zub";
    updateTitle();
    return save();
}

bool ChartWindow::exportPdf(const QString& file) const {
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point);
    writer.setResolution(72);  // one device unit per point: the layout's unit
    writer.setTitle(QString::fromStdString(view_->chart().string_at("Name")));
    view_->printDocument(writer);
    return QFileInfo(file).size() > 0;
}

void ChartWindow::exportAsPdf() {
    const QString suggestion = (file_.isEmpty() ? "Untitled" : QFileInfo(file_).completeBaseName()) + ".pdf";
    const QString name = QFileDialog::getSaveFileName(this, "Export as PDF", suggestion, "PDF (*.pdf)");
    if (!name.isEmpty() && !exportPdf(name)) showError("Can't write output file", name);
}

void ChartWindow::print() {
    QPrinter printer;
    printer.setResolution(72);  // one device unit per point: the layout's unit
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) view_->printDocument(printer);
}

void ChartWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int width = scroll_->viewport()->width();
    view_->recomputeLayout(static_cast<float>(width), static_cast<float>(scroll_->viewport()->height()));
}

}  // namespace zub
