#include "exchange/visible_text.h"

#include <cstdio>

#include "exchange/utf8.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char32_t codePoint(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead;
    char32_t c = lead & (0x7F >> character.size());
    for (std::size_t i = 1; i < character.size(); ++i) {
        c = (c << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    }
    return c;
}

bool acts(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string escaped(const char* format, unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string escapedByte(unsigned char byte) {
    switch (byte) {
        case '\t':
            return "\\t";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        default:
            return escaped("\\x%02X", byte);
    }
}

}  // namespace

std::string visibleText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (text.substr(at).starts_with(kByteOrderMark)) {
            result += text::tr("<byte-order mark>");
            at += kByteOrderMark.size();
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = utf8CharacterLength(text, at);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            result += escapedByte(byte);
            ++at;
            continue;
        }
        const std::string_view character = text.substr(at, length);
        const char32_t c = codePoint(character);
        if (acts(c)) {
            result += escaped("\\u%04X", static_cast<unsigned>(c));
        } else {
            result.append(character);
        }
        at += length;
    }
    return result;
}

}  // namespace vesk::exchange
