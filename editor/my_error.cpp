#include "editor/my_error.h"

#include <QMessageBox>

namespace zub {

MyError errorWithCode(MyErrorCode code, const QString& description, const QString& reason) {
    return {code, description, reason};
}

void showErrorSheet(QWidget* window, const MyError& error) {
    auto* box = new QMessageBox(QMessageBox::Warning, error.domain(), error.description, QMessageBox::Ok, window);
    box->setInformativeText(error.reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

}  // namespace zub
