#include "editor/app/form_menu.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>

#include "bridge/form_marks.h"
#include "editor/app/my_error.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace zub {

namespace {

const Plist* keyOf(const Plist::Array& bars, std::size_t bar, std::string_view key) { return bars.at(bar).find(key); }

std::int64_t repeatEndOf(const Plist::Array& bars, BarRange marked) {
    const Plist* times = keyOf(bars, marked.end() - 1, "RepeatEnd");
    return times ? times->as_integer() : 0;
}

std::vector<int> endingsOf(const Plist::Array& bars, BarRange marked) {
    std::vector<int> endings;
    if (const Plist* numbers = keyOf(bars, marked.location, "Endings"))
        for (const Plist& number : numbers->as_array()) endings.push_back(static_cast<int>(number.as_integer()));
    return endings;
}

std::string directionOf(const Plist::Array& bars, BarRange marked) {
    const Plist* direction = keyOf(bars, marked.end() - 1, "Direction");
    return direction ? direction->as_string() : std::string();
}

QKeySequence twoKeys(QKeyCombination first, QKeyCombination second) { return QKeySequence(first, second); }

QString endingTitle(const std::vector<int>& endings) {
    if (endings.empty()) return QObject::tr("No Ending");
    QStringList numbers;
    for (int ending : endings) numbers.push_back(QString::number(ending) + QStringLiteral("."));
    return numbers.join(QStringLiteral(", ")) + QObject::tr(" Ending");
}

}  // namespace

FormMenu::FormMenu(ChartView& view, ChartEdits& edits, QMenuBar* menuBar)
    : QObject(menuBar), view_(view), edits_(edits), menu_(menuBar->addMenu(tr("F&orm"))) {
    build();
    connect(&view_, &ChartView::selectionChanged, this, &FormMenu::validate);
    connect(&edits_.model(), &ChartModel::barsChanged, this, &FormMenu::validate);
    connect(&edits_.model(), &ChartModel::barsReplaced, this, &FormMenu::validate);
    connect(&edits_.model(), &ChartModel::chartReset, this, &FormMenu::validate);
    validate();
}

std::optional<BarRange> FormMenu::markedBars() const {
    if (const std::optional<SlotRef> slot = view_.activeSlot()) return BarRange{slot->bar, 1};
    const std::optional<BarRange> selection = view_.selectedBars();
    return selection ? zub::markedBars(*selection, edits_.model().barCount()) : std::nullopt;
}

void FormMenu::apply(const QString& actionName, const Rule& rule) {
    const std::optional<BarRange> marked = markedBars();
    if (!marked) return QApplication::beep();
    // A chord being typed is stored first; a time signature may take its slot away, so the bar is selected.
    if (view_.activeSlot()) {
        if (!view_.endChordEditing()) return;
        view_.selectBars(*marked);
    }
    try {
        ChartEdits::UserEvent event(edits_);
        const BarsChange change = rule(edits_.model().allBars(), *marked);
        // Undo gives back the selection as it was: an insertion point stays one.
        edits_.changeBars(change.range, change.bars, view_.selectedBars().value_or(*marked), actionName);
    } catch (const std::exception& e) {
        showErrorSheet(view_.window(), errorWithCode(MyErrorCode::formEdit, actionName, reasonOf(e)));
    }
}

void FormMenu::toggle(FormFlag flag, const QString& actionName) {
    apply(actionName, [flag](const Plist::Array& bars, BarRange marked) { return toggledFlag(bars, marked, flag); });
}

void FormMenu::setRepeatEnd(int times) {
    apply(tr("End Repeat"),
          [times](const Plist::Array& bars, BarRange marked) { return withRepeatEnd(bars, marked, times); });
}

void FormMenu::setEndings(const std::vector<int>& endings) {
    apply(tr("Ending"),
          [endings](const Plist::Array& bars, BarRange marked) { return withEndings(bars, marked, endings); });
}

void FormMenu::setDirection(const std::string& direction) {
    apply(tr("Direction"),
          [direction](const Plist::Array& bars, BarRange marked) { return withDirection(bars, marked, direction); });
}

void FormMenu::setTimeSignature(const std::string& time) {
    const std::int64_t meter = edits_.model().meter();
    apply(tr("Time Signature"), [time, meter](const Plist::Array& bars, BarRange marked) {
        return withTimeSignature(bars, marked, meter, time);
    });
}

void FormMenu::clearMarks() { apply(tr("Clear Form Marks"), &withoutFormMarks); }

void FormMenu::addFlag(QMenu* menu, const QString& title, FormFlag flag, const QKeySequence& keys) {
    addChoice(
        menu, title, keys, [this, flag, title] { toggle(flag, QString(title).remove('&')); },
        [flag](const Plist::Array& bars, BarRange marked) { return hasFlag(bars.at(flagBar(marked, flag)), flag); });
}

