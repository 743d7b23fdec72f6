#include "editor/app/my_error.h"

#include <QMessageBox>

#include "bridge/bridge_exception.h"

namespace zub {

MyError errorWithCode(MyErrorCode code, const QString& description, const QString& reason) {
    return {code, description, reason};
}

QString reasonOf(const std::exception& e) {
    if (const auto* bridge = dynamic_cast<const Bridge_exception*>(&e)) return QString::fromStdString(bridge->reason());
    return QString::fromUtf8(e.what());
}

void showErrorSheet(QWidget* window, const MyError& error) {
    auto* box = new QMessageBox(QMessageBox::Warning, error.domain(), error.description, QMessageBox::Ok, window);
    box->setInformativeText(error.reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    box->open();
}

}  // namespace zub
