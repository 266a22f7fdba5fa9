#include "platform/qt/startup/after_first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace vesk::platform::qt {

AfterFirstFrame::AfterFirstFrame(std::function<void()> work, std::chrono::milliseconds latest)
    : work_(std::move(work)) {
    QCoreApplication::instance()->installEventFilter(this);
    latest_.setSingleShot(true);
    connect(&latest_, &QTimer::timeout, this, &AfterFirstFrame::run);
    latest_.start(latest);
}

bool AfterFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        // The paint is still being handled; the queued call comes after its flush.
        QCoreApplication::instance()->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &AfterFirstFrame::run, Qt::QueuedConnection);
    }
    return false;
}

void AfterFirstFrame::run() {
    QCoreApplication::instance()->removeEventFilter(this);
    latest_.stop();
    if (!work_) return;
    const std::function<void()> work = std::exchange(work_, nullptr);
    work();
}

}  // namespace vesk::platform::qt
