// Every test of this program runs inside one QApplication, made before the first test and gone
// after the last. Qt wants a private runtime folder, and says so on every start without one.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QByteArray>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/russian_translations.h"

namespace {

QtMessageHandler qt_default_handler = nullptr;

// The offscreen platform warns that it cannot pass size hints to a window manager it does not
// have; that says nothing about the window under test.
void drop_size_hint_warnings(QtMsgType type, const QMessageLogContext& context,
                             const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints"))) {
        return;
    }
    qt_default_handler(type, context, message);
}

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        std::string folder = "/tmp/qm720-gui-runtime-XXXXXX";
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);  // mkdtemp makes it 0700, as Qt wants
        runtime_folder_ = folder;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
        qt_default_handler = qInstallMessageHandler(drop_size_hint_warnings);
        application_ = std::make_unique<QApplication>(argc_, argv_);
        qm720::gui::install_russian_translations(*application_);
    }

    void TearDown() override {
        application_.reset();
        std::filesystem::remove_all(runtime_folder_);
    }

  private:
    int argc_ = 1;
    char program_name_[10] = "gui_tests";
    char* argv_[2] = {program_name_, nullptr};
    std::unique_ptr<QApplication> application_;
    std::filesystem::path runtime_folder_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
