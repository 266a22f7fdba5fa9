// Bringing the editor to the front for a request from outside: which window is raised,
// and the launch time stamp an X11 startup-notification ID carries.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "app/editor_session.h"
#include "modal_answer.h"
#include "platform/qt/dialog.h"
#include "platform/qt/window_activation.h"
#include "platform/x11/activation.h"
#include "test_files.h"

namespace vesk::platform::qt {
namespace {

TEST(WindowActivation, StartupIdTimeStamps) {
    struct Case {
        const char* id;
        xcb_timestamp_t time;
    };
    const Case cases[] = {
        {"launcher-12-host-vesk-edit-0_TIME4321", 4321},
        {"id_TIME1_with_more_TIME99", 99},  // the last mark counts
        {"no-time-stamp", XCB_CURRENT_TIME},
        {"bad_TIME12x", XCB_CURRENT_TIME},
        {"empty_TIME", XCB_CURRENT_TIME},
        {"", XCB_CURRENT_TIME},
    };
    for (const Case& c : cases) EXPECT_EQ(x11::startupTime(c.id), c.time) << c.id;
}

TEST(WindowActivation, RaisesTheOpenModalWindowElseTheEditorWindowElseNothing) {
    EXPECT_EQ(windowToActivate(), nullptr) << "no editor window yet";

    test::TempDir dir;
    EditorSession session{SettingsFile(dir.path("data.ini"))};
    QtDialog dialog{session.window};
    dialog.initialise();
    dialog.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog.window()));
    EXPECT_EQ(windowToActivate(), &dialog.window());

    bool raisesTheBox = false;
    const test::ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
        raisesTheBox = windowToActivate() == &box;
        activateWindowFromOutside(QStringLiteral("token"));  // must leave the box working
        box.button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(dialog.askYesNo("text", "caption"));
    EXPECT_TRUE(raisesTheBox);

    dialog.end(0);
    EXPECT_EQ(windowToActivate(), nullptr) << "the editor window has gone";
}

}  // namespace
}  // namespace vesk::platform::qt
