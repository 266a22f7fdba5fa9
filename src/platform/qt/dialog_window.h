#pragma once

#include <QDialog>

#include <functional>

namespace vesk::platform::qt {

// The top-level window of a dialog. It never closes or hides itself: the close request
// (title bar, system menu, Alt+F4) is reported, and Escape and Enter become the dialog
// manager's own cancel and OK commands, which the owner may ignore. F10 opens the
// menu bar.
class DialogWindow final : public QDialog {
public:
    DialogWindow(std::function<void()> closeRequested, std::function<void(int id)> command);

    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void activateMenuBar();

    std::function<void()> closeRequested_;
    std::function<void(int)> command_;
};

}  // namespace vesk::platform::qt
