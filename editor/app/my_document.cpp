#include "editor/app/my_document.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoCommand>
#include <QVBoxLayout>

#include <stdexcept>

#include "bridge/chart_document.h"
#include "bridge/form_marks.h"
#include "bridge/my_constants.h"
#include "editor/app/accompaniment_menu.h"
#include "editor/app/analysis_menu.h"
#include "editor/app/chart_header.h"
#include "editor/app/edit_actions.h"
#include "editor/app/form_menu.h"
#include "editor/app/my_application.h"
#include "editor/app/my_error.h"
#include "editor/app/playlist_menu.h"
#include "editor/app/preferences.h"
#include "editor/app/transpose_menu.h"
#include "editor/layout/chart_printer.h"
#include "editor/layout/chord_font.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/model/part_shown.h"
#include "editor/transport/playback_actions.h"
#include "editor/view/chart_view.h"

namespace zub {

namespace {

// Save As writes chart documents alone; Export writes the other formats.
const QString chart_filter = QStringLiteral("Chart documents (*.zub)");

}  // namespace

Plist MyDocument::newChart() {
    const QFont font = Preferences::shared().fontForKey(Preferences::chord_font_key);
    return MyConstants::shared().newDocumentChartTemplate().with("Font", fontDescription(font));
}

Plist MyDocument::readChart(const QString& path) {
    const QFont font = Preferences::shared().fontForKey(Preferences::chord_font_key);
    return openChartFile(path.toStdString(), fontDescription(font));
}

MyDocument::MyDocument() { buildWindow(newChart()); }

MyDocument::MyDocument(const Plist& chart, const QString& path) : path_(path) { buildWindow(chart); }

// The view goes while the edits it changes the chart through still exist.
MyDocument::~MyDocument() { delete takeCentralWidget(); }

void MyDocument::buildWindow(const Plist& chart) {
    setAttribute(Qt::WA_DeleteOnClose);
    undo_stack_ = new QUndoStack(this);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    disclosure_ = new QToolButton(central);
    disclosure_->setCheckable(true);
    disclosure_->setChecked(true);
    disclosure_->setArrowType(Qt::DownArrow);
    disclosure_->setFocusPolicy(Qt::NoFocus);
    disclosure_->setAutoRaise(true);
    disclosure_->setToolTip(tr("Show or hide the chart's title, key, style, meter and tempo"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(disclosure_, 0, Qt::AlignTop);
    column->addLayout(bar);
    scroll_area_ = new QScrollArea(central);
    scroll_area_->setBackgroundRole(QPalette::Base);
    scroll_area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_area_->setFocusPolicy(Qt::NoFocus);  // the arrow keys belong to the chart view
    model_ = new ChartModel(chart, this);
    edits_ = std::make_unique<ChartEdits>(*model_, undo_stack_);
    chart_view_ = new ChartView(*model_, *edits_);
    // The header shows the title on screen; the chart view draws it only on paper.
    chart_view_->setShowName(false);
    header_ = new ChartHeader(*edits_, central);
    bar->addWidget(header_, 1);
    scroll_area_->setWidget(chart_view_);
    scroll_area_->viewport()->installEventFilter(this);
    column->addWidget(scroll_area_);
    setCentralWidget(central);
    // Not an error: the chart reads and prints in the stand-in, and keeps naming its own font.
    const QString standIn = fontStandInNote(chart.dictionary_at("Font"), chart_view_->chordFont().font());
    if (!standIn.isEmpty()) statusBar()->showMessage(standIn);
    // The chart view was given its first slot before it had a window: the keyboard goes there on opening.
    if (chart_view_->activeSlot()) chart_view_->setFocus(Qt::OtherFocusReason);
    connect(disclosure_, &QToolButton::toggled, this, [this](bool on) {
        disclosure_->setArrowType(on ? Qt::DownArrow : Qt::RightArrow);
        header_->setVisible(on);
    });
    form_problem_ = new QLabel(this);
    form_problem_->setObjectName(QStringLiteral("formProblem"));
    statusBar()->addWidget(form_problem_);
    connect(model_, &ChartModel::chartReset, this, &MyDocument::showFormProblem);
    connect(model_, &ChartModel::chorusChanged, this, &MyDocument::showFormProblem);
    connect(model_, &ChartModel::barsChanged, this, &MyDocument::showFormProblem);
    connect(model_, &ChartModel::barsReplaced, this, &MyDocument::showFormProblem);
    showFormProblem();
    connect(undo_stack_, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    // The document counts as edited while a chord is being typed.
    connect(chart_view_, &ChartView::chordEditChanged, this, [this] { updateTitle(); });
    saved_instrument_ = shownInstrumentOf(chart);
    chart_view_->setInstrument(saved_instrument_);
    playback_ = new PlaybackActions(*this);
    buildMenus();
    acceptFileDrops(this);
    resize(820, 640);
    updateTitle();
}

void MyDocument::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, [] { MyApplication::newDocument(); });
    file->addAction(tr("&Open..."), QKeySequence::Open, [this] { MyApplication::openWithDialog(this); });
    QMenu* recent = file->addMenu(tr("Open &Recent"));
    connect(recent, &QMenu::aboutToShow, this, [recent] { MyApplication::fillRecentMenu(recent); });
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);
    file->addAction(tr("&Save"), QKeySequence::Save, [this] { save(); });
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, [this] { saveAs(); });
    file->addSeparator();
    file->addAction(tr("&Print..."), QKeySequence::Print, [this] { print(); });
    file->addAction(tr("&Export as PDF..."), [this] {
        const QString out = QFileDialog::getSaveFileName(this, tr("Export as PDF"), QFileInfo(path_).baseName() + ".pdf",
                                                         tr("PDF (*.pdf)"));
        if (!out.isEmpty()) exportPdf(out);
    });
    // Offered only where the chart can be shrunk to one page and still be read.
    QAction* onePage = file->addAction(tr("&Fit to One Page"));
    onePage->setCheckable(true);
    connect(onePage, &QAction::toggled, this, [this](bool on) { fit_to_one_page_ = on; });
    connect(file, &QMenu::aboutToShow, this, [this, onePage] {
        QPrinter paper;
        paper.setPageSize(localePaperSize());
        setUpPrinter(paper);
        onePage->setEnabled(canFitOnOnePage(*chart_view_, paper));
    });
    addExportMenu(file, this);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, [] { MyApplication::quit(); });
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = undo_stack_->createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undo_stack_->createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    ChartView* view = chart_view_;
    auto* bars = new EditActions(*view, *edits_, this);
    edit->addAction(tr("Cu&t"), QKeySequence::Cut, view, [bars] { bars->cut(); });
    edit->addAction(tr("&Copy"), QKeySequence::Copy, view, [bars] { bars->copy(); });
    edit->addAction(tr("&Paste"), QKeySequence::Paste, view, [bars] { bars->paste(); });
    edit->addAction(tr("Paste iReal &Link"), [this] { pasteIrealLink(this); });
    edit->addAction(tr("&Delete"), view, [bars] { bars->deleteSelection(); });
    edit->addAction(tr("Select &All"), QKeySequence::SelectAll, view, [bars] { bars->selectAll(); });
    edit->addSeparator();
    QAction* setChorus = edit->addAction(tr("Set C&horus"), QKeySequence(Qt::CTRL | Qt::Key_R), view,
                                         [bars] { bars->setChorusFromSelection(); });
    QMenu* repeats = edit->addMenu(tr("&Repeats"));
    for (int times = 1; times <= 8; ++times) {
        QAction* item = repeats->addAction(tr("%n time(s)", nullptr, times), [bars, times] {
            bars->setChorusRepeats(times);
        });
        item->setData(times);
    }
    QMenu* sections = edit->addMenu(tr("&Section Mark"));
    const QString marks[] = {tr("A"), tr("B"), tr("None")};
    for (int tag = 0; tag < 3; ++tag) {
        sections->addAction(marks[tag], QKeySequence(Qt::CTRL | Qt::ALT | (Qt::Key_1 + tag)),
                            [bars, tag] { bars->setSectionMark(tag); });
    }
    buildTransposeItems(edit);
    edit->addSeparator();
    edit->addAction(tr("&Preferences..."), QKeySequence::Preferences, [] { MyApplication::showPreferences(); });
    // Menu validation follows the selection.
    auto validate = [bars, setChorus, sections] {
        setChorus->setEnabled(bars->canSetChorus());
        sections->setEnabled(bars->canSetSectionMark());
        for (QAction* item : sections->actions()) item->setEnabled(bars->canSetSectionMark());
    };
    connect(view, &ChartView::selectionChanged, this, validate);
    validate();
    edit->addAction(tr("Chart Pr&operties..."), QKeySequence(Qt::ALT | Qt::Key_Return),
                    [this] { header_->editField(ChartField::title); });
    buildViewMenu();
    new FormMenu(*chart_view_, *edits_, menuBar());
    buildAnalysisMenus();
    playback_->addPlaybackMenu(menuBar());
}

