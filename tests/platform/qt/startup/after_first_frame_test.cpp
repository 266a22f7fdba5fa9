// Start-up work left until the first frame: done after a window's first paint, or at the
// deadline when none comes; once only, and never after its owner has gone.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <memory>

#include "platform/qt/startup/after_first_frame.h"

namespace vesk::platform::qt {
namespace {

using std::chrono::milliseconds;

TEST(AfterFirstFrameTest, RunsOnceAfterTheFirstFrameOrAtItsDeadline) {
    const milliseconds never(60000), soon(50);  // a deadline the test never reaches, or one it does
    const struct {
        const char* what;
        bool shown, kept;
        milliseconds latest;
        int runs;
    } cases[] = {{"a window is drawn", true, true, never, 1},
                 {"no window is drawn", false, true, soon, 1},
                 {"the owner goes first", true, false, never, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int runs = 0;
        auto owner = std::make_unique<AfterFirstFrame>([&runs] { ++runs; }, c.latest);
        QWidget window;
        if (c.latest == never) QCoreApplication::processEvents();
        EXPECT_EQ(runs, 0);  // nothing before a frame
        if (c.shown) window.show();
        if (!c.kept) owner.reset();
        EXPECT_EQ(QTest::qWaitFor([&] { return runs > 0; }, c.runs ? 10000 : 300), c.runs > 0);
        window.update();  // a second frame
        QTest::qWait(100);
        EXPECT_EQ(runs, c.runs);
    }
}

}  // namespace
}  // namespace vesk::platform::qt
