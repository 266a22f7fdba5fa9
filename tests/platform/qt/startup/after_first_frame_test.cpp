// Start-up work left until the first frame: done once a window has drawn itself, or at
// the deadline when none does; once only, and never after its owner has gone.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>

#include <chrono>
#include <memory>

#include "platform/qt/startup/after_first_frame.h"

namespace vesk::platform::qt {
namespace {

using std::chrono::milliseconds;

// Handles events until `done` holds or `limit` has passed; whether it holds.
template <typename Done>
bool processEventsUntil(Done done, milliseconds limit) {
    const QDeadlineTimer deadline(limit);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(AfterFirstFrameTest, RunsOnceAfterTheFirstFrameOrAtItsDeadline) {
    struct Case {
        const char* what;
        bool windowShown;
        bool ownerKept;
        milliseconds latest;
        int runs;
    };
    // A deadline that never comes within the test, or one that comes soon.
    const milliseconds never(60000), soon(50);
    const Case cases[] = {
        {"a window is drawn", true, true, never, 1},
        {"no window is drawn", false, true, soon, 1},
        {"the owner goes first", true, false, never, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int runs = 0;
        auto owner = std::make_unique<AfterFirstFrame>([&runs] { ++runs; }, c.latest);
        if (c.latest == never) {  // nothing before a frame
            EXPECT_FALSE(processEventsUntil([&] { return runs > 0; }, milliseconds(20)));
        }
        QWidget window;
        window.resize(100, 100);
        if (c.windowShown) window.show();
        if (!c.ownerKept) owner.reset();
        processEventsUntil([&] { return runs > 0; }, milliseconds(c.runs > 0 ? 10000 : 300));
        window.update();
        processEventsUntil([] { return false; }, milliseconds(100));  // a second frame
        EXPECT_EQ(runs, c.runs);
    }
}

}  // namespace
}  // namespace vesk::platform::qt
