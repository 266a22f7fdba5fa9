#pragma once

#include <QProxyStyle>

namespace vesk::platform::qt {

// Fusion, but with its group box frame drawn as filled rectangles in the colours of the
// picture Fusion stretches over the box. Fusion loads that picture on the first frame,
// which makes Qt load every image format plug-in, and its stretched drawing is split over
// a pool of new threads once the box is large; the rectangles need neither. Other styles
// draw their own frames.
class FusionGroupBoxFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace vesk::platform::qt
