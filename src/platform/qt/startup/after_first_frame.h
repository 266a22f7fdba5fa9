#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

class QEvent;

namespace vesk::platform::qt {

// Work that start-up leaves until the first window is on the screen: run once, on the
// GUI thread, after the first paint of a top-level widget has been handled (Qt flushes
// the frame to the screen within that handling), or at `latest` should no window be
// drawn by then. Dropped if this object goes first.
class AfterFirstFrame final : public QObject {
public:
    AfterFirstFrame(std::function<void()> work, std::chrono::milliseconds latest);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    std::function<void()> work_;
    QTimer latest_;
};

}  // namespace vesk::platform::qt
