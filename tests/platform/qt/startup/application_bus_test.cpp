// The running editor on the session bus and a second start asking it to come to the
// front, over a private bus daemon of the test's own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <optional>

#include "platform/qt/startup/application_bus.h"
#include "platform/qt/startup/application_service.h"

namespace vesk::platform::qt {
namespace {

const QString kId = QStringLiteral("io.github.veskedit.VeskEdit");

TEST(ApplicationBus, ObjectPathAndTokenFollowTheDesktopConventions) {
    EXPECT_EQ(applicationObjectPath(kId), QStringLiteral("/io/github/veskedit/VeskEdit"));
    EXPECT_EQ(applicationObjectPath(QStringLiteral("org.example.my-app")),
              QStringLiteral("/org/example/my_app"));

    struct Case {
        QVariantMap platformData;
        QString token;
    };
    const Case cases[] = {
        {activationPlatformData(QStringLiteral("abc")), QStringLiteral("abc")},
        {{{QStringLiteral("desktop-startup-id"), QStringLiteral("id_TIME5")}},
         QStringLiteral("id_TIME5")},
        {{{QStringLiteral("activation-token"), QStringLiteral("wl")},
          {QStringLiteral("desktop-startup-id"), QStringLiteral("x11")}},
         QStringLiteral("wl")},
        {activationPlatformData({}), QString()},
        {activationPlatformData(QString(512, QLatin1Char('t'))), QString(512, QLatin1Char('t'))},
        {activationPlatformData(QString(513, QLatin1Char('t'))), QString()},
        {activationPlatformData(QStringLiteral("two\nlines")), QString()},
        {activationPlatformData(QStringLiteral("with space")), QString()},
        {activationPlatformData(QStringLiteral("東京")), QString()},
        {{{QStringLiteral("activation-token"), 42}}, QStringLiteral("42")},
    };
    for (const Case& c : cases) EXPECT_EQ(activationToken(c.platformData), c.token);
}

// A session bus daemon of the test's own, ended with the fixture.
class ApplicationBusOnPrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
        daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon_.waitForStarted(5000));
        ASSERT_TRUE(daemon_.waitForReadyRead(5000)) << "the bus daemon gave no address";
        address_ = QString::fromUtf8(daemon_.readLine().trimmed());
        serviceThread_.start();
    }
    void TearDown() override {
        if (service_) service_->deleteLater();  // on its own thread, as it finishes
        serviceThread_.quit();
        serviceThread_.wait(5000);
        for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }

    QDBusConnection connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

    // The editor's side, answering on a thread of its own as the real one answers
    // on its window's thread while the caller waits for the answer.
    ApplicationService& startService(const QString& connectionName) {
        service_ =
            new ApplicationService(kId, [this](const QString& token) { activated_ = token; });
        service_->moveToThread(&serviceThread_);
        published_ = service_->publish(connect(connectionName));
        return *service_;
    }

    // Runs the queued activation on the main thread, where the window would be raised.
    std::optional<QString> activation() {
        QElapsedTimer timer;
        timer.start();
        while (!activated_ && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return activated_;
    }

    QProcess daemon_;
    QString address_;
    QStringList names_;
    QThread serviceThread_;
    ApplicationService* service_ = nullptr;
    bool published_ = false;
    std::optional<QString> activated_;
};

TEST_F(ApplicationBusOnPrivateBus, ASecondStartRaisesTheFirstWithItsToken) {
    const QDBusConnection caller = connect(QStringLiteral("caller"));
    EXPECT_FALSE(activateRunningApplication(caller, kId, QStringLiteral("early")))
        << "nobody owns the name yet, and the bus must not start anyone";

    startService(QStringLiteral("editor"));
    ASSERT_TRUE(published_);
    EXPECT_TRUE(activateRunningApplication(caller, kId, QStringLiteral("token-1")));
    EXPECT_EQ(activation(), QStringLiteral("token-1"));

    // A second editor cannot take the name the first holds.
    ApplicationService other(kId, [](const QString&) {});
    EXPECT_FALSE(other.publish(connect(QStringLiteral("other"))));
}

TEST_F(ApplicationBusOnPrivateBus, OpenRaisesAndActionsAreRefused) {
    startService(QStringLiteral("editor"));
    ASSERT_TRUE(published_);
    const QDBusConnection caller = connect(QStringLiteral("caller"));
    const auto call = [&](const QString& member, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            kId, applicationObjectPath(kId), QStringLiteral("org.freedesktop.Application"), member);
        message.setArguments(arguments);
        return caller.call(message, QDBus::Block, 5000);
    };

    const QDBusMessage action =
        call(QStringLiteral("ActivateAction"),
             {QStringLiteral("quit"), QVariant::fromValue(QVariantList{}), QVariantMap{}});
    EXPECT_EQ(action.type(), QDBusMessage::ErrorMessage);
    EXPECT_FALSE(activated_);

    const QDBusMessage open =
        call(QStringLiteral("Open"), {QStringList{QStringLiteral("file:///tmp/a.gb")},
                                      activationPlatformData(QStringLiteral("from-open"))});
    EXPECT_EQ(open.type(), QDBusMessage::ReplyMessage) << open.errorMessage().toStdString();
    EXPECT_EQ(activation(), QStringLiteral("from-open"));
}

}  // namespace
}  // namespace vesk::platform::qt
