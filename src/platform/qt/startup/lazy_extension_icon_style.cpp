#include "platform/qt/startup/lazy_extension_icon_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace vesk::platform::qt {

namespace {

// An icon that asks the style for itself on first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QPointer<QStyle> style, QStyle::StandardPixmap which)
        : style_(std::move(style)), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!icon_) icon_ = style_ ? style_->standardIcon(which_) : QIcon();
        return *icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QIcon> icon_;
};

}  // namespace

QIcon LazyExtensionIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                           const QWidget* widget) const {
    const bool overflow =
        icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
    // An option may not outlive this call, so only the plain request is deferred.
    if (overflow && option == nullptr) {
        return QIcon(new DeferredIconEngine(QPointer<QStyle>(baseStyle()), icon));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace vesk::platform::qt
