// One QApplication for the whole test program at a scale of 200 %, as a user gets it
// with QT_SCALE_FACTOR=2, on the offscreen platform unless the environment asks for
// another.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

class ScaledApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_SCALE_FACTOR", "2");
        application_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "qt_scale_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new ScaledApplicationEnvironment);

}  // namespace
