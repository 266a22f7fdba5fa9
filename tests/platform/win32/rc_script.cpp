#include "rc_script.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vesk::test {
namespace {

// A line of a statement split into words, quoted strings (kept with a leading '"'),
// commas and '|'.
std::vector<std::string> tokenize(const std::string& line, int lineNumber) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
            break;
        } else if (c == '"') {
            std::string text = "\"";
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    throw std::runtime_error("line " + std::to_string(lineNumber) +
                                             ": unterminated string");
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {  // "" is a quote
                        text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += line[i++];
            }
            tokens.push_back(text);
        } else if (c == ',' || c == '|') {
            tokens.emplace_back(1, c);
            ++i;
        } else {
            std::size_t end = i;
            while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) &&
                   line[end] != ',' && line[end] != '|' && line[end] != '"') {
                ++end;
            }
            tokens.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return tokens;
}

bool isString(const std::string& token) { return !token.empty() && token[0] == '"'; }

// Comma-separated fields; a field of several tokens joined by '|' becomes a style list.
struct Fields {
    std::vector<std::vector<std::string>> items;

    const std::vector<std::string>& at(std::size_t i, int line) const {
        if (i >= items.size()) {
            throw std::runtime_error("line " + std::to_string(line) + ": missing field");
        }
        return items[i];
    }
    std::string single(std::size_t i, int line) const {
        const auto& f = at(i, line);
        if (f.size() != 1) {
            throw std::runtime_error("line " + std::to_string(line) + ": expected one value");
        }
        return f[0];
    }
    std::string string(std::size_t i, int line) const {
        const std::string s = single(i, line);
        if (!isString(s)) {
            throw std::runtime_error("line " + std::to_string(line) + ": expected a string");
        }
        return s.substr(1);
    }
    int number(std::size_t i, int line) const { return std::stoi(single(i, line)); }
};

Fields splitFields(const std::vector<std::string>& tokens, std::size_t from) {
    Fields fields;
    fields.items.emplace_back();
    for (std::size_t i = from; i < tokens.size(); ++i) {
        if (tokens[i] == ",") {
            fields.items.emplace_back();
        } else if (tokens[i] != "|") {
            fields.items.back().push_back(tokens[i]);
        }
    }
    return fields;
}

struct Line {
    int number;
    std::vector<std::string> tokens;
};

class Parser {
public:
    explicit Parser(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        int number = 0;
        bool inComment = false;
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (inComment) {
                const auto end = line.find("*/");
                if (end == std::string::npos) continue;
                line = line.substr(end + 2);
                inComment = false;
            }
            if (const auto start = line.find("/*"); start != std::string::npos) {
                const auto end = line.find("*/", start + 2);
                inComment = end == std::string::npos;
                line = line.substr(0, start) + (inComment ? "" : line.substr(end + 2));
            }
            auto tokens = tokenize(line, number);
            if (!tokens.empty()) lines_.push_back({number, std::move(tokens)});
        }
    }

    RcScript parse() {
        RcScript script;
        while (pos_ < lines_.size()) {
            const Line& line = lines_[pos_];
            const auto& t = line.tokens;
            if (t[0] == "#pragma") {
                std::string rest;
                for (std::size_t i = 1; i < t.size(); ++i) rest += t[i];
                script.pragmas.push_back(rest);
                ++pos_;
            } else if (t[0][0] == '#' || t[0] == "LANGUAGE") {
                ++pos_;
            } else if (t.size() >= 2 && t[1] == "DIALOGEX") {
                RcDialog dialog = parseDialog();
                script.dialogs[dialog.name] = dialog;
            } else if (t.size() >= 2 && t[1] == "MENU") {
                const std::string name = t[0];
                ++pos_;
                script.menus[name] = parseMenuBody();
            } else if (t.size() == 3 && t[1] == "ICON" && isString(t[2])) {
                script.icons[t[0]] = t[2].substr(1);
                ++pos_;
            } else if (t.size() == 3 && t[1] == "RT_MANIFEST") {
                ++pos_;
            } else {
                fail(line, "unknown statement " + t[0]);
            }
        }
        return script;
    }

