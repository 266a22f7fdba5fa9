#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace vesk::test {

// Runs `answer` on the next modal window once it is shown, from inside its event loop.
// Gives up after five seconds.
template <class Window>
void answerNextModal(std::function<void(Window&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, tries = 0]() mutable {
        auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget());
        const bool found = modal && modal->isVisible();
        if (found || ++tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
        if (found) answer(*modal);
    });
    timer->start();
}

}  // namespace vesk::test
