#include "dialog_font.h"

#include <QString>
#include <QStringList>

#include "main_dialog_layout.h"

namespace vesk::platform::qt {

QFont dialogFont() {
    const std::string_view name = layout::kFontName;
    QFont font;
    font.setFamilies({QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                      QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(layout::kFontPoints);
    return font;
}

}  // namespace vesk::platform::qt
