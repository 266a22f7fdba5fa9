#pragma once

#include <QDBusVirtualObject>
#include <QString>

#include <functional>

class QDBusConnection;

namespace vesk::platform::qt {

// The running editor on the session bus: it owns its application ID as bus name and
// answers org.freedesktop.Application at the object path made from that ID. Activate and
// Open bring the editor to the front with the activation token the caller passes in its
// platform data (Open's files are ignored, as the command line is); the editor has no
// actions, so ActivateAction answers with an error.
class ApplicationService final : public QDBusVirtualObject {
public:
    using Activate = std::function<void(const QString& token)>;
    ApplicationService(QString applicationId, Activate activate);

    // Registers the object, then claims the name, so that a call arriving with the name
    // finds the object. False when the bus cannot be reached or the name is taken.
    bool publish(QDBusConnection bus);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QString applicationId_;
    Activate activate_;
};

}  // namespace vesk::platform::qt
