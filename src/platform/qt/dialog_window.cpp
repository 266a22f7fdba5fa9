#include "platform/qt/dialog_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

#include "layout/resource_ids.h"

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

// F10 opens the first menu of the menu bar, from where the arrow keys walk the menus, as
// F10 does in GTK programs; a lone Alt still only highlights the first title.
void DialogWindow::activateMenuBar() {
    auto* bar = findChild<QMenuBar*>();
    if (!bar || bar->actions().isEmpty()) return;
    bar->setActiveAction(bar->actions().first());
}

}  // namespace vesk::platform::qt
