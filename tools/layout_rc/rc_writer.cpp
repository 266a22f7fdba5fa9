#include "rc_writer.h"

#include <string_view>
#include <vector>

#include "layout/main_dialog_layout.h"
#include "style_names.h"

namespace vesk::tools {
namespace {

// A string literal of the resource compiler: a double quote is written twice.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : " | ") + name;
    return out;
}

std::string number(int value) { return std::to_string(value); }

void writeMenu(std::string& out) {
    out += std::string(layout::kMenuTemplateName) + " MENU\nBEGIN\n";
    for (const layout::Menu& menu : layout::kMenus) {
        out += "    POPUP " + quoted(menu.title) + "\n    BEGIN\n";
        for (int i = 0; i < menu.entryCount; ++i) {
            const layout::MenuEntry& entry = menu.entries[static_cast<std::size_t>(i)];
            if (entry.id == 0) {
                out += "        MENUITEM SEPARATOR\n";
                continue;
            }
            out += "        MENUITEM " + quoted(entry.text) + ", " + number(entry.id);
            if (entry.grayed) out += ", GRAYED";
            if (entry.checked) out += ", CHECKED";
            out += '\n';
        }
        out += "    END\n";
    }
    out += "END\n";
}

void writeDialog(std::string& out) {
    out += std::string(layout::kDialogTemplateName) + " DIALOGEX 0, 0, " + number(layout::kWidth) +
           ", " + number(layout::kHeight) + '\n';
    out += "STYLE " + joined(dialogStyleNames()) + '\n';
    out += "CAPTION " + quoted(layout::kCaption) + '\n';
    out += "MENU " + std::string(layout::kMenuTemplateName) + '\n';
    out += "FONT " + number(layout::kFontPoints) + ", " + quoted(layout::kFontName) + ", " +
           number(layout::kFontWeight) + ", 0, " + number(layout::kFontCharset) + '\n';
    out += "BEGIN\n";
    for (const layout::Control& c : layout::kControls) {
        out += "    CONTROL " + quoted(c.text) + ", " + number(c.id) + ", " +
               quoted(windowClassOf(c.kind)) + ", " + joined(styleNamesOf(c)) + ", " + number(c.x) +
               ", " + number(c.y) + ", " + number(c.width) + ", " + number(c.height) + '\n';
    }
    out += "END\n";
}

}  // namespace

std::string layoutRcText() {
    std::string out =
        "// Generated from src/layout/main_dialog_layout.h by vesk-layout-rc: edit the table,"
        " not this file.\n\n";
    writeMenu(out);
    out += '\n';
    writeDialog(out);
    return out;
}

}  // namespace vesk::tools
