#pragma once

#include <QLineEdit>

#include <functional>

#include "platform/dialog.h"

namespace vesk::platform::qt {

// A stat field: right-aligned, at most three characters, no input method, and typed
// characters other than digits are refused. Pasted text goes in as it is, so that the
// editor normalises it by the same rule as typing. Reports the user's edits and its focus
// changes; text set by the program reports nothing.
class StatField final : public QLineEdit {
public:
    using Notify = std::function<void(ControlEvent event)>;

    StatField(QWidget* parent, Notify notify);

    void switchOffInputMethod();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Notify notify_;
};

}  // namespace vesk::platform::qt
