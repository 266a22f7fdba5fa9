#include "exchange/json_table_parser.h"

#include <algorithm>
#include <set>

#include "exchange/problem_list.h"
#include "exchange/quoted.h"
#include "exchange/utf8.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using text::tr;
using Json = nlohmann::json;
using DomParser = nlohmann::detail::json_sax_dom_parser<Json>;

// Longer tokens are cut in messages: a whole string can be long.
constexpr std::size_t kShownTokenBytes = 32;

struct TextPosition {
    long line;
    long column;  // in characters
};

// The line and column of a byte offset.
TextPosition positionOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const auto lineStart = before.rfind('\n') + 1;  // npos + 1 is 0
    const auto column =
        1 + std::count_if(before.begin() + static_cast<std::ptrdiff_t>(lineStart), before.end(),
                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return {static_cast<long>(line), static_cast<long>(column)};
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
            result_.problem =
                placed(where(), tr("{number} is out of range; no field holds a number of this size",
                                   {{"number", visibleText(shortToken(token))}}));
        } else if (position >= text_.size()) {
            const TextPosition end = positionOf(text_, text_.size());
            result_.problem = tr(
                "not valid JSON: the text ends at line {line}, column {column} before the JSON is "
                "complete",
                {{"line", end.line}, {"column", end.column}});
        } else {
            const TextPosition at = positionOf(text_, position - 1);
            result_.problem =
                tr("not valid JSON at line {line}, column {column}: unexpected {token}",
                   {{"line", at.line},
                    {"column", at.column},
                    {"token", exchange::quoted(shortToken(token))}});
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
            result_.problem = placed(
                where(), tr("arrays and objects nested more than {limit} deep; a table nests four "
                            "deep",
                            {{"limit", kJsonDepthLimit}}));
            return false;
        }
        return true;
    }
    void noteEnemy(std::int64_t v) {
        if (depth_ == 2 && path_.size() == 1 && path_.back() == "enemy") enemy_ = v;
    }
    // "entry 3 (enemy 005), abilities, id", or "the top level" outside every entry.
    std::string where() const {
        if (entries_ == 0) return tr("the top level");
        std::string place = entryPlace(entries_);
        if (enemy_ >= 0 && enemy_ <= 999) place = withEnemy(place, static_cast<int>(enemy_));
        for (const std::string& key : path_) {
            if (!key.empty()) place = withColumn(place, visibleText(key));
        }
        return place;
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
        result.problem = tr("not valid JSON");
    }
    if (!result.problem.empty()) result.document = nullptr;
    return result;
}

}  // namespace vesk::exchange