void MyDocument::buildViewMenu() {
    QMenu* show = menuBar()->addMenu(tr("&View"))->addMenu(tr("Show &For"));
    auto* parts = new QActionGroup(this);
    for (Instrument instrument : {Instrument::concert, Instrument::b_flat, Instrument::e_flat, Instrument::f}) {
        QAction* item = show->addAction(QString::fromStdString(instrumentName(instrument)),
                                        [this, instrument] { showFor(instrument); });
        item->setCheckable(true);
        item->setChecked(instrument == chart_view_->instrument());
        parts->addAction(item);
    }
}

void MyDocument::showFor(Instrument instrument) {
    chart_view_->setInstrument(instrument);
    updateTitle();
}

QString MyDocument::partHeader() const {
    const Instrument instrument = chart_view_->instrument();
    return instrument == Instrument::concert ? QString() : QString::fromStdString(partTitle(instrument));
}

void MyDocument::buildTransposeItems(QMenu* edit) {
    edit->addSeparator();
    // A chord being typed is stored first, so that it moves with the others.
    auto by = [this](int semitones) {
        if (chart_view_->endChordEditing()) transposeInWindow(this, *model_, *edits_, semitones);
    };
    edit->addAction(tr("Transpose &Up a Semitone"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Up), [by] { by(1); });
    edit->addAction(tr("Transpose Do&wn a Semitone"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Down),
                    [by] { by(-1); });
    edit->addAction(tr("&Transpose..."), [this] {
        if (chart_view_->endChordEditing()) transposeWithDialog(this, *model_, *edits_);
    });
}

