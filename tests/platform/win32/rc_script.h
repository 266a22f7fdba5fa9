#pragma once

#include <map>
#include <string>
#include <vector>

namespace vesk::test {

// The parts of a resource script the main window is made of, read from its text:
// dialog templates written with CONTROL statements and menus of POPUP and MENUITEM
// statements. Symbols are kept as written; styles as their list of names.
struct RcControl {
    std::string text, id, className;
    std::vector<std::string> styles;
    int x = 0, y = 0, width = 0, height = 0;
};

struct RcDialog {
    std::string name;
    int x = 0, y = 0, width = 0, height = 0;
    std::vector<std::string> styles;
    std::string caption, menu, fontName;
    int fontPoints = 0;
    std::vector<RcControl> controls;
};

struct RcMenuItem {
    bool separator = false;
    std::string text, id;
    std::vector<std::string> options;  // GRAYED, CHECKED, ...
};

struct RcPopup {
    std::string title;
    std::vector<RcMenuItem> items;
};

struct RcScript {
    std::vector<std::string> pragmas;
    std::map<std::string, RcDialog> dialogs;
    std::map<std::string, std::vector<RcPopup>> menus;
    std::map<std::string, std::string> icons;  // id -> file
};

// Throws std::runtime_error with the line number on text it does not understand.
RcScript parseRcScript(const std::string& text);

// The #define NAME NUMBER lines of a header.
std::map<std::string, int> parseDefines(const std::string& text);

std::string readTextFile(const std::string& path);

}  // namespace vesk::test
