#include "qt_dialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>

#include "dialog_font.h"
#include "qt_x11.h"
#include "stat_field.h"
#include "window_icon_pixels.h"

namespace vesk::platform::qt {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// Where a label goes in a sorted list: after every entry that does not sort above it.
template <class TextAt>
int sortedPosition(int count, TextAt textAt, const QString& text) {
    int low = 0, high = count;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (QString::compare(text, textAt(middle), Qt::CaseInsensitive) < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

int listBoxSelection(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

}  // namespace

QtDialog::QtDialog(DialogEvents& events)
    : events_(events),
      window_(std::make_unique<DialogWindow>(
          [this] { events_.onClose(); },
          [this](int id) { events_.onCommand(id, notify::kClicked); })),
      units_(0, 0) {
    // What needs no font comes first, the native window included, while the program's
    // start-up may still be filling the font database on another thread.
    window_->setWindowTitle(toQString(layout::kCaption));
    buildMenu();
    window_->winId();
    const QFont font = dialogFont();
    units_ = dialogUnits();
    // The program's other windows (menus, choosers, message boxes) take the same Japanese
    // font. It also spares loading a second font for the empty text an edit field lays
    // out before it takes on its window's font.
    QApplication::setFont(font);
    window_->setFont(font);
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, units_.x(layout::kWidth), menuHeight);
    client_ = new QWidget(window_.get());
    client_->setGeometry(0, menuHeight, units_.x(layout::kWidth), units_.y(layout::kHeight));
    buildControls();
    window_->setFixedSize(units_.x(layout::kWidth), menuHeight + units_.y(layout::kHeight));
}

QtDialog::~QtDialog() { destroy(); }

void QtDialog::buildMenu() {
    // The menu stays in the window. Saying so before the menu bar exists also spares the
    // start-up the search for a desktop-wide menu service.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    menuBar_ = new QMenuBar(window_.get());
    menuBar_->setNativeMenuBar(false);
    for (const layout::Menu& menu : layout::kMenus) {
        QMenu* popup = menuBar_->addMenu(toQString(menu.title));
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
            QObject::connect(action, &QAction::triggered, window_.get(), [this, action, id] {
                // As on a Win32 menu, only the program moves a check mark.
                if (action->isCheckable()) {
                    const QSignalBlocker blocker(action);
                    action->setChecked(!action->isChecked());
                }
                events_.onCommand(id, notify::kClicked);
            });
            menuEntries_[id] = action;
        }
    }
}

void QtDialog::buildControls() {
    QWidget* previousTabStop = nullptr;
    std::vector<QWidget*> groupBoxes;
    for (const layout::Control& control : layout::kControls) {
        QWidget* widget = createControl(control);
        widget->setEnabled((control.style & layout::kDisabled) == 0);
        if (control.id != layout::kNoId) controls_[control.id] = widget;
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

QWidget* QtDialog::createControl(const layout::Control& control) {
    const QRect area = units_.rect(control.x, control.y, control.width, control.height);
    const int id = control.id;
    QWidget* widget = nullptr;
    switch (control.kind) {
        case layout::ControlKind::Label: {
            auto* label = new QLabel(toQString(control.text), client_);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case layout::ControlKind::GroupBox:
            widget = new QGroupBox(toQString(control.text), client_);
            break;
        case layout::ControlKind::DropDownList: {
            auto* list = new QComboBox(client_);
            setUpDropDownList(*list, control);
            list->setGeometry(area.x(), area.y(), area.width(), list->height());
            return list;
        }
        case layout::ControlKind::ListBox: {
            auto* list = new QListWidget(client_);
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
                edit =
                    new StatField(client_, [this, id](int code) { events_.onCommand(id, code); });
            } else {
                edit = new QLineEdit(client_);
                QObject::connect(edit, &QLineEdit::textEdited, window_.get(),
                                 [this, id] { events_.onCommand(id, notify::kEditChange); });
            }
            edit->setFrame((control.style & layout::kBorder) != 0);
            widget = edit;
            break;
        }
        case layout::ControlKind::PushButton: {
            auto* button = new QPushButton(toQString(control.text), client_);
            button->setAutoDefault(false);  // Enter elsewhere in the window must not press it
            QObject::connect(button, &QPushButton::clicked, window_.get(),
                             [this, id] { events_.onCommand(id, notify::kClicked); });
            widget = button;
            break;
        }
    }
    widget->setGeometry(area);
    return widget;
}

void QtDialog::setUpDropDownList(QComboBox& list, const layout::Control& control) {
    if (control.style & layout::kSorted) sortedLists_.insert(control.id);
    // The table's height includes the dropped list; closed, the list is one line high.
    const int closedHeight = std::min(list.sizeHint().height(), units_.y(13));
    list.resize(list.width(), closedHeight);
    const int lineHeight = QFontMetrics(window_->font()).height() + 2;
    const int droppedHeight = units_.y(control.height) - closedHeight;
    list.setMaxVisibleItems(std::max(1, droppedHeight / lineHeight));
    const int id = control.id;
    // Only the user's choice is reported, as CBN_SELCHANGE followed by CBN_SELENDOK.
    QObject::connect(&list, &QComboBox::activated, window_.get(), [this, id] {
        events_.onCommand(id, notify::kSelChange);
        events_.onCommand(id, notify::kSelEndOk);
    });
}

// --- running -------------------------------------------------------------------------

int QtDialog::run() {
    initialise();
    if (!ended_) {
        showCentred();
        QEventLoop loop;
        loop_ = &loop;
        if (!ended_) loop.exec(QEventLoop::DialogExec);
        loop_ = nullptr;
    }
    destroy();
    return result_;
}

void QtDialog::initialise() {
    if (initialised_) return;
    initialised_ = true;
    events_.onInit(*this);
}

void QtDialog::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window_->move(area.center() - QPoint(window_->width() / 2, window_->height() / 2));
    }
    window_->show();
}

void QtDialog::destroy() {
    if (!initialised_ || destroyed_) return;
    destroyed_ = true;
    window_->hide();
    events_.onDestroy();
}

void QtDialog::end(int result) {
    ended_ = true;
    result_ = result;
    window_->hide();
    if (loop_) loop_->exit(result);
}

QWidget& QtDialog::window() const { return *window_; }

QWidget* QtDialog::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QAction* QtDialog::menuEntry(int id) const {
    const auto found = menuEntries_.find(id);
    return found == menuEntries_.end() ? nullptr : found->second;
}

QMenuBar& QtDialog::menuBar() const { return *menuBar_; }

// --- lists ---------------------------------------------------------------------------

void QtDialog::insertItem(int id, int index, const QString& text) {
    QWidget* widget = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const int before = combo->currentIndex();
        combo->insertItem(index < 0 ? combo->count() : index, text);
        // The first entry of an empty list is not selected by adding it.
        if (before < 0) combo->setCurrentIndex(-1);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        list->insertItem(index < 0 ? list->count() : index, text);
    }
}

