// A QApplication for the whole test program: fonts and widgets need one.
// Each test runs in a process of its own, side by side with others: each
// keeps its preferences in a folder of its own, which starts empty.
#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        QCoreApplication::setOrganizationName(QStringLiteral("ZubarooTests"));
        QCoreApplication::setApplicationName(QStringLiteral("test_editor"));
        settings_ = std::make_unique<QTemporaryDir>();
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, settings_->path());
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        app_.reset();
        settings_.reset();
    }

private:
    int argc_ = 1;
    char name_[12] = "test_editor";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTemporaryDir> settings_;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
