#include "cli/display_width.h"

#include <array>
#include <utility>

namespace vesk::cli {
namespace {

using Range = std::pair<char32_t, char32_t>;

// The wide (W) and full-width (F) blocks of Unicode's East Asian Width property.
constexpr std::array<Range, 17> kWide = {{
    {0x1100, 0x115F},    // Hangul Jamo leading consonants
    {0x2E80, 0x303E},    // CJK radicals, Kangxi, ideographic description, CJK symbols
    {0x3041, 0x33FF},    // Hiragana, Katakana, Bopomofo, Hangul compatibility, CJK compatibility
    {0x3400, 0x4DBF},    // CJK extension A
    {0x4E00, 0x9FFF},    // CJK unified ideographs
    {0xA000, 0xA4CF},    // Yi
    {0xA960, 0xA97F},    // Hangul Jamo extended A
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE10, 0xFE19},    // vertical forms
    {0xFE30, 0xFE6F},    // CJK compatibility forms, small form variants
    {0xFF00, 0xFF60},    // full-width ASCII and punctuation
    {0xFFE0, 0xFFE6},    // full-width signs
    {0x1F300, 0x1F64F},  // pictographs and emoticons
    {0x1F900, 0x1F9FF},  // supplemental pictographs
    {0x20000, 0x2FFFD},  // CJK extensions B and later
    {0x30000, 0x3FFFD},  // CJK extension G and later
}};

constexpr std::array<Range, 6> kZeroWidth = {{
    {0x0300, 0x036F},  // combining diacritical marks
    {0x200B, 0x200F},  // zero-width space, joiners, direction marks
    {0x20D0, 0x20FF},  // combining marks for symbols
    {0x3099, 0x309A},  // combining kana voiced sound marks
    {0xFE00, 0xFE0F},  // variation selectors
    {0xFEFF, 0xFEFF},  // byte-order mark
}};

template <std::size_t N>
bool inRanges(const std::array<Range, N>& ranges, char32_t c) {
    for (const auto& [low, high] : ranges) {
        if (c >= low && c <= high) return true;
    }
    return false;
}

// The code point starting at text[at] and its length in bytes; 0 length when the
// bytes there are not a well-formed UTF-8 character.
std::pair<char32_t, std::size_t> decode(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) return {lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07;
    } else {
        return {0, 0};
    }
    if (at + length > text.size()) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length};
}

}  // namespace

int codePointWidth(char32_t c) {
    if (inRanges(kZeroWidth, c)) return 0;
    return inRanges(kWide, c) ? 2 : 1;
}

std::size_t displayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [c, length] = decode(utf8, at);
        if (length == 0) {
            ++width;
            ++at;
            continue;
        }
        width += static_cast<std::size_t>(codePointWidth(c));
        at += length;
    }
    return width;
}

std::string padRight(std::string_view text, std::size_t width) {
    const std::size_t used = displayWidth(text);
    return std::string(text) + std::string(used < width ? width - used : 0, ' ');
}

std::string padLeft(std::string_view text, std::size_t width) {
    const std::size_t used = displayWidth(text);
    return std::string(used < width ? width - used : 0, ' ') + std::string(text);
}

}  // namespace vesk::cli
