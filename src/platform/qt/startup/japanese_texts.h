#pragma once

#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

namespace vesk::platform::qt {

// Qt's own texts in Japanese while this object lives, whatever the user's locale: the
// labels and buttons of the file choosers, the standard buttons of message boxes, the
// context menus of edit fields. Without Qt's Japanese translation file the texts stay
// as Qt has them.
class QtJapaneseTexts final {
public:
    explicit QtJapaneseTexts(
        const QString& directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    ~QtJapaneseTexts();
    QtJapaneseTexts(const QtJapaneseTexts&) = delete;
    QtJapaneseTexts& operator=(const QtJapaneseTexts&) = delete;

    bool installed() const { return installed_; }

private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace vesk::platform::qt
