// One QApplication for the whole test program, on the offscreen platform unless the
// environment asks for another. A program built with VESK_TEST_SCALE_FACTOR runs at that
// scale, as a user gets it with QT_SCALE_FACTOR. Qt's own settings (the file chooser's
// last folder and history) go to a folder of the program's own, so that test programs
// running side by side neither share nor change them, nor the user's.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>
#include <optional>

#include "test_files.h"

namespace {

class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VESK_TEST_SCALE_FACTOR
        qputenv("QT_SCALE_FACTOR", VESK_TEST_SCALE_FACTOR);
#endif
        configHome_.emplace();
        qputenv("XDG_CONFIG_HOME", vesk::test::utf8FromPath(configHome_->root()).c_str());
        application_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override {
        application_.reset();
        configHome_.reset();
    }

private:
    int argc_ = 1;
    char name_[9] = "qt_tests";
    char* argv_[2] = {name_, nullptr};
    std::optional<vesk::test::TempDir> configHome_;
    std::unique_ptr<QApplication> application_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