void QtDialog::addString(int id, std::string_view text) {
    const QString label = toQString(text);
    int index = -1;
    if (sortedLists_.contains(id)) {
        if (auto* combo = qobject_cast<QComboBox*>(control(id))) {
            index = sortedPosition(
                combo->count(), [combo](int i) { return combo->itemText(i); }, label);
        }
    }
    insertItem(id, index, label);
}

void QtDialog::insertString(int id, int index, std::string_view text) {
    insertItem(id, index, toQString(text));
}

void QtDialog::deleteString(int id, int index) {
    QWidget* widget = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (index >= 0 && index < combo->count()) combo->removeItem(index);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (index < 0 || index >= list->count()) return;
        const bool wasSelected = listBoxSelection(*list) == index;
        delete list->takeItem(index);
        // Deleting the selected row leaves the list without a selection.
        if (wasSelected) {
            list->clearSelection();
            list->setCurrentRow(-1);
        }
    }
}

void QtDialog::resetContent(int id) {
    QWidget* widget = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->clear();
    if (auto* list = qobject_cast<QListWidget*>(widget)) list->clear();
}

void QtDialog::setCurSel(int id, int index) {
    QWidget* widget = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        } else {
            list->clearSelection();
            list->setCurrentRow(-1);
        }
    }
}

int QtDialog::curSel(int id) const {
    QWidget* widget = control(id);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(widget)) return listBoxSelection(*list);
    return -1;
}

// --- edit fields and windows ---------------------------------------------------------

void QtDialog::setText(int id, std::string_view text) {
    QWidget* widget = control(id);
    const QString value = toQString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);  // raises textChanged only, never textEdited
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(value);
    }
}

std::string QtDialog::text(int id, int maxChars) const {
    const auto* edit = qobject_cast<const QLineEdit*>(control(id));
    if (!edit || maxChars <= 0) return {};
    QString value = edit->text();
    qsizetype cut = 0;
    for (int chars = 0; cut < value.size() && chars < maxChars; ++chars) {
        cut += (value.at(cut).isHighSurrogate() && cut + 1 < value.size()) ? 2 : 1;
    }
    value.truncate(cut);
    return toUtf8(value);
}

