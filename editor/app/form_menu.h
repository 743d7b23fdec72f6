// The Form menu: repeat barlines with their count, endings, segno, To Coda and
// coda, Fine, D.C./D.S. directions and time signatures set and cleared on the
// selected bars (or the bar being typed in, or the bar after the insertion
// point), each one undoable step. The rules of which bar a mark goes on are
// the model's (form_mark_rules); the items show the marks of that bar.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

#include "editor/model/form_mark_rules.h"

class QAction;
class QMenu;
class QMenuBar;

namespace zub {

class ChartEdits;
class ChartView;

class FormMenu : public QObject {
    Q_OBJECT
public:
    // FormMenu(view, edits, menuBar) adds the menu "Form" to menuBar.
    FormMenu(ChartView& view, ChartEdits& edits, QMenuBar* menuBar);

    QMenu* menu() const { return menu_; }
    // The bars the items act on: the selection, the bar being typed in, or the bar after the insertion point.
    std::optional<BarRange> markedBars() const;

    // The commands, as the items give them; each beeps when no bar is marked.
    void toggle(FormFlag flag, const QString& actionName);
    void setRepeatEnd(int times);
    void setEndings(const std::vector<int>& endings);
    void setDirection(const std::string& direction);
    void setTimeSignature(const std::string& time);
    void clearMarks();

private:
    using Rule = std::function<BarsChange(const Plist::Array& bars, BarRange marked)>;
    // Whether the marked bars carry what an item sets: its check mark.
    using Check = std::function<bool(const Plist::Array& bars, BarRange marked)>;
    void apply(const QString& actionName, const Rule& rule);
    void build();
    void buildDirections(QMenu* menu);
    void addFlag(QMenu* menu, const QString& title, FormFlag flag, const QKeySequence& keys);
    void addChoice(QMenu* menu, const QString& title, const QKeySequence& keys, std::function<void()> command,
                   Check check);
    // Items enabled while a bar is marked, checked by what that bar carries.
    void validate();

    ChartView& view_;
    ChartEdits& edits_;
    QMenu* menu_;
    std::vector<std::pair<QAction*, Check>> checks_;
};

}  // namespace zub
