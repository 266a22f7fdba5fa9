#pragma once

#include <QProxyStyle>

namespace vesk::platform::qt {

// The application's own style, but for the icons of a menu bar's overflow button. Every
// menu bar asks for them as it is made, and loading an icon file loads each image format
// plug-in to ask whether it reads the file. Here they load when first drawn, which in
// the editor's fixed-size window never happens.
class LazyExtensionIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace vesk::platform::qt