void MyDocument::buildAnalysisMenus() {
    QMenu* analysis = menuBar()->addMenu(tr("&Analysis"));
    analysis->addAction(tr("&Analyze"), QKeySequence(Qt::CTRL | Qt::Key_K),
                        [this] { analyzeInWindow(this, *model_, *edits_); });
    analysis->addAction(tr("&Show Analysis"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K),
                        [this] { showAnalysisInWindow(this, *model_); });
    QMenu* accompaniment = menuBar()->addMenu(tr("Acco&mpaniment"));
    accompaniment->addAction(tr("Generate &MIDI File..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), [this] {
        const QString base = suggestedSaveBase(path_, documentName(path_, windowTitle()));
        generateMIDIFile(this, model_->chart(), base + ".mid", savePanelOn(this));
    });
    accompaniment->addAction(tr("Generate and &Open"), QKeySequence(Qt::CTRL | Qt::Key_M), [this] {
        generateAndOpen(this, model_->chart(), documentName(path_, windowTitle()), openInMidiPlayer);
    });
    accompaniment->addAction(tr("Export as &BiaB..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), [this] {
        exportAsBiaB(this, model_->chart(), suggestedSaveBase(path_, documentName(path_, windowTitle())),
                     savePanelOn(this));
    });
    playback_->addAccompanimentItems(accompaniment);
}

// The part shown is saved with the document, so showing another is a change to save.
bool MyDocument::isEdited() const {
    return !undo_stack_->isClean() || chart_view_->chordEditInProgress() ||
           chart_view_->instrument() != saved_instrument_;
}

void MyDocument::showFormProblem() {
    // The chart still opens, edits and prints; only playing it needs a form that plays.
    const std::string problem = formProblem(model_->chart());
    form_problem_->setText(problem.empty() ? QString()
                                           : tr("The form cannot be played: %1").arg(QString::fromStdString(problem)));
}

