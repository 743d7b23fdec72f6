#include "editor/entry/chord_field_editor.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>
#include <optional>

#include "editor/entry/chord_symbol.h"
#include "editor/view/key_modifiers.h"

namespace zub {

namespace {

// The move a navigation key stands for; Alt or Control with an arrow moves by words.
std::optional<NavigationKey> navigationKey(const QKeyEvent& event) {
    const bool word = event.modifiers() & (Qt::AltModifier | Qt::ControlModifier);
    switch (event.key()) {
    case Qt::Key_Right: return word ? NavigationKey::MoveWordRight : NavigationKey::MoveRight;
    case Qt::Key_Left: return word ? NavigationKey::MoveWordLeft : NavigationKey::MoveLeft;
    case Qt::Key_Up: return NavigationKey::MoveUp;
    case Qt::Key_Down: return NavigationKey::MoveDown;
    case Qt::Key_Tab: return NavigationKey::InsertTab;
    case Qt::Key_Backtab: return NavigationKey::InsertBacktab;
    case Qt::Key_Home: return NavigationKey::MoveToBeginningOfLine;
    case Qt::Key_End: return NavigationKey::MoveToEndOfLine;
    default: return std::nullopt;
    }
}

// Escape asks for completion, as in the platform's text fields; Control+Space as in most editors.
bool asksForCompletion(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Escape && event.modifiers() == Qt::NoModifier) return true;
    return event.key() == Qt::Key_Space && event.modifiers() == Qt::ControlModifier;
}

// Keys the open completion list acts on: choose (Return, Enter, Tab) or close (Escape, Backtab).
bool isCompletionListKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Tab ||
           key == Qt::Key_Backtab;
}

bool leavesWindow(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

}  // namespace

ChordFieldEditor::ChordFieldEditor(const ChordFont& font, QWidget* parent)
    : QLineEdit(parent), formatter_(new ChordFormatter(font, this)), completer_(new QCompleter(this)),
      completion_model_(new QStringListModel(this)) {
    setFrame(false);
    setAttribute(Qt::WA_TranslucentBackground);
    // The chart shows through, and the chord is in the chart's ink (its view's text colour);
    // a style sheet would also reach the field's context menu.
    QPalette clear = palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    clear.setColor(QPalette::Text, clear.color(QPalette::WindowText));
    setPalette(clear);
    setFont(font.font());
    setValidator(formatter_);
    completer_->setModel(completion_model_);
    completer_->setCaseSensitivity(Qt::CaseSensitive);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setWidget(this);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            &ChordFieldEditor::insertCompletion);
    connect(this, &QLineEdit::textEdited, this, &ChordFieldEditor::textWasEdited);
    connect(formatter_, &ChordFormatter::keystrokeRejected, this, [this](const QString& d) { last_error_ = d; });
}

void ChordFieldEditor::setChordFont(const ChordFont& font) {
    formatter_->setChordFont(font);
    setFont(font.font());
}

void ChordFieldEditor::setChord(const QString& displayChord) {
    // A stored chord is shown as it is, without the keystroke check: that would beep
    // on a chord the list does not know, correct it silently, and leave the line edit
    // taking any later keystroke once its text was refused.
    setValidator(nullptr);
    setText(formatter_->chordFont().encode(displayChord));
    setValidator(formatter_);
    edit_in_progress_ = false;
    last_error_.clear();
}

QString ChordFieldEditor::chord() const { return formatter_->chordFont().decode(text()); }

QStringList ChordFieldEditor::completions() const {
    const ChordFont& font = formatter_->chordFont();
    const auto parsed = parseChordString(font, text());
    if (!parsed || parsed->containsSlash) return {};
    const QString root = font.decode(parsed->root);
    QStringList completions;
    for (const QString& name : matchingChordTypes(font.decode(parsed->chordType))) completions.push_back(root + name);
    return completions;
}

bool ChordFieldEditor::endEditing() {
    // Only an edit is checked: an unchanged stored chord, however odd, must not hold the focus.
    if (edit_in_progress_) {
        if (const auto error = formatter_->finalCheck(text())) {
            showError(*error);
            return false;
        }
    }
    last_error_.clear();
    if (edit_in_progress_) {
        edit_in_progress_ = false;
        emit editingEnded(chord());
    }
    return true;
}

bool ChordFieldEditor::event(QEvent* event) {
    // Tab and Backtab would move the focus before keyPressEvent sees them; an open
    // completion list takes them, Return and Escape before anything else.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (leaveToCompletionList(*key)) return true;
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && forwardNavigation(*key)) return true;
    }
    return QLineEdit::event(event);
}

void ChordFieldEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Return stores the chord and moves on, as Tab does.
        if (!navigation_ || !navigation_(NavigationKey::InsertTab, false)) endEditing();
        return;
    }
    if (asksForCompletion(*event)) {
        complete();
        return;
    }
    if (forwardNavigation(*event)) return;
    QLineEdit::keyPressEvent(event);
}

void ChordFieldEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (leavesWindow(event->reason())) return;
    // What was typed must survive a focus change: a text that is no chord keeps the focus.
    if (!endEditing()) QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

bool ChordFieldEditor::leaveToCompletionList(QKeyEvent& event) {
    // The completer hands keys to the field first and acts on those the field ignores.
    if (!completer_->popup()->isVisible() || !isCompletionListKey(event.key())) return false;
    event.ignore();
    return true;
}

bool ChordFieldEditor::forwardNavigation(const QKeyEvent& event) {
    if (!navigation_) return false;
    const auto key = navigationKey(event);
    if (!key) return false;
    return navigation_(*key, extendsSelection(event));
}

void ChordFieldEditor::textWasEdited() {
    last_error_.clear();
    if (!edit_in_progress_) {
        edit_in_progress_ = true;
        emit editingBegan();
    }
    updateCompletions();
}

void ChordFieldEditor::complete() {
    const QStringList list = completions();
    completion_model_->setStringList(list);
    completer_->setCompletionPrefix(chord());
    if (list.isEmpty()) return completer_->popup()->hide();
    // The list opens under the slot as wide as its longest name, not as narrow as the slot.
    QAbstractItemView* popup = completer_->popup();
    const int names =
        popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width() + 2 * popup->frameWidth();
    completer_->complete(QRect(0, 0, std::max(width(), names), height()));
}

void ChordFieldEditor::updateCompletions() {
    // An open list follows the typing; it never opens by itself, so typing is not interrupted.
    if (completer_->popup()->isVisible()) complete();
}

void ChordFieldEditor::insertCompletion(const QString& completion) {
    const QString shown = formatter_->chordFont().encode(completion);
    if (shown == text()) return;
    setText(shown);
    emit textEdited(shown);  // a chosen completion is an edit like a keystroke
}

void ChordFieldEditor::showError(const QString& description) {
    last_error_ = description;
    emit finalCheckFailed(description);
}

}  // namespace zub
