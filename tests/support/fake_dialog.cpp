#include "fake_dialog.h"

#include <algorithm>
#include <stdexcept>

#include "layout/main_dialog_layout.h"

namespace vesk::test {
namespace {

using layout::ControlKind;
using Kind = FakeDialog::Modal::Kind;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

FakeDialog::FakeDialog() {
    for (const auto& c : layout::kControls) {
        if (c.id == layout::kNoId) continue;
        Control& control = controls_[c.id];
        control.isList = c.kind == ControlKind::DropDownList || c.kind == ControlKind::ListBox;
        control.isEdit = c.kind == ControlKind::Edit;
        control.sorted = (c.style & layout::kSorted) != 0;
        control.enabled = (c.style & layout::kDisabled) == 0;
    }
    for (const auto& menu : layout::kMenus)
        for (int i = 0; i < menu.entryCount; ++i)
            if (menu.entries[i].id != 0)
                menu_[menu.entries[i].id] = {menu.entries[i].grayed, menu.entries[i].checked};
}

void FakeDialog::create(platform::DialogEvents& events) {
    events_ = &events;
    events.onInit(*this);
}

void FakeDialog::destroy() {
    if (events_) events_->onDestroy();
    events_ = nullptr;
}

FakeDialog::Control& FakeDialog::control(int id) {
    auto it = controls_.find(id);
    if (it == controls_.end()) throw std::out_of_range("no control " + std::to_string(id));
    return it->second;
}

const FakeDialog::Control& FakeDialog::control(int id) const {
    return const_cast<FakeDialog*>(this)->control(id);
}

bool FakeDialog::chooseListEntry(int id, int index) {
    Control& c = control(id);
    if (!c.enabled || index < 0 || index >= static_cast<int>(c.items.size())) return false;
    c.selection = index;
    sendEvent(id, platform::ControlEvent::SelectionChanged);
    sendEvent(id, platform::ControlEvent::SelectionConfirmed);
    return true;
}

bool FakeDialog::replaceSelection(int id, const std::string& insert) {
    Control& c = control(id);
    const int from = std::min(c.selFrom, c.selTo), to = std::max(c.selFrom, c.selTo);
    const int room = c.limit - (static_cast<int>(c.text.size()) - (to - from));
    const std::string fitting = insert.substr(0, static_cast<std::size_t>(std::max(0, room)));
    if (fitting.empty() && from == to) return false;
    c.text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), fitting);
    c.selFrom = c.selTo = from + static_cast<int>(fitting.size());
    sendEvent(id, platform::ControlEvent::TextEdited);
    return true;
}

bool FakeDialog::typeKey(int id, char c) {
    // Digits only: the stat fields are numeric edits, the only edits of the window.
    if (!control(id).enabled || !isDigit(c)) return false;
    return replaceSelection(id, std::string(1, c));
}

bool FakeDialog::pressBackspace(int id) {
    Control& c = control(id);
    if (!c.enabled) return false;
    if (c.selFrom == c.selTo) {
        if (c.selFrom == 0) return false;
        c.selFrom -= 1;
    }
    return replaceSelection(id, "");
}

bool FakeDialog::paste(int id, const std::string& text) {
    if (!control(id).enabled) return false;
    return replaceSelection(id, text);
}

bool FakeDialog::clickButton(int id) {
    if (!control(id).enabled) return false;
    sendEvent(id, platform::ControlEvent::Pressed);
    return true;
}

bool FakeDialog::chooseMenu(int id) {
    auto it = menu_.find(id);
    if (it == menu_.end() || it->second.grayed) return false;
    sendEvent(id, platform::ControlEvent::Pressed);
    return true;
}

void FakeDialog::requestClose() {
    if (events_) events_->onClose();
}

void FakeDialog::sendEvent(int id, platform::ControlEvent event) {
    if (events_) events_->onEvent(id, event);
}

const std::vector<std::string>& FakeDialog::items(int id) const { return control(id).items; }

std::string FakeDialog::fullText(int id) const { return control(id).text; }

std::pair<int, int> FakeDialog::textSelection(int id) const {
    return {control(id).selFrom, control(id).selTo};
}

bool FakeDialog::enabled(int id) const { return control(id).enabled; }

bool FakeDialog::menuGrayed(int id) const { return menu_.at(id).grayed; }

bool FakeDialog::inputMethodDisabled(int id) const { return control(id).imeOff; }

int FakeDialog::textLimit(int id) const { return control(id).limit; }

std::optional<int> FakeDialog::property(const std::string& name) const {
    auto it = properties_.find(name);
    if (it == properties_.end()) return std::nullopt;
    return it->second;
}

int FakeDialog::modalCount(Modal::Kind kind) const {
    return static_cast<int>(std::count_if(modals.begin(), modals.end(),
                                          [kind](const Modal& m) { return m.kind == kind; }));
}

std::vector<std::string> FakeDialog::errors() const {
    std::vector<std::string> texts;
    for (const auto& m : modals)
        if (m.kind == Kind::Error) texts.push_back(m.text);
    return texts;
}

