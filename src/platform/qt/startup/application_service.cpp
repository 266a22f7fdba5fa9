#include "platform/qt/startup/application_service.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMetaObject>

#include <utility>

#include "platform/qt/startup/application_bus.h"

namespace vesk::platform::qt {

ApplicationService::ApplicationService(QString applicationId, Activate activate)
    : applicationId_(std::move(applicationId)), activate_(std::move(activate)) {}

bool ApplicationService::publish(QDBusConnection bus) {
    if (!bus.isConnected()) return false;
    const QString path = applicationObjectPath(applicationId_);
    if (!bus.registerVirtualObject(path, this, QDBusConnection::SingleNode)) return false;
    if (bus.registerService(applicationId_)) return true;
    bus.unregisterObject(path);
    return false;
}

QString ApplicationService::introspect(const QString&) const {
    return QStringLiteral(
        "<interface name=\"org.freedesktop.Application\">"
        "<method name=\"Activate\">"
        "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
        "<method name=\"Open\"><arg type=\"as\" name=\"uris\" direction=\"in\"/>"
        "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
        "<method name=\"ActivateAction\"><arg type=\"s\" name=\"action_name\" direction=\"in\"/>"
        "<arg type=\"av\" name=\"parameter\" direction=\"in\"/>"
        "<arg type=\"a{sv}\" name=\"platform_data\" direction=\"in\"/></method>"
        "</interface>");
}

bool ApplicationService::handleMessage(const QDBusMessage& message,
                                       const QDBusConnection& connection) {
    // A call may leave out the interface name.
    const QString interface = message.interface();
    if (!interface.isEmpty() && interface != QLatin1String(kApplicationInterface)) return false;
    const QString member = message.member();
    const QString signature = message.signature();
    const bool activate =
        member == QLatin1String("Activate") && signature == QLatin1String("a{sv}");
    const bool open = member == QLatin1String("Open") && signature == QLatin1String("asa{sv}");
    if (member == QLatin1String("ActivateAction")) {
        connection.send(message.createErrorReply(QDBusError::NotSupported,
                                                 QStringLiteral("VeskEdit has no actions")));
        return true;
    }
    if (!activate && !open) {
        connection.send(message.createErrorReply(QDBusError::InvalidArgs,
                                                 QStringLiteral("unknown method or arguments")));
        return true;
    }
    const QString token = activationToken(qdbus_cast<QVariantMap>(message.arguments().constLast()));
    connection.send(message.createReply());
    // The window is raised on the thread that owns it, after the answer has gone.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [activate = activate_, token] { activate(token); },
        Qt::QueuedConnection);
    return true;
}

}  // namespace vesk::platform::qt
