#include "dialog_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

#include "resource_ids.h"

namespace vesk::platform::qt {

DialogWindow::DialogWindow(std::function<void()> closeRequested, std::function<void(int)> command)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      closeRequested_(std::move(closeRequested)),
      command_(std::move(command)) {
    setSizeGripEnabled(false);
}

void DialogWindow::accept() { command_(IDC_DIALOG_OK); }

void DialogWindow::reject() { command_(IDC_DIALOG_CANCEL); }

void DialogWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeRequested_();
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
        activateMenuBar();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    // As in the dialog manager: Enter presses the push button that has the focus, and
    // anywhere else sends the OK command, since no button is the default.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
        button->click();
    } else {
        command_(IDC_DIALOG_OK);
    }
}

// F10 does what a lone Alt does: the menu bar takes the keyboard with its first title
// highlighted. The menu bar watches the window for Alt, so the window is shown one.
void DialogWindow::activateMenuBar() {
    if (!findChild<QMenuBar*>()) return;
    QKeyEvent altDown(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(this, &altDown);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &altUp);
}

}  // namespace vesk::platform::qt
