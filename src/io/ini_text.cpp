#include "io/ini_text.h"

#include <climits>

namespace vesk::ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

// One line of the text, as offsets into it.
struct Line {
    enum class Kind { Other, Section, Entry };
    Kind kind = Kind::Other;
    std::size_t next = 0;        // start of the following line
    bool terminated = false;     // ends in a line break
    std::string_view name;       // section or key name
    std::size_t valueBegin = 0;  // for an entry: the trimmed value
    std::size_t valueEnd = 0;
};

Line parseLine(std::string_view text, std::size_t begin) {
    Line line;
    std::size_t end = text.find('\n', begin);
    line.terminated = end != std::string_view::npos;
    if (!line.terminated) end = text.size();
    line.next = line.terminated ? end + 1 : end;
    if (begin == 0 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        begin = kByteOrderMark.size();
    }
    std::string_view content = text.substr(begin, end - begin);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);

    const std::string_view trimmed = trim(content);
    if (trimmed.empty() || trimmed.front() == ';') return line;
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            line.kind = Line::Kind::Section;
            line.name = trim(trimmed.substr(1, close - 1));
        }
        return line;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) return line;
    line.name = trim(content.substr(0, equals));
    if (line.name.empty()) return line;
    line.kind = Line::Kind::Entry;
    const std::string_view value = trim(content.substr(equals + 1));
    // An empty value sits right after the '='.
    const char* valueStart = value.empty() ? content.data() + equals + 1 : value.data();
    line.valueBegin = static_cast<std::size_t>(valueStart - text.data());
    line.valueEnd = line.valueBegin + value.size();
    return line;
}

// Where key and section were found in the text.
struct Location {
    std::optional<Line> entry;            // the key's line
    std::optional<std::size_t> insertAt;  // after the section's last key or its header
    bool insertNeedsBreak = false;        // that line ends the text without a break
};

Location locate(std::string_view text, std::string_view section, std::string_view key) {
    Location found;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t begin = 0; begin < text.size();) {
        const Line line = parseLine(text, begin);
        if (line.kind == Line::Kind::Section) {
            inSection = sameName(line.name, section);
            inFirstSection = inSection && !found.insertAt;
            if (inFirstSection) {
                found.insertAt = line.next;
                found.insertNeedsBreak = !line.terminated;
            }
        } else if (line.kind == Line::Kind::Entry && inSection) {
            if (sameName(line.name, key)) {
                found.entry = line;
                return found;
            }
            if (inFirstSection) {
                found.insertAt = line.next;
                found.insertNeedsBreak = !line.terminated;
            }
        }
        begin = line.next;
    }
    return found;
}

std::string_view lineBreakOf(std::string_view text) {
    const std::size_t lf = text.find('\n');
    return lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

// The break that ends an unterminated last line: a line ending in a bare CR needs only
// the LF after it, else the CR would end up inside the line's value.
std::string_view breakAfter(std::string_view text, std::string_view lineBreak) {
    return !text.empty() && text.back() == '\r' ? std::string_view("\n") : lineBreak;
}

bool lastLineIsBlank(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    const std::size_t lf = text.rfind('\n');
    return trim(lf == std::string_view::npos ? text : text.substr(lf + 1)).empty();
}

std::string entryText(std::string_view key, std::string_view value) {
    std::string entry(key);
    entry += '=';
    entry += value;
    return entry;
}

}  // namespace

std::optional<std::string_view> findValue(std::string_view text, std::string_view section,
                                          std::string_view key) {
    const Location found = locate(text, section, key);
    if (!found.entry) return std::nullopt;
    std::string_view value =
        text.substr(found.entry->valueBegin, found.entry->valueEnd - found.entry->valueBegin);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

int readInteger(std::optional<std::string_view> value, int fallback) {
    if (!value || value->empty()) return fallback;
    std::string_view digits = *value;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // Held one past INT_MAX so that INT_MIN still reads exactly.
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

bool canWrite(std::string_view section, std::string_view key, std::string_view value) {
    const auto hasBreak = [](std::string_view s) {
        return s.find_first_of("\r\n") != std::string_view::npos;
    };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value)) return false;
    if (section.find(']') != std::string_view::npos || trim(section) != section) return false;
    if (key.empty() || trim(key) != key || key.front() == ';' || key.front() == '[') return false;
    return key.find('=') == std::string_view::npos && trim(value) == value;
}

std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    const Location found = locate(text, section, key);
    const std::string_view lineBreak = lineBreakOf(text);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    if (found.entry) {
        result += text.substr(0, found.entry->valueBegin);
        result += value;
        result += text.substr(found.entry->valueEnd);
    } else if (found.insertAt) {
        result += text.substr(0, *found.insertAt);
        if (found.insertNeedsBreak) result += breakAfter(result, lineBreak);
        result += entryText(key, value);
        if (!found.insertNeedsBreak) result += lineBreak;
        result += text.substr(*found.insertAt);
    } else {
        result += text;
        const bool onlyMark = text == kByteOrderMark;
        if (!text.empty() && !onlyMark) {
            if (text.back() != '\n') result += breakAfter(text, lineBreak);
            // A blank line between the last section and the new one.
            if (!lastLineIsBlank(text)) result += lineBreak;
        }
        result += '[';
        result += section;
        result += ']';
        result += lineBreak;
        result += entryText(key, value);
        result += lineBreak;
    }
    return result;
}

}  // namespace vesk::ini
