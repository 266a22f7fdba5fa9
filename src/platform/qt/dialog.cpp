#include "platform/qt/dialog.h"

#include "layout/file_choosers.h"

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

#include "platform/qt/dialog_builder.h"
#include "platform/qt/dialog_font.h"
#include "platform/qt/native_window_property.h"
#include "platform/qt/startup/window_icon_pixels.h"
#include "platform/qt/stat_field.h"

namespace vesk::platform::qt {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// Where a label goes in a sorted list: after every entry that does not sort above it.
template <class TextAt>
int sortedPosition(int count, TextAt textAt, const QString& text) {
    // Labels mostly arrive in order, which one comparison with the last entry settles.
    if (count > 0 && QString::compare(text, textAt(count - 1), Qt::CaseInsensitive) >= 0) {
        return count;
    }
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
          [this](int id) { events_.onEvent(id, ControlEvent::Pressed); })),
      units_(0, 0) {
    // What needs no font comes first, the native window included, while the program's
    // start-up may still be filling the font database on another thread.
    window_->setWindowTitle(toQString(layout::kCaption));
    DialogBuilder builder(*window_, events_, widgets_);
    builder.buildMenu();
    window_->winId();
    const QFont font = dialogFont();
    units_ = dialogUnits();
    // The program's other windows (menus, choosers, message boxes) take the same Japanese
    // font. It also spares loading a second font for the empty text an edit field lays
    // out before it takes on its window's font.
    QApplication::setFont(font);
    window_->setFont(font);
    const int menuHeight = widgets_.menuBar->sizeHint().height();
    widgets_.menuBar->setGeometry(0, 0, units_.x(layout::kWidth), menuHeight);
    builder.buildControls(units_);
    window_->setFixedSize(units_.x(layout::kWidth), menuHeight + units_.y(layout::kHeight));
}

QtDialog::~QtDialog() { destroy(); }

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
    const auto found = widgets_.controls.find(id);
    return found == widgets_.controls.end() ? nullptr : found->second;
}

QAction* QtDialog::menuEntry(int id) const {
    const auto found = widgets_.menuEntries.find(id);
    return found == widgets_.menuEntries.end() ? nullptr : found->second;
}

QMenuBar& QtDialog::menuBar() const { return *widgets_.menuBar; }

// --- lists ---------------------------------------------------------------------------

template <class Widget>
Widget* QtDialog::find(const std::map<int, Widget*>& widgets, int id) {
    const auto found = widgets.find(id);
    return found == widgets.end() ? nullptr : found->second;
}

QComboBox* QtDialog::dropDownList(int id) const { return find(widgets_.dropDownLists, id); }
QListWidget* QtDialog::listBox(int id) const { return find(widgets_.listBoxes, id); }
QLineEdit* QtDialog::editField(int id) const { return find(widgets_.edits, id); }

void QtDialog::putItem(int id, int index, const QString& text) {
    if (auto* combo = dropDownList(id)) {
        const int before = combo->currentIndex();
        combo->insertItem(index < 0 ? combo->count() : index, text);
        // The first entry of an empty list is not selected by adding it.
        if (before < 0) combo->setCurrentIndex(-1);
    } else if (auto* list = listBox(id)) {
        list->insertItem(index < 0 ? list->count() : index, text);
    }
}

void QtDialog::appendItem(int id, std::string_view text) {
    const QString label = toQString(text);
    int index = -1;
    if (widgets_.sortedLists.contains(id)) {
        if (auto* combo = dropDownList(id)) {
            index = sortedPosition(
                combo->count(), [combo](int i) { return combo->itemText(i); }, label);
        }
    }
    putItem(id, index, label);
}

void QtDialog::insertItem(int id, int index, std::string_view text) {
    putItem(id, index, toQString(text));
}

void QtDialog::removeItem(int id, int index) {
    if (auto* combo = dropDownList(id)) {
        if (index >= 0 && index < combo->count()) combo->removeItem(index);
    } else if (auto* list = listBox(id)) {
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

void QtDialog::clearItems(int id) {
    if (auto* combo = dropDownList(id)) combo->clear();
    if (auto* list = listBox(id)) list->clear();
}

void QtDialog::selectItem(int id, int index) {
    if (auto* combo = dropDownList(id)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* list = listBox(id)) {
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        } else {
            list->clearSelection();
            list->setCurrentRow(-1);
        }
    }
}

int QtDialog::selectedItem(int id) const {
    if (const auto* combo = dropDownList(id)) return combo->currentIndex();
    if (const auto* list = listBox(id)) return listBoxSelection(*list);
    return -1;
}

// --- edit fields and windows ---------------------------------------------------------

void QtDialog::setText(int id, std::string_view text) {
    const QString value = toQString(text);
    if (auto* edit = editField(id)) {
        edit->setText(value);  // raises textChanged only, never textEdited
    } else if (auto* button = qobject_cast<QPushButton*>(control(id))) {
        button->setText(value);
    }
}

std::string QtDialog::text(int id, int maxChars) const {
    const QLineEdit* edit = editField(id);
    if (!edit || maxChars <= 0) return {};
    QString value = edit->text();
    qsizetype cut = 0;
    for (int chars = 0; cut < value.size() && chars < maxChars; ++chars) {
        cut += (value.at(cut).isHighSurrogate() && cut + 1 < value.size()) ? 2 : 1;
    }
    value.truncate(cut);
    return toUtf8(value);
}

void QtDialog::selectText(int id, int from, int to) {
    QLineEdit* edit = editField(id);
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

void QtDialog::setTextLimit(int id, int maxChars) {
    QLineEdit* edit = editField(id);
    const int limit = maxChars;
    if (!edit || limit <= 0 || edit->maxLength() == limit) return;
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

void QtDialog::setEnabled(int id, bool on) {
    if (QWidget* widget = control(id)) widget->setEnabled(on);
}

void QtDialog::setFocus(int id) {
    if (QWidget* widget = control(id)) widget->setFocus(Qt::OtherFocusReason);
}

// --- menu, window ----------------------------------------------------------------------

void QtDialog::setMenuEntryEnabled(int id, bool on) {
    if (QAction* entry = menuEntry(id)) entry->setEnabled(on);
}

bool QtDialog::menuEntryChecked(int id) const {
    const QAction* entry = menuEntry(id);
    return entry && entry->isChecked();
}

void QtDialog::setMenuEntryChecked(int id, bool on) {
    QAction* entry = menuEntry(id);
    if (!entry) return;
    entry->setCheckable(true);
    entry->setChecked(on);
}

void QtDialog::fixWindowSize() {
    const Qt::WindowFlags flags = window_->windowFlags() & ~Qt::WindowMaximizeButtonHint;
    if (flags != window_->windowFlags()) window_->setWindowFlags(flags);
    window_->setFixedSize(window_->size());
}

void QtDialog::setProperty(std::string_view name, int value) {
    const std::string key(name);
    window_->setProperty(key.c_str(), value);
    setNativeWindowProperty(*window_, name, value);
}

void QtDialog::removeProperty(std::string_view name) {
    const std::string key(name);
    window_->setProperty(key.c_str(), QVariant());
    removeNativeWindowProperty(*window_, name);
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