QString MyDocument::formProblemShown() const { return form_problem_->text(); }

void MyDocument::updateTitle() {
    const QString untitled = untitled_name_.isEmpty() ? tr("Untitled") : untitled_name_;
    const QString name = path_.isEmpty() ? untitled : QFileInfo(path_).fileName();
    const QString part = partHeader();
    setWindowTitle(name + (part.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + part) +
                   QStringLiteral("[*] \u2014 Zubaroo"));
    setWindowModified(isEdited());
}

void MyDocument::setUntitledName(const QString& name) {
    untitled_name_ = name;
    updateTitle();
}

bool MyDocument::saveTo(const QString& target) {
    // A chord being typed is part of what the user saves.
    if (!chart_view_->endChordEditing()) return false;
    QString path;
    try {
        // Saving writes chart documents only: a name saying another format is refused.
        path = QString::fromStdString(chartDocumentPath(target.toStdString()));
        saveChartDocument(path.toStdString(), withShownInstrument(model_->chart(), chart_view_->instrument()));
    } catch (const std::exception& e) {
        showErrorSheet(this, errorWithCode(MyErrorCode::cantWrite, tr("Can't write output file"), reasonOf(e)));
        return false;
    }
    path_ = path;
    saved_instrument_ = chart_view_->instrument();
    undo_stack_->setClean();
    updateTitle();
    emit documentSaved(path_);
    return true;
}

bool MyDocument::save() {
    // Only chart documents are written in place; a text or BiaB chart is saved as a new .zub file.
    if (path_.isEmpty() || !path_.endsWith(QString::fromUtf8(chart_document_extension.data()))) return saveAs();
    return saveTo(path_);
}

bool MyDocument::saveAs() {
    QString suggestion = path_.isEmpty() ? (untitled_name_.isEmpty() ? tr("Untitled") : untitled_name_) + ".zub" : QFileInfo(path_).path() + "/" +
                                                                     QFileInfo(path_).completeBaseName() + ".zub";
    const QString target = QFileDialog::getSaveFileName(this, tr("Save As"), suggestion, chart_filter);
    return !target.isEmpty() && saveTo(target);
}

void MyDocument::print() {
    // A chord being typed is stored first, as Tab would; one that fails its check prints as stored.
    chart_view_->endChordEditing();
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    setUpPrinter(printer);
    try {
        printChart(*chart_view_, printer, printOptions());
    } catch (const std::exception& e) {
        showErrorSheet(this, errorWithCode(MyErrorCode::cantWrite, tr("Can't write output file"), reasonOf(e)));
    }
}

PrintOptions MyDocument::printOptions() const {
    const Instrument instrument = chart_view_->instrument();
    const Plist chart = model_->chart();
    // The part's header names the part's own key.
    const Plist shown = instrument == Instrument::concert ? chart : partForInstrument(chart, instrument);
    return {pageHeaderOf(shown, partHeader()), fit_to_one_page_};
}

bool MyDocument::exportPdf(const QString& out) {
    chart_view_->endChordEditing();  // as for print()
    try {
        printChartToPdf(*chart_view_, out, printOptions());
        return true;
    } catch (const std::exception& e) {
        showErrorSheet(this, errorWithCode(MyErrorCode::cantWrite, tr("Can't write output file"), reasonOf(e)));
        return false;
    }
}

bool MyDocument::askToSave() {
    if (!isEdited()) return true;
    const auto answer = QMessageBox::warning(this, tr("Zubaroo"),
                                             tr("Do you want to save the changes to %1?").arg(windowTitle().remove("[*]")),
                                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) return save();
    return answer == QMessageBox::Discard;
}

void MyDocument::closeEvent(QCloseEvent* event) {
    if (askToSave())
        event->accept();
    else
        event->ignore();
}

void MyDocument::fitChartToViewport() {
    const QSize size = scroll_area_->viewport()->size();
    chart_view_->setEnclosingSize(static_cast<float>(size.width()), static_cast<float>(size.height()));
}

void MyDocument::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitChartToViewport();
}

bool MyDocument::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_area_->viewport() && event->type() == QEvent::Resize) fitChartToViewport();
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace zub
