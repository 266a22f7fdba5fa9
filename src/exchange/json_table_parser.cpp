#include "exchange/json_table_parser.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "exchange/quoted.h"
#include "exchange/utf8.h"

namespace vesk::exchange {
namespace {

using Json = nlohmann::json;
using DomParser = nlohmann::detail::json_sax_dom_parser<Json>;

// Longer tokens are cut in messages: a whole string can be long.
constexpr std::size_t kShownTokenBytes = 32;

// "line 3, column 14" for a byte offset; columns count characters.
std::string lineAndColumn(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const auto lineStart = before.rfind('\n') + 1;  // npos + 1 is 0
    const auto column =
        1 + std::count_if(before.begin() + static_cast<std::ptrdiff_t>(lineStart), before.end(),
                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string shortToken(const std::string& token) {
    if (token.size() <= kShownTokenBytes) return token;
    std::size_t end = 0;
    while (end < token.size()) {
        const std::size_t length = std::max<std::size_t>(utf8CharacterLength(token, end), 1);
        if (end + length > kShownTokenBytes) break;
        end += length;
    }
    return token.substr(0, end) + "…";
}

// Builds the document as nlohmann's own parser does, counting the depth, the entries and
// the keys on the way, so that a problem can say where it is.
class TableSax : public DomParser {
public:
    TableSax(Json& document, std::string_view text, JsonTableParse& result)
        : DomParser(document, false), text_(text), result_(result) {}

    bool null() { return value() && DomParser::null(); }
    bool boolean(bool v) { return value() && DomParser::boolean(v); }
    bool string(std::string& v) { return value() && DomParser::string(v); }
    bool number_float(double v, const std::string& s) {
        return value() && DomParser::number_float(v, s);
    }
    bool number_integer(std::int64_t v) {
        noteEnemy(v);
        return value() && DomParser::number_integer(v);
    }
    bool number_unsigned(std::uint64_t v) {
        noteEnemy(v <= 999 ? static_cast<std::int64_t>(v) : -1);
        return value() && DomParser::number_unsigned(v);
    }
    bool start_object(std::size_t length) {
        if (!open()) return false;
        keys_.emplace_back();
        path_.emplace_back();
        return DomParser::start_object(length);
    }
    bool end_object() {
        keys_.pop_back();
        path_.pop_back();
        --depth_;
        return DomParser::end_object();
    }
    bool start_array(std::size_t length) { return open() && DomParser::start_array(length); }
    bool end_array() {
        --depth_;
        return DomParser::end_array();
    }
    bool key(std::string& name) {
        if (!keys_.back().insert(name).second && entries_ > 0) {
            result_.duplicates.push_back({entries_ - 1, depth_ > 2, name});
        }
        path_.back() = name;
        return DomParser::key(name);
    }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& error) {
        if (error.id == 406) {  // a number past what a double holds
            result_.problem = where() + ": " + visibleText(shortToken(token)) +
                              " is out of range; no field holds a number of this size";
        } else if (position >= text_.size()) {
            result_.problem = "not valid JSON: the text ends at " +
                              lineAndColumn(text_, text_.size()) + " before the JSON is complete";
        } else {
            result_.problem = "not valid JSON at " + lineAndColumn(text_, position - 1) +
                              ": unexpected " + exchange::quoted(shortToken(token));
        }
        return false;
    }

private:
    // A value begins: at depth 1 it is the next entry.
    bool value() {
        if (depth_ == 1) {
            ++entries_;
            enemy_ = -1;
        }
        return true;
    }
    bool open() {
        value();
        if (++depth_ > kJsonDepthLimit) {
            result_.problem = where() + ": arrays and objects nested more than " +
                              std::to_string(kJsonDepthLimit) + " deep; a table nests four deep";
            return false;
        }
        return true;
    }
    void noteEnemy(std::int64_t v) {
        if (depth_ == 2 && path_.size() == 1 && path_.back() == "enemy") enemy_ = v;
    }
    // "entry 3 (enemy 005), abilities, id", or "the top level" outside every entry.
    std::string where() const {
        if (entries_ == 0) return "the top level";
        std::string text = "entry " + std::to_string(entries_);
        if (enemy_ >= 0 && enemy_ <= 999) {
            char number[16];
            std::snprintf(number, sizeof number, " (enemy %03d)", static_cast<int>(enemy_));
            text += number;
        }
        for (const std::string& key : path_) {
            if (!key.empty()) text += ", " + visibleText(key);
        }
        return text;
    }

    std::string_view text_;
    JsonTableParse& result_;
    std::size_t depth_ = 0;    // open arrays and objects
    std::size_t entries_ = 0;  // values begun in the top-level array
    std::int64_t enemy_ = -1;  // the current entry's "enemy", when a number was given
    std::vector<std::set<std::string>> keys_;  // keys seen, per open object
    std::vector<std::string> path_;            // the latest key of each open object
};

}  // namespace

JsonTableParse parseJsonTable(std::string_view text) {
    JsonTableParse result;
    TableSax sax(result.document, text, result);
    if (!Json::sax_parse(text.begin(), text.end(), &sax) && result.problem.empty()) {
        result.problem = "not valid JSON";
    }
    if (!result.problem.empty()) result.document = nullptr;
    return result;
}

}  // namespace vesk::exchange
