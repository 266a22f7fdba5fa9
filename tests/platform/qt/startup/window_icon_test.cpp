// The icons the window shows without reading image files at start-up.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QStyleFactory>

#include <memory>

#include "platform/qt/startup/lazy_extension_icon_style.h"
#include "platform/qt/startup/window_icon_pixels.h"

namespace vesk::platform::qt {
namespace {

TEST(WindowIconTest, CompiledPixelsAreThoseOfTheIconImage) {
    const QImage image =
        QImage(QStringLiteral(VESK_WINDOW_ICON_IMAGE)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(kWindowIconSize, image.width());
    const QImage compiled(reinterpret_cast<const uchar*>(kWindowIconPixels), kWindowIconSize,
                          kWindowIconSize, QImage::Format_ARGB32);
    EXPECT_EQ(compiled, image);
    EXPECT_NE(image.pixel(kWindowIconSize / 2, kWindowIconSize / 2), 0u);  // not blank
}

QImage imageOf(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }

TEST(WindowIconTest, MenuBarOverflowIconsLoadWhenDrawnAndLookAsTheStyleDraws) {
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    LazyExtensionIconStyle lazy;
    lazy.setBaseStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const auto which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon deferred = lazy.standardIcon(which);
        EXPECT_FALSE(deferred.isNull());
        EXPECT_EQ(imageOf(deferred), imageOf(plain->standardIcon(which)));
        EXPECT_EQ(imageOf(QIcon(deferred)), imageOf(plain->standardIcon(which)));  // copies
    }
    EXPECT_EQ(imageOf(lazy.standardIcon(QStyle::SP_MessageBoxQuestion)),
              imageOf(plain->standardIcon(QStyle::SP_MessageBoxQuestion)));
}

}  // namespace
}  // namespace vesk::platform::qt
