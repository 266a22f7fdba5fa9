#include "layout/accessible_names.h"

#include <string_view>
#include <vector>

#include "layout/main_dialog_layout.h"

namespace vesk::layout {
namespace {

// What a drop-down list in an unlabelled group adds to the group's name: it chooses an
// entry for that group.
constexpr std::string_view kChoiceSuffix = "の選択";

constexpr std::string_view kSpaces = " \t";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kSpaces);
    return text.substr(first, last - first + 1);
}

// "ファイル(&O)" reads "ファイル(O)", "A&&B" reads "A&B".
std::string withoutMnemonic(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

// "攻/防 :" gives "攻" and "防"; "HP :" gives "HP".
std::vector<std::string> labelParts(std::string_view labelText) {
    std::string text = withoutMnemonic(labelText);
    std::string_view rest = trimmed(text);
    if (!rest.empty() && rest.back() == ':') rest = trimmed(rest.substr(0, rest.size() - 1));
    std::vector<std::string> parts;
    for (;;) {
        const auto slash = rest.find('/');
        parts.emplace_back(trimmed(rest.substr(0, slash)));
        if (slash == std::string_view::npos) return parts;
        rest = rest.substr(slash + 1);
    }
}

bool contains(const Control& box, const Control& control) {
    return control.x >= box.x && control.y >= box.y && control.x < box.x + box.width &&
           control.y < box.y + box.height;
}

// The innermost group box around the control's top-left corner, or nullptr.
const Control* enclosingGroup(const Control& control) {
    const Control* found = nullptr;
    for (const Control& box : kControls) {
        if (box.kind != ControlKind::GroupBox || !contains(box, control)) continue;
        if (found == nullptr || contains(*found, box)) found = &box;
    }
    return found;
}

// The part of a label before the control at `index` that names it, or "".
std::string nameFromLabel(std::size_t index) {
    const Control& control = kControls[index];
    std::size_t controlsBetween = 0;
    for (std::size_t i = index; i-- > 0;) {
        const Control& before = kControls[i];
        if (before.kind == ControlKind::Label) {
            if (enclosingGroup(before) != enclosingGroup(control)) return {};
            const std::vector<std::string> parts = labelParts(before.text);
            return controlsBetween < parts.size() ? parts[controlsBetween] : std::string();
        }
        if (before.style & kTabStop) ++controlsBetween;
    }
    return {};
}

std::string nameFromGroup(const Control& control) {
    const Control* group = enclosingGroup(control);
    if (group == nullptr) return {};
    std::string name = labelParts(group->text).front();
    if (control.kind == ControlKind::DropDownList) name += kChoiceSuffix;
    return name;
}

}  // namespace

std::string accessibleName(int id) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const Control& control = kControls[i];
        if (control.id != id || id == kNoId || !(control.style & kTabStop)) continue;
        if (control.kind == ControlKind::PushButton) return withoutMnemonic(control.text);
        std::string name = nameFromLabel(i);
        return name.empty() ? nameFromGroup(control) : name;
    }
    return {};
}

}  // namespace vesk::layout
