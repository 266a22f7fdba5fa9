#pragma once

#include <QString>
#include <QVariantMap>

class QDBusConnection;

namespace vesk::platform::qt {

inline constexpr char kApplicationInterface[] = "org.freedesktop.Application";

// "/io/github/veskedit/VeskEdit" for "io.github.veskedit.VeskEdit", as desktops derive
// the object path of an application from its ID.
QString applicationObjectPath(const QString& applicationId);

// The platform data of an activation request, carrying the requester's token under both
// names desktops use: an xdg-activation token or a startup-notification ID.
QVariantMap activationPlatformData(const QString& token);

// The token of an activation request's platform data; "" when it has none, or one longer
// than 512 characters or with characters other than printable ASCII.
QString activationToken(const QVariantMap& platformData);

// Asks the editor that owns `applicationId` on `bus` (the session bus) to come to the
// front, passing `token`. False when the bus cannot be reached, no editor owns the name,
// or it does not answer within a second and a half. Never starts an editor.
bool activateRunningApplication(QDBusConnection bus, const QString& applicationId,
                                const QString& token);

}  // namespace vesk::platform::qt