void QtDialog::setTextSelection(int id, int from, int to) {
    auto* edit = qobject_cast<QLineEdit*>(control(id));
    if (!edit) return;
    const int length = static_cast<int>(edit->text().size());
    const int start = std::clamp(from, 0, length);
    const int stop = (to < 0) ? length : std::clamp(to, 0, length);
    if (start == stop) {
        edit->deselect();
        edit->setCursorPosition(stop);
    } else {
        edit->setSelection(start, stop - start);  // the caret ends at `stop`
    }
}

void QtDialog::limitText(int id, int maxChars) {
    auto* edit = qobject_cast<QLineEdit*>(control(id));
    const int limit = maxChars > 0 ? maxChars : 32767;
    if (!edit || edit->maxLength() == limit) return;
    // QLineEdit sets its text again for a new limit, losing the selection; a limit alone
    // must leave text, selection and caret as they are.
    const int cursor = edit->cursorPosition();
    const int start = edit->selectionStart();
    const int length = static_cast<int>(edit->selectedText().size());
    edit->setMaxLength(limit);
    if (start >= 0 && length > 0) {
        const bool caretAtStart = cursor == start;
        edit->setSelection(caretAtStart ? start + length : start, caretAtStart ? -length : length);
    } else {
        edit->setCursorPosition(cursor);
    }
}

void QtDialog::disableInputMethod(int id) {
    QWidget* widget = control(id);
    if (auto* field = dynamic_cast<StatField*>(widget)) {
        field->switchOffInputMethod();
    } else if (widget) {
        widget->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
}

void QtDialog::enable(int id, bool on) {
    if (QWidget* widget = control(id)) widget->setEnabled(on);
}

void QtDialog::setFocus(int id) {
    if (QWidget* widget = control(id)) widget->setFocus(Qt::OtherFocusReason);
}

// --- menu, window ----------------------------------------------------------------------

void QtDialog::enableMenuItem(int id, bool on) {
    if (QAction* entry = menuEntry(id)) entry->setEnabled(on);
}

bool QtDialog::menuItemChecked(int id) const {
    const QAction* entry = menuEntry(id);
    return entry && entry->isChecked();
}

void QtDialog::checkMenuItem(int id, bool on) {
    QAction* entry = menuEntry(id);
    if (!entry) return;
    entry->setCheckable(true);
    entry->setChecked(on);
}

void QtDialog::removeSizeAndMaximize() {
    const Qt::WindowFlags flags = window_->windowFlags() & ~Qt::WindowMaximizeButtonHint;
    if (flags != window_->windowFlags()) window_->setWindowFlags(flags);
    window_->setFixedSize(window_->size());
}

void QtDialog::setProperty(std::string_view name, int value) {
    const std::string key(name);
    window_->setProperty(key.c_str(), value);
    x11::setWindowProperty(*window_, name, value);
}

void QtDialog::removeProperty(std::string_view name) {
    const std::string key(name);
    window_->setProperty(key.c_str(), QVariant());
    x11::removeWindowProperty(*window_, name);
}

void QtDialog::setLargeIcon(int resourceId) {
    if (resourceId != IDI_MAIN) return;
    const QImage pixels(reinterpret_cast<const uchar*>(kWindowIconPixels), kWindowIconSize,
                        kWindowIconSize, QImage::Format_ARGB32);
    window_->setWindowIcon(QIcon(QPixmap::fromImage(pixels)));
}

// --- modal -----------------------------------------------------------------------------

bool QtDialog::askYesNo(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Question, toQString(caption), toQString(text),
                    QMessageBox::Yes | QMessageBox::No, window_.get());
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    return box.exec() == QMessageBox::Yes;
}

void QtDialog::showError(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Critical, toQString(caption), toQString(text), QMessageBox::Ok,
                    window_.get());
    box.exec();
}

bool QtDialog::chooseFile(FileChooser kind, std::string& path) {
    const bool open = kind == FileChooser::Open;
    QFileDialog chooser(window_.get(),
                        toQString(open ? layout::kOpenChooserTitle : layout::kSaveChooserTitle));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setNameFilter(toQString(layout::kChooserFilterName));
    chooser.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    chooser.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (!path.empty()) {
        const QFileInfo start(toQString(path));
        chooser.setDirectory(start.absolutePath());
        chooser.selectFile(start.fileName());
    }
    if (chooser.exec() != QDialog::Accepted) return false;
    const QStringList chosen = chooser.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return false;
    path = toUtf8(chosen.first());
    return true;
}

}  // namespace vesk::platform::qt
