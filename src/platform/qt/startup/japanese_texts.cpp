#include "platform/qt/startup/japanese_texts.h"

#include <QCoreApplication>

namespace vesk::platform::qt {

QtJapaneseTexts::QtJapaneseTexts(const QString& directory) {
    installed_ = translator_.load(QStringLiteral("qtbase_ja"), directory) &&
                 QCoreApplication::installTranslator(&translator_);
}

QtJapaneseTexts::~QtJapaneseTexts() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace vesk::platform::qt
