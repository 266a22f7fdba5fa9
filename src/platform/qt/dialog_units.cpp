#include "platform/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace vesk::platform::qt {

namespace {

// a * b / c rounded to the nearest integer, as MulDiv.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 Latin letters, rounded, as the dialog manager takes it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::x(int units) const { return mulDiv(units, baseX_, 4); }

int DialogUnits::y(int units) const { return mulDiv(units, baseY_, 8); }

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return {x(left), y(top), x(width), y(height)};
}

}  // namespace vesk::platform::qt