private:
    [[noreturn]] static void fail(const Line& line, const std::string& what) {
        throw std::runtime_error("line " + std::to_string(line.number) + ": " + what);
    }

    const Line& next() {
        if (pos_ >= lines_.size()) throw std::runtime_error("unexpected end of script");
        return lines_[pos_++];
    }

    void expect(const std::string& word) {
        const Line& line = next();
        if (line.tokens.size() != 1 || line.tokens[0] != word) fail(line, "expected " + word);
    }

    RcDialog parseDialog() {
        const Line& head = next();
        RcDialog dialog;
        dialog.name = head.tokens[0];
        const Fields frame = splitFields(head.tokens, 2);
        dialog.x = frame.number(0, head.number);
        dialog.y = frame.number(1, head.number);
        dialog.width = frame.number(2, head.number);
        dialog.height = frame.number(3, head.number);
        for (;;) {
            const Line& line = next();
            const auto& t = line.tokens;
            if (t[0] == "BEGIN") break;
            if (t[0] == "STYLE") {
                dialog.styles = splitFields(t, 1).at(0, line.number);
            } else if (t[0] == "CAPTION") {
                dialog.caption = splitFields(t, 1).string(0, line.number);
            } else if (t[0] == "MENU") {
                dialog.menu = splitFields(t, 1).single(0, line.number);
            } else if (t[0] == "FONT") {
                const Fields font = splitFields(t, 1);
                dialog.fontPoints = font.number(0, line.number);
                dialog.fontName = font.string(1, line.number);
            } else {
                fail(line, "unknown dialog option " + t[0]);
            }
        }
        for (;;) {
            const Line& line = next();
            const auto& t = line.tokens;
            if (t[0] == "END") break;
            if (t[0] != "CONTROL") fail(line, "only CONTROL statements are read, not " + t[0]);
            const Fields f = splitFields(t, 1);
            RcControl control;
            control.text = f.string(0, line.number);
            control.id = f.single(1, line.number);
            control.className = f.string(2, line.number);
            control.styles = f.at(3, line.number);
            control.x = f.number(4, line.number);
            control.y = f.number(5, line.number);
            control.width = f.number(6, line.number);
            control.height = f.number(7, line.number);
            if (f.items.size() != 8) fail(line, "unexpected fields after the size");
            dialog.controls.push_back(control);
        }
        return dialog;
    }

    std::vector<RcPopup> parseMenuBody() {
        expect("BEGIN");
        std::vector<RcPopup> popups;
        for (;;) {
            const Line& line = next();
            const auto& t = line.tokens;
            if (t[0] == "END") break;
            if (t[0] != "POPUP") fail(line, "expected POPUP");
            RcPopup popup;
            popup.title = splitFields(t, 1).string(0, line.number);
            expect("BEGIN");
            for (;;) {
                const Line& item = next();
                const auto& it = item.tokens;
                if (it[0] == "END") break;
                if (it[0] != "MENUITEM") fail(item, "expected MENUITEM");
                RcMenuItem entry;
                if (it.size() == 2 && it[1] == "SEPARATOR") {
                    entry.separator = true;
                } else {
                    const Fields f = splitFields(it, 1);
                    entry.text = f.string(0, item.number);
                    entry.id = f.single(1, item.number);
                    for (std::size_t i = 2; i < f.items.size(); ++i) {
                        entry.options.push_back(f.single(i, item.number));
                    }
                }
                popup.items.push_back(entry);
            }
            popups.push_back(popup);
        }
        return popups;
    }

    std::vector<Line> lines_;
    std::size_t pos_ = 0;
};

}  // namespace

RcScript parseRcScript(const std::string& text) { return Parser(text).parse(); }

std::map<std::string, int> parseDefines(const std::string& text) {
    std::map<std::string, int> defines;
    std::istringstream in(text);
    std::string word, name, value;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        if (!(words >> word) || word != "#define" || !(words >> name >> value)) continue;
        if (!value.empty() && std::isdigit(static_cast<unsigned char>(value[0]))) {
            defines[name] = std::stoi(value);
        }
    }
    return defines;
}

std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace vesk::test
