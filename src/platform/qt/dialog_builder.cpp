#include "platform/qt/dialog_builder.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <vector>

#include "layout/accessible_names.h"
#include "platform/qt/drop_down_list_accessible.h"
#include "platform/qt/stat_field.h"

namespace vesk::platform::qt {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DialogBuilder::DialogBuilder(QWidget& window, DialogEvents& events, DialogWidgets& widgets)
    : window_(window), events_(events), widgets_(widgets) {}

void DialogBuilder::buildMenu() {
    // The menu stays in the window. Saying so before the menu bar exists also spares the
    // start-up the search for a desktop-wide menu service.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    widgets_.menuBar = new QMenuBar(&window_);
    widgets_.menuBar->setNativeMenuBar(false);
    for (const layout::Menu& menu : layout::kMenus) {
        QMenu* popup = widgets_.menuBar->addMenu(toQString(menu.title));
        popup->setAttribute(Qt::WA_WindowPropagation);  // takes on the window's font
        for (int i = 0; i < menu.entryCount; ++i) {
            const layout::MenuEntry& entry = menu.entries[static_cast<std::size_t>(i)];
            if (entry.id == 0) {
                popup->addSeparator();
                continue;
            }
            QAction* action = popup->addAction(toQString(entry.text));
            action->setEnabled(!entry.grayed);
            if (entry.checked) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            const int id = entry.id;
            QObject::connect(action, &QAction::triggered, &window_,
                             [events = &events_, action, id] {
                                 // As on a Win32 menu, only the program moves a check mark.
                                 if (action->isCheckable()) {
                                     const QSignalBlocker blocker(action);
                                     action->setChecked(!action->isChecked());
                                 }
                                 events->onEvent(id, ControlEvent::Pressed);
                             });
            widgets_.menuEntries[id] = action;
        }
    }
}

void DialogBuilder::buildControls(const DialogUnits& units) {
    units_ = &units;
    DropDownListAccessible::install();
    const int menuHeight = widgets_.menuBar->geometry().height();
    widgets_.client = new QWidget(&window_);
    widgets_.client->setGeometry(0, menuHeight, units.x(layout::kWidth), units.y(layout::kHeight));
    QWidget* previousTabStop = nullptr;
    std::vector<QWidget*> groupBoxes;
    for (const layout::Control& control : layout::kControls) {
        QWidget* widget = createControl(control);
        // Named before anything reports the control to a screen reader: a drop-down list
        // takes its interface by its name (DropDownListAccessible).
        if (control.style & layout::kTabStop) {
            widget->setAccessibleName(toQString(layout::accessibleName(control.id)));
        }
        widget->setEnabled((control.style & layout::kDisabled) == 0);
        if (control.id != layout::kNoId) widgets_.controls[control.id] = widget;
        if (control.kind == layout::ControlKind::GroupBox) groupBoxes.push_back(widget);
        if (control.style & layout::kTabStop) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop) QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
    }
    // A group box only frames its neighbours: it lies beneath them and takes no clicks.
    for (QWidget* box : groupBoxes) {
        box->lower();
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

QWidget* DialogBuilder::createControl(const layout::Control& control) {
    const QRect area = units_->rect(control.x, control.y, control.width, control.height);
    const int id = control.id;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case layout::ControlKind::Label: {
            auto* label = new QLabel(toQString(control.text), widgets_.client);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case layout::ControlKind::GroupBox:
            widget = new QGroupBox(toQString(control.text), widgets_.client);
            break;
        case layout::ControlKind::DropDownList: {
            auto* list = new QComboBox(widgets_.client);
            widgets_.dropDownLists[id] = list;
            setUpDropDownList(*list, control);
            list->setGeometry(area.x(), area.y(), area.width(), list->height());
            return list;
        }
        case layout::ControlKind::ListBox: {
            auto* list = new QListWidget(widgets_.client);
            widgets_.listBoxes[id] = list;
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setUniformItemSizes(true);
            list->setFrameShape((control.style & layout::kBorder) ? QFrame::StyledPanel
                                                                  : QFrame::NoFrame);
            list->setVerticalScrollBarPolicy((control.style & layout::kVScroll)
                                                 ? Qt::ScrollBarAsNeeded
                                                 : Qt::ScrollBarAlwaysOff);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            widget = list;
            break;
        }
        case layout::ControlKind::Edit: {
            QLineEdit* edit = nullptr;
            if (control.style & layout::kStatField) {
                edit = new StatField(widgets_.client, [events = &events_, id](ControlEvent event) {
                    events->onEvent(id, event);
                });
            } else {
                edit = new QLineEdit(widgets_.client);
                QObject::connect(edit, &QLineEdit::textEdited, &window_, [events = &events_, id] {
                    events->onEvent(id, ControlEvent::TextEdited);
                });
            }
            edit->setFrame((control.style & layout::kBorder) != 0);
            widgets_.edits[id] = edit;
            widget = edit;
            break;
        }
        case layout::ControlKind::PushButton: {
            auto* button = new QPushButton(toQString(control.text), widgets_.client);
            button->setAutoDefault(false);  // Enter elsewhere in the window must not press it
            QObject::connect(button, &QPushButton::clicked, &window_, [events = &events_, id] {
                events->onEvent(id, ControlEvent::Pressed);
            });
            widget = button;
            break;
        }
    }
    widget->setGeometry(area);
    return widget;
}

void DialogBuilder::setUpDropDownList(QComboBox& list, const layout::Control& control) {
    if (control.style & layout::kSorted) widgets_.sortedLists.insert(control.id);
    // The table's height includes the dropped list; closed, the list is one line high.
    const int closedHeight = std::min(list.sizeHint().height(), units_->y(13));
    list.resize(list.width(), closedHeight);
    const int lineHeight = QFontMetrics(window_.font()).height() + 2;
    const int droppedHeight = units_->y(control.height) - closedHeight;
    list.setMaxVisibleItems(std::max(1, droppedHeight / lineHeight));
    const int id = control.id;
    // Only the user's choice is reported: the selection moved, then confirmed.
    QObject::connect(&list, &QComboBox::activated, &window_, [events = &events_, id] {
        events->onEvent(id, ControlEvent::SelectionChanged);
        events->onEvent(id, ControlEvent::SelectionConfirmed);
    });
}

}  // namespace vesk::platform::qt
