// The editor's error sheets: errors of the domain "Zubaroo" with a code, a
// description and a reason, shown as window-modal message boxes.
#pragma once

#include <QString>

#include <exception>

class QWidget;

namespace zub {

enum class MyErrorCode {
    cantWrite = 1,
    cantRead = 2,
    analysis = 3,
    generation = 4,
    biabExport = 5,
    transposition = 6,
    formEdit = 7
};

struct MyError {
    MyErrorCode code;
    QString description;
    QString reason;
    QString domain() const { return QStringLiteral("Zubaroo"); }
};

// errorWithCode(cantWrite, "Can't write output file", why).
MyError errorWithCode(MyErrorCode code, const QString& description, const QString& reason);

// reasonOf(e) -> the reason of a Bridge_exception, else e.what(): what the user reads.
QString reasonOf(const std::exception& e);

// showErrorSheet(window, error) opens a window-modal message box and returns at once.
void showErrorSheet(QWidget* window, const MyError& error);

}  // namespace zub
