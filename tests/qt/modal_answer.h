#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace vesk::test {

// Runs `answer` on the next modal window once it is shown, from inside its event loop.
template <class Window>
void answerNextModal(std::function<void(Window&)> answer) {
    auto timer = std::make_shared<QTimer>();
    auto tries = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer.get(), &QTimer::timeout, [timer, tries, answer] {
        auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (modal && modal->isVisible()) {
            timer->stop();
            answer(*modal);
        } else if (++*tries > 500) {
            timer->stop();
        }
    });
    timer->start();
}

}  // namespace vesk::test
