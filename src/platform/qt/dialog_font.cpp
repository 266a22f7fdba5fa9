#include "platform/qt/dialog_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include "layout/main_dialog_layout.h"

namespace vesk::platform::qt {

namespace {

// The first installed family of the preference list. Naming one installed family spares
// the font matching the aliases and fallbacks it would search for a missing one.
QString installedFamily() {
    const std::string_view name = layout::kFontName;
    const QStringList preferred = {
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
        QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred) {
        if (installed.contains(family)) return family;
    }
    return preferred.front();
}

}  // namespace

QFont dialogFont() {
    static const QString family = installedFamily();
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(layout::kFontPoints);
    return font;
}

const DialogUnits& dialogUnits() {
    static const DialogUnits units(dialogFont());
    return units;
}

}  // namespace vesk::platform::qt
