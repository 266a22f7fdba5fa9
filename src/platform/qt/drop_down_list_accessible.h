#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace vesk::platform::qt {

// A drop-down list as a screen reader sees it: named by its accessible name, with its
// current entry as its text, read-only, and its dropped list as its child. Qt's own
// interface for a combo box on Linux gives the current entry as the name and leaves the
// name to a label relation, which a list without a label of its own (the ability choice)
// cannot have.
class DropDownListAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DropDownListAccessible(QComboBox* list);

    // Makes every drop-down list that has an accessible name use this interface; once
    // per process, before the lists are first reported.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // The current entry as text: nothing to select, no cursor to move.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QComboBox* list() const;
};

}  // namespace vesk::platform::qt