void FakeDialog::appendItem(int id, std::string_view text) {
    log("appendItem " + std::to_string(id));
    Control& c = control(id);
    auto at = c.items.end();
    if (c.sorted)
        at = std::upper_bound(c.items.begin(), c.items.end(), text,
                              [](std::string_view a, const std::string& b) { return a < b; });
    c.items.insert(at, std::string(text));
}

void FakeDialog::insertItem(int id, int index, std::string_view text) {
    log("insertItem " + std::to_string(id) + " " + std::to_string(index));
    Control& c = control(id);
    const auto at = index < 0 || index > static_cast<int>(c.items.size()) ? c.items.end()
                                                                          : c.items.begin() + index;
    c.items.insert(at, std::string(text));
}

void FakeDialog::removeItem(int id, int index) {
    log("removeItem " + std::to_string(id) + " " + std::to_string(index));
    Control& c = control(id);
    if (index < 0 || index >= static_cast<int>(c.items.size())) return;
    c.items.erase(c.items.begin() + index);
    // A list box loses its selection when the selected row goes.
    if (c.selection == index)
        c.selection = -1;
    else if (c.selection > index)
        --c.selection;
}

void FakeDialog::clearItems(int id) {
    log("clearItems " + std::to_string(id));
    Control& c = control(id);
    c.items.clear();
    c.selection = -1;
}

void FakeDialog::selectItem(int id, int index) {
    log("selectItem " + std::to_string(id) + " " + std::to_string(index));
    Control& c = control(id);
    c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
}

int FakeDialog::selectedItem(int id) const { return control(id).selection; }

void FakeDialog::setText(int id, std::string_view text) {
    log("setText " + std::to_string(id) + " " + std::string(text));
    Control& c = control(id);
    c.text = std::string(text);
    c.selFrom = c.selTo = 0;
}

std::string FakeDialog::text(int id, int maxChars) const {
    return control(id).text.substr(0, static_cast<std::size_t>(std::max(0, maxChars)));
}

void FakeDialog::selectText(int id, int from, int to) {
    log("selectText " + std::to_string(id) + " " + std::to_string(from) + " " + std::to_string(to));
    Control& c = control(id);
    const int length = static_cast<int>(c.text.size());
    c.selFrom = std::clamp(from, 0, length);
    c.selTo = to < 0 ? length : std::clamp(to, 0, length);
}

void FakeDialog::setTextLimit(int id, int maxChars) {
    log("setTextLimit " + std::to_string(id) + " " + std::to_string(maxChars));
    control(id).limit = maxChars;
}

void FakeDialog::disableInputMethod(int id) {
    log("disableInputMethod " + std::to_string(id));
    control(id).imeOff = true;
}

void FakeDialog::setEnabled(int id, bool on) {
    log("enable " + std::to_string(id) + " " + std::to_string(on));
    control(id).enabled = on;
}

void FakeDialog::setFocus(int id) {
    log("setFocus " + std::to_string(id));
    focus_ = id;
}

void FakeDialog::setMenuEntryEnabled(int id, bool on) {
    log("setMenuEntryEnabled " + std::to_string(id) + " " + std::to_string(on));
    menu_.at(id).grayed = !on;
}

bool FakeDialog::menuEntryChecked(int id) const { return menu_.at(id).checked; }

void FakeDialog::setMenuEntryChecked(int id, bool on) {
    log("setMenuEntryChecked " + std::to_string(id) + " " + std::to_string(on));
    menu_.at(id).checked = on;
}

void FakeDialog::fixWindowSize() {
    log("fixWindowSize");
    windowSizeFixed_ = true;
}

void FakeDialog::setProperty(std::string_view name, int value) {
    log("setProperty " + std::string(name) + " " + std::to_string(value));
    properties_[std::string(name)] = value;
}

void FakeDialog::removeProperty(std::string_view name) {
    log("removeProperty " + std::string(name));
    properties_.erase(std::string(name));
}

void FakeDialog::setLargeIcon(int resourceId) {
    log("setLargeIcon " + std::to_string(resourceId));
    largeIcon_ = resourceId;
}

bool FakeDialog::askYesNo(std::string_view text, std::string_view caption) {
    modals.push_back({Kind::YesNo, std::string(text), std::string(caption)});
    if (yesNoAnswers.empty()) return false;
    const bool yes = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return yes;
}

void FakeDialog::showError(std::string_view text, std::string_view caption) {
    modals.push_back({Kind::Error, std::string(text), std::string(caption)});
}

bool FakeDialog::chooseFile(platform::FileChooser kind, std::string& path) {
    modals.push_back(
        {kind == platform::FileChooser::Open ? Kind::OpenChooser : Kind::SaveChooser, path, ""});
    if (fileAnswers.empty()) return false;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer) return false;
    path = *answer;
    return true;
}

void FakeDialog::end(int result) {
    log("end " + std::to_string(result));
    endResult_ = result;
}

}  // namespace vesk::test
