// One QApplication for the whole test program, on the offscreen platform unless the
// environment asks for another. A program built with VESK_TEST_SCALE_FACTOR runs at that
// scale, as a user gets it with QT_SCALE_FACTOR.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

class QtApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VESK_TEST_SCALE_FACTOR
        qputenv("QT_SCALE_FACTOR", VESK_TEST_SCALE_FACTOR);
#endif
        application_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[9] = "qt_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
