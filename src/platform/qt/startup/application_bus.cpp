#include "platform/qt/startup/application_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace vesk::platform::qt {
namespace {

constexpr char kTokenKey[] = "activation-token";
constexpr char kStartupIdKey[] = "desktop-startup-id";
constexpr int kCallTimeoutMs = 1500;

}  // namespace

QString applicationObjectPath(const QString& applicationId) {
    QString path = QStringLiteral("/") + applicationId;
    path.replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
    return path;
}

QVariantMap activationPlatformData(const QString& token) {
    QVariantMap data;
    if (!token.isEmpty()) {
        data.insert(QLatin1String(kTokenKey), token);
        data.insert(QLatin1String(kStartupIdKey), token);
    }
    return data;
}

QString activationToken(const QVariantMap& platformData) {
    const QString token = platformData.value(QLatin1String(kTokenKey)).toString();
    return token.isEmpty() ? platformData.value(QLatin1String(kStartupIdKey)).toString() : token;
}

bool activateRunningApplication(QDBusConnection bus, const QString& applicationId,
                                const QString& token) {
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        applicationId, applicationObjectPath(applicationId), QLatin1String(kApplicationInterface),
        QStringLiteral("Activate"));
    // Only an editor that runs already is asked; the bus must not start one.
    call.setAutoStartService(false);
    call << activationPlatformData(token);
    return bus.call(call, QDBus::Block, kCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace vesk::platform::qt
