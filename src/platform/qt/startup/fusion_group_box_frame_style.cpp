#include "platform/qt/startup/fusion_group_box_frame_style.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace vesk::platform::qt {

namespace {

// Fusion's space above a group box frame, added to the title's height.
constexpr int kTopMargin = 3;

// `colour` laid over `background` with the given opacity (0 to 255), as one opaque colour:
// opaque fills are plain memory fills.
QColor over(const QColor& background, const QColor& colour, int alpha) {
    const auto mix = [alpha](int below, int above) {
        return (below * (255 - alpha) + above * alpha + 127) / 255;
    };
    return QColor(mix(background.red(), colour.red()), mix(background.green(), colour.green()),
                  mix(background.blue(), colour.blue()));
}

}  // namespace

void FusionGroupBoxFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                             QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameGroupBox ||
        baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame starts below the title, as Fusion's does.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool untitled = box && !box->isCheckable() && box->title().isEmpty();
    const int top = untitled ? kTopMargin
                             : std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                        option->fontMetrics.height()) +
                                   kTopMargin;
    // Fusion's picture leaves its first row and column empty, draws a grey outline without
    // corner pixels, a faint shade inside it and a fainter one over the rest.
    const QRect frame = option->rect.adjusted(1, top + 1, 0, 0);
    if (frame.width() < 4 || frame.height() < 4) return;
    const QColor window = option->palette.color(QPalette::Window);
    const QColor outline = over(window, QColor(117, 117, 117), 50);
    painter->fillRect(frame.adjusted(1, 0, -1, 1 - frame.height()), outline);
    painter->fillRect(frame.adjusted(1, frame.height() - 1, -1, 0), outline);
    painter->fillRect(frame.adjusted(0, 1, 1 - frame.width(), -1), outline);
    painter->fillRect(frame.adjusted(frame.width() - 1, 1, 0, -1), outline);
    painter->fillRect(frame.adjusted(1, 1, -1, -1), over(window, Qt::black, 7));
    painter->fillRect(frame.adjusted(2, 2, -2, -2), over(window, Qt::black, 3));
}

}  // namespace vesk::platform::qt
