#include "platform/qt/startup/application_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <algorithm>

namespace vesk::platform::qt {
namespace {

constexpr char kTokenKey[] = "activation-token";
constexpr char kStartupIdKey[] = "desktop-startup-id";
constexpr int kCallTimeoutMs = 1500;
constexpr qsizetype kMaxTokenLength = 512;

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
    QString token = platformData.value(QLatin1String(kTokenKey)).toString();
    if (token.isEmpty()) token = platformData.value(QLatin1String(kStartupIdKey)).toString();
    // The token comes from any program on the bus and goes into the environment and a
    // window property: only a short line of printable ASCII, as launchers make them.
    const bool plain = std::all_of(token.cbegin(), token.cend(), [](QChar c) {
        return c.unicode() > 0x20 && c.unicode() < 0x7f;
    });
    return plain && token.size() <= kMaxTokenLength ? token : QString();
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
