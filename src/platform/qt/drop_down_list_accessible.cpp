#include "platform/qt/drop_down_list_accessible.h"

#include <QAbstractItemView>
#include <QComboBox>

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

}  // namespace vesk::platform::qt
