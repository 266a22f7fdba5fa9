#pragma once

#include <QFont>
#include <QRect>

namespace vesk::platform::qt {

// Converts dialog units to pixels the way the Win32 dialog manager does: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an eighth of
// its character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }
    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;

private:
    int baseX_;
    int baseY_;
};

}  // namespace vesk::platform::qt
