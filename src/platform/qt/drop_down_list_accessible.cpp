#include "platform/qt/drop_down_list_accessible.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <algorithm>

namespace vesk::platform::qt {
namespace {

QAccessibleInterface* namedDropDownList(const QString&, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    if (list == nullptr || list->isEditable() || list->accessibleName().isEmpty()) return nullptr;
    return new DropDownListAccessible(list);
}

}  // namespace

DropDownListAccessible::DropDownListAccessible(QComboBox* list)
    : QAccessibleWidget(list, QAccessible::ComboBox) {}

void DropDownListAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(namedDropDownList);
        return true;
    }();
    (void)installed;
}

void* DropDownListAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QComboBox* DropDownListAccessible::list() const { return static_cast<QComboBox*>(widget()); }

int DropDownListAccessible::childCount() const { return list()->view() ? 1 : 0; }

QAccessibleInterface* DropDownListAccessible::child(int index) const {
    return index == 0 && list()->view() ? QAccessible::queryAccessibleInterface(list()->view())
                                        : nullptr;
}

int DropDownListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child != nullptr && child->object() == list()->view() ? 0 : -1;
}

QString DropDownListAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return list()->currentText();
    return QAccessibleWidget::text(t);
}

QStringList DropDownListAccessible::actionNames() const {
    return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
}

void DropDownListAccessible::doAction(const QString& actionName) {
    if (actionName == showMenuAction() || actionName == pressAction()) {
        list()->showPopup();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QString DropDownListAccessible::text(int startOffset, int endOffset) const {
    const QString entry = list()->currentText();
    if (endOffset < 0 || endOffset > entry.size()) endOffset = static_cast<int>(entry.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return entry.mid(startOffset, endOffset - startOffset);
}

int DropDownListAccessible::characterCount() const {
    return static_cast<int>(list()->currentText().size());
}

void DropDownListAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString DropDownListAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

}  // namespace vesk::platform::qt
