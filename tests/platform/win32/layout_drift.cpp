#include "layout_drift.h"

#include <algorithm>
#include <sstream>

#include "layout_styles.h"
#include "main_dialog_layout.h"

namespace vesk::test {
namespace {

class Differences {
public:
    template <typename A, typename B>
    void compare(const std::string& what, const A& script, const B& table) {
        if (script == table) return;
        std::ostringstream line;
        line << what << ": script has " << describe(script) << ", table has " << describe(table);
        lines.push_back(line.str());
    }
    void note(const std::string& line) { lines.push_back(line); }

    std::vector<std::string> lines;

private:
    static std::string describe(const std::string& s) { return "\"" + s + "\""; }
    static std::string describe(std::string_view s) { return describe(std::string(s)); }
    static std::string describe(int n) { return std::to_string(n); }
    static std::string describe(bool b) { return b ? "true" : "false"; }
    static std::string describe(const std::vector<std::string>& names) {
        std::string joined;
        for (const auto& n : names) joined += (joined.empty() ? "" : " | ") + n;
        return "{" + joined + "}";
    }
};

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

int resolve(const std::string& symbol, const std::map<std::string, int>& ids) {
    if (const auto it = ids.find(symbol); it != ids.end()) return it->second;
    try {
        return std::stoi(symbol);
    } catch (...) {
        return -99999;  // an unknown symbol never matches an ID
    }
}

void compareDialog(const RcDialog& dialog, const std::map<std::string, int>& ids,
                   Differences& d) {
    d.compare("dialog position", dialog.x * 1000 + dialog.y, 0);
    d.compare("dialog width", dialog.width, layout::kWidth);
    d.compare("dialog height", dialog.height, layout::kHeight);
    d.compare("caption", dialog.caption, std::string(layout::kCaption));
    d.compare("font", dialog.fontName, std::string(layout::kFontName));
    d.compare("font size", dialog.fontPoints, layout::kFontPoints);
    d.compare("menu", dialog.menu, std::string(layout::kMenuTemplateName));
    for (const auto& style : dialogStyleNames()) {
        if (std::count(dialog.styles.begin(), dialog.styles.end(), style) == 0) {
            d.note("dialog style lacks " + style);
        }
    }
    for (const auto& style : forbiddenDialogStyleNames()) {
        if (std::count(dialog.styles.begin(), dialog.styles.end(), style) != 0) {
            d.note("dialog style has " + style);
        }
    }

    d.compare("control count", static_cast<int>(dialog.controls.size()),
              static_cast<int>(layout::kControls.size()));
    const std::size_t n = std::min(dialog.controls.size(), layout::kControls.size());
    for (std::size_t i = 0; i < n; ++i) {
        const RcControl& c = dialog.controls[i];
        const layout::Control& t = layout::kControls[i];
        const std::string at = "control " + std::to_string(i + 1) + " ";
        d.compare(at + "ID", resolve(c.id, ids), t.id);
        d.compare(at + "class", c.className, windowClassOf(t.kind));
        d.compare(at + "text", c.text, std::string(t.text));
        d.compare(at + "x", c.x, t.x);
        d.compare(at + "y", c.y, t.y);
        d.compare(at + "width", c.width, t.width);
        d.compare(at + "height", c.height, t.height);
        d.compare(at + "style", sorted(c.styles), styleNamesOf(t));
    }
}

void compareMenu(const std::vector<RcPopup>& popups, const std::map<std::string, int>& ids,
                 Differences& d) {
    d.compare("menu count", static_cast<int>(popups.size()),
              static_cast<int>(layout::kMenus.size()));
    const std::size_t n = std::min(popups.size(), layout::kMenus.size());
    for (std::size_t i = 0; i < n; ++i) {
        const layout::Menu& menu = layout::kMenus[i];
        const RcPopup& popup = popups[i];
        const std::string at = "menu " + std::to_string(i + 1);
        d.compare(at + " title", popup.title, std::string(menu.title));
        d.compare(at + " entry count", static_cast<int>(popup.items.size()), menu.entryCount);
        const std::size_t m = std::min<std::size_t>(popup.items.size(), menu.entryCount);
        for (std::size_t j = 0; j < m; ++j) {
            const RcMenuItem& item = popup.items[j];
            const layout::MenuEntry& entry = menu.entries[j];
            const std::string e = at + " entry " + std::to_string(j + 1);
            d.compare(e + " separator", item.separator, entry.id == 0);
            if (item.separator || entry.id == 0) continue;
            d.compare(e + " ID", resolve(item.id, ids), entry.id);
            d.compare(e + " text", item.text, std::string(entry.text));
            std::vector<std::string> expected;
            if (entry.checked) expected.push_back("CHECKED");
            if (entry.grayed) expected.push_back("GRAYED");
            d.compare(e + " state", sorted(item.options), expected);
        }
    }
}

}  // namespace

std::vector<std::string> layoutDifferences(const RcScript& script,
                                           const std::map<std::string, int>& ids) {
    Differences d;
    const auto dialog = script.dialogs.find(std::string(layout::kDialogTemplateName));
    if (dialog == script.dialogs.end()) {
        d.note("no dialog " + std::string(layout::kDialogTemplateName));
    } else {
        compareDialog(dialog->second, ids, d);
    }
    const auto menu = script.menus.find(std::string(layout::kMenuTemplateName));
    if (menu == script.menus.end()) {
        d.note("no menu " + std::string(layout::kMenuTemplateName));
    } else {
        compareMenu(menu->second, ids, d);
    }
    return d.lines;
}

}  // namespace vesk::test
