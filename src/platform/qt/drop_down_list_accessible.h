#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace vesk::platform::qt {

// A drop-down list as a screen reader sees it: named by its accessible name, with its
// current entry as its value and its dropped list as its child. Qt's own interface for
// a combo box on Linux gives the current entry as the name and leaves the name to a
// label relation, which a list without a label of its own (the ability choice) cannot
// have.
class DropDownListAccessible final : public QAccessibleWidget {
public:
    explicit DropDownListAccessible(QComboBox* list);

    // Makes every drop-down list that has an accessible name use this interface; once
    // per process, before the lists are first reported.
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* list() const;
};

}  // namespace vesk::platform::qt
