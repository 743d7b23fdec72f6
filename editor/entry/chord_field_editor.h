// The chord field editor: the line edit a chord slot is typed into. Frameless
// and transparent so it sits over the slot it edits; validated by a chord
// formatter; offers the chord-type names as completions of the whole text. The
// navigation keys go first to the chart view's handler, which moves between
// slots and bars; keys it leaves alone move the caret as usual.
//
// API:
//   enum class NavigationKey {MoveRight, MoveLeft, MoveUp, MoveDown, InsertTab, InsertBacktab,
//                                 MoveWordRight, MoveWordLeft, MoveToEndOfLine, MoveToBeginningOfLine}
//   using NavigationHandler = std::function<bool(NavigationKey, bool extend)>
//   ChordFieldEditor(font, parent)
//   setNavigationHandler(handler)   handler returns true when it handled the key; extend = Shift or Caps Lock (extendsSelection)
//   setChord(displayChord)          shows the chord (encoded) and starts afresh: no edit in progress
//   chord()                         the text decoded (display form), "B♭7"
//   editInProgress()                the text changed since setChord / the last ended edit
//   completions()                   decoded root + each name beginning with the typed type; {} otherwise
//   complete()                      opens the completion list (also Escape or Ctrl+Space); never opens by itself
//   endEditing()                    final check: true + editingEnded, or false + finalCheckFailed
//   lastError()                     the description of the last refused keystroke or final check
//   formatter(), completer()
// Signals: editingBegan() on the first change of an edit; textEdited(QString) (QLineEdit's, shown text);
//   editingEnded(displayText) when an edit passes the final check (Return, focus leaving, endEditing());
//   finalCheckFailed(description) when it does not.
// A failing final check keeps the edit: the text stays, the owner shows the
// description beside the field and focus comes back to it.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QStringList>

#include <functional>

#include "editor/entry/chord_formatter.h"
#include "editor/layout/chord_font.h"

class QCompleter;
class QStringListModel;

namespace zub {

enum class NavigationKey {
    MoveRight,
    MoveLeft,
    MoveUp,
    MoveDown,
    InsertTab,
    InsertBacktab,
    MoveWordRight,
    MoveWordLeft,
    MoveToEndOfLine,
    MoveToBeginningOfLine,
};

using NavigationHandler = std::function<bool(NavigationKey, bool extend)>;

class ChordFieldEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit ChordFieldEditor(const ChordFont& font, QWidget* parent = nullptr);

    void setChordFont(const ChordFont& font);
    const ChordFormatter& formatter() const { return *formatter_; }
    QCompleter* completer() const { return completer_; }

    void setNavigationHandler(NavigationHandler handler) { navigation_ = std::move(handler); }

    // setChord("B♭7") shows "B" + encoded flat + "7", unchecked and uncorrected; no edit in progress afterwards.
    void setChord(const QString& displayChord);
    // chord() -> "B♭7" for the shown "B" + encoded flat + "7".
    QString chord() const;
    bool editInProgress() const { return edit_in_progress_; }

    // completions() on "Dm" -> {"Dm", "Dm11", "Dm6", "Dm7", ...}; "C7/" or "x" -> {}.
    QStringList completions() const;
    // complete() on "Dm" shows those completions in the completer's popup; nothing to show hides it.
    void complete();

    // endEditing(): true and editingEnded(chord()) when the edited text passes the
    // final check; true without check or signal when nothing was edited; false with
    // lastError() and finalCheckFailed otherwise.
    bool endEditing();
    const QString& lastError() const { return last_error_; }


signals:
    void editingBegan();
    void editingEnded(const QString& displayChord);
    // The text failed the final check; the owner shows the description beside the field.
    void finalCheckFailed(const QString& description);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool leaveToCompletionList(QKeyEvent& event);
    bool forwardNavigation(const QKeyEvent& event);
    void textWasEdited();
    void updateCompletions();
    void insertCompletion(const QString& completion);
    void showError(const QString& description);

    ChordFormatter* formatter_;
    QCompleter* completer_;
    QStringListModel* completion_model_;
    NavigationHandler navigation_;
    bool edit_in_progress_ = false;
    QString last_error_;
};

}  // namespace zub
