// What the window draws without reading image files at start-up: its icons and frames.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QStyleFactory>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/qt/startup/fusion_group_box_frame_style.h"
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

QImage groupBoxDrawnBy(QStyle& style, const QString& title) {
    QGroupBox box(title);
    box.setStyle(&style);
    box.resize(160, 90);
    QImage image(box.size(), QImage::Format_RGB32);
    box.render(&image);
    return image;
}

int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            largest = std::max({largest, std::abs(p.red() - q.red()),
                                std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())});
        }
    }
    return largest;
}

TEST(GroupBoxFrameTest, LooksAsTheBaseStyleDrawsIt) {
    // Fusion's rounded corners are left square, hence the small difference allowed there.
    const struct {
        const char* style;
        int allowed;
    } cases[] = {{"Fusion", 12}, {"Windows", 0}};
    for (const auto& c : cases) {
        for (const QString& title : {QStringLiteral("能力"), QString()}) {
            const std::unique_ptr<QStyle> plain(QStyleFactory::create(QLatin1String(c.style)));
            FusionGroupBoxFrameStyle framed(QStyleFactory::create(QLatin1String(c.style)));
            EXPECT_LE(
                largestDifference(groupBoxDrawnBy(framed, title), groupBoxDrawnBy(*plain, title)),
                c.allowed)
                << c.style << " " << title.toStdString();
        }
    }
}

}  // namespace
}  // namespace vesk::platform::qt
