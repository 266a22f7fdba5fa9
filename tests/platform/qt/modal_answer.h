#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <functional>
#include <utility>

namespace vesk::test {

// Answers the next modal dialog of type Dialog that the code under test runs with exec(),
// for as long as this object lives.
//
// The answer runs from inside that dialog's own event loop, never earlier: a dialog closed
// before exec() has started its loop is hidden with nothing to end, and exec() then waits
// for ever. When no such dialog comes before the deadline, or the answer leaves it open,
// the test fails with a message naming the dialog, and the dialog (or one that comes late)
// is rejected so that exec() returns. A dialog that never came fails the test too.
template <class Dialog>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(Dialog&)> answer,
                         std::chrono::milliseconds deadline = std::chrono::seconds(20))
        : answer_(std::move(answer)),
          limit_(deadline),
          deadline_(deadline),
          outerLoopLevel_(QThread::currentThread()->loopLevel()) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { check(); });
        poll_.start(10);
    }
    ~ModalAnswer() {
        poll_.stop();
        if (state_ == State::Waiting) ADD_FAILURE() << "no " << name() << " was shown";
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool answered() const { return state_ == State::Answered; }

private:
    enum class State { Waiting, Answered, TimedOut };

    static const char* name() { return Dialog::staticMetaObject.className(); }

    // The dialog to act on: the active modal one, shown, with its own exec() loop running
    // (one event loop deeper than where this object was made).
    Dialog* runningModal() const {
        auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        const bool inItsLoop = QThread::currentThread()->loopLevel() > outerLoopLevel_;
        return modal != nullptr && modal->isVisible() && inItsLoop ? modal : nullptr;
    }

    void check() {
        Dialog* modal = runningModal();
        if (state_ == State::Waiting && modal != nullptr) {
            state_ = State::Answered;
            poll_.stop();
            const QPointer<Dialog> guard(modal);
            answer_(*modal);
            if (guard && guard->isVisible()) {
                ADD_FAILURE() << "the answer left the " << name() << " \""
                              << guard->windowTitle().toStdString() << "\" open";
                static_cast<QDialog*>(guard.data())->reject();
            }
        } else if (state_ == State::Waiting && deadline_.hasExpired()) {
            state_ = State::TimedOut;
            ADD_FAILURE() << "no " << name() << " was shown within " << limit_.count() << " ms";
        } else if (state_ == State::TimedOut && modal != nullptr) {
            ADD_FAILURE() << "a " << name() << " came after the deadline; rejected";
            static_cast<QDialog*>(modal)->reject();
        }
    }

    std::function<void(Dialog&)> answer_;
    std::chrono::milliseconds limit_;
    QDeadlineTimer deadline_;
    int outerLoopLevel_;
    State state_ = State::Waiting;
    QTimer poll_;
};

}  // namespace vesk::test