void FormMenu::addChoice(QMenu* menu, const QString& title, const QKeySequence& keys, std::function<void()> command,
                         Check check) {
    QAction* item = menu->addAction(title, keys, this, std::move(command));
    item->setCheckable(true);
    checks_.emplace_back(item, std::move(check));
}

void FormMenu::build() {
    addFlag(menu_, tr("&Start Repeat"), FormFlag::repeat_start, QKeySequence(Qt::ALT | Qt::Key_BracketLeft));
    QMenu* repeat = menu_->addMenu(tr("&End Repeat"));
    for (int times : {0, 2, 3, 4, 5, 6, 8}) {
        addChoice(
            repeat, times == 0 ? tr("No End Repeat") : tr("Played %1 Times").arg(times),
            times == 2 ? QKeySequence(Qt::ALT | Qt::Key_BracketRight) : QKeySequence(),
            [this, times] { setRepeatEnd(times); },
            [times](const Plist::Array& bars, BarRange marked) { return repeatEndOf(bars, marked) == times; });
    }
    // Ctrl+Shift+E, then the ending's number (0 for none).
    QMenu* ending = menu_->addMenu(tr("E&nding"));
    for (const std::vector<int>& endings : std::vector<std::vector<int>>{{}, {1}, {2}, {3}, {1, 2}}) {
        const QKeySequence keys = endings.size() > 1 ? QKeySequence()
                                                     : twoKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_E,
                                                               Qt::Key(Qt::Key_0 + (endings.empty() ? 0 : endings[0])));
        addChoice(
            ending, endingTitle(endings), keys, [this, endings] { setEndings(endings); },
            [endings](const Plist::Array& bars, BarRange marked) { return endingsOf(bars, marked) == endings; });
    }
    menu_->addSeparator();
    addFlag(menu_, tr("Se&gno"), FormFlag::segno, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    addFlag(menu_, tr("&To Coda"), FormFlag::to_coda, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    addFlag(menu_, tr("&Coda"), FormFlag::coda, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    addFlag(menu_, tr("&Fine"), FormFlag::fine, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    buildDirections(menu_->addMenu(tr("&Direction")));
    menu_->addSeparator();
    // Ctrl+Alt+M, then the upper number; 6/8 takes 8, 12/8 takes 1.
    QMenu* time = menu_->addMenu(tr("T&ime Signature"));
    for (const std::string& name : timeSignatureNames()) {
        const Qt::Key key = name == "6/8"    ? Qt::Key_8
                            : name == "12/8" ? Qt::Key_1
                                             : Qt::Key(Qt::Key_0 + std::stoi(name));
        addChoice(
            time, QString::fromStdString(name), twoKeys(Qt::CTRL | Qt::ALT | Qt::Key_M, key),
            [this, name] { setTimeSignature(name); },
            [this, name](const Plist::Array& bars, BarRange marked) {
                return timeInForce(bars, marked.location, edits_.model().meter()) == name;
            });
    }
    menu_->addSeparator();
    menu_->addAction(tr("C&lear Form Marks"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_0), this,
                     [this] { clearMarks(); });
}

void FormMenu::buildDirections(QMenu* menu) {
    auto check = [](const std::string& name) {
        return [name](const Plist::Array& bars, BarRange marked) { return directionOf(bars, marked) == name; };
    };
    addChoice(
        menu, tr("No Direction"), QKeySequence(), [this] { setDirection({}); }, check({}));
    // Ctrl+Shift+D, then C, F or O (Coda) for the first three D.C.s, with Shift for the D.S.s.
    const Qt::Key second[] = {Qt::Key_C, Qt::Key_F, Qt::Key_O};
    const std::vector<std::string> names = directionNames();
    const std::size_t perSign = names.size() / 2;  // D.C. and D.S. alike
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string name = names[k];
        const std::size_t within = k % perSign;
        const Qt::KeyboardModifiers shift = k < perSign ? Qt::NoModifier : Qt::ShiftModifier;
        const QKeySequence keys = within < std::size(second) ? twoKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_D,
                                                                       QKeyCombination(shift, second[within]))
                                                             : QKeySequence();
        addChoice(
            menu, QString::fromStdString(name), keys, [this, name] { setDirection(name); }, check(name));
    }
}

void FormMenu::validate() {
    const std::optional<BarRange> marked = markedBars();
    for (QAction* item : menu_->actions()) item->setEnabled(marked.has_value());
    for (auto& [item, check] : checks_) {
        item->setEnabled(marked.has_value());
        item->setChecked(marked && check(edits_.model().allBars(), *marked));
    }
}

}  // namespace zub
