#include "platform/qt/stat_field.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "layout/main_dialog_layout.h"
#include "platform/dialog.h"

namespace vesk::platform::qt {

namespace {

bool isDigits(const QString& text) {
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return false;
    }
    return true;
}

// A key press that would insert printable text, as opposed to editing, moving or a shortcut.
bool insertsText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) return false;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    for (QChar c : text) {
        if (!c.isPrint()) return false;
    }
    return true;
}

}  // namespace

StatField::StatField(QWidget* parent, Notify notify)
    : QLineEdit(parent), notify_(std::move(notify)) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(layout::kStatFieldLength);
    switchOffInputMethod();
    connect(this, &QLineEdit::textEdited, this, [this] { notify_(ControlEvent::TextEdited); });
}

void StatField::switchOffInputMethod() {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhNoPredictiveText | Qt::ImhPreferLatin);
}

void StatField::keyPressEvent(QKeyEvent* event) {
    if (insertsText(*event) && !isDigits(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void StatField::inputMethodEvent(QInputMethodEvent* event) {
    if (!isDigits(event->commitString()) || !event->preeditString().isEmpty()) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void StatField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    notify_(ControlEvent::FocusEntered);
}

void StatField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    notify_(ControlEvent::FocusLeft);
}

}  // namespace vesk::platform::qt
