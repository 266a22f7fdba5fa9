#include "exchange/text_encoding.h"

#include <algorithm>
#include <cstddef>

#include "data/enemy_block.h"
#include "exchange/utf8.h"
#include "text/catalog.h"

namespace vesk::exchange {
namespace {

using text::tr;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

unsigned char byteAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool inRange(unsigned char c, unsigned char low, unsigned char high) {
    return c >= low && c <= high;
}

// The offset of the first byte that is not part of well-formed UTF-8, or npos.
std::size_t firstBadUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        if (length == 0) return at;
        at += length;
    }
    return std::string_view::npos;
}

// Whether every byte decodes as Shift-JIS (code page 932) with at least one hiragana or
// katakana among them (lead byte 0x82 or 0x83): accented Latin letters of a Western code
// page can pass for other two-byte characters, but not for these.
bool decodesAsShiftJis(std::string_view text) {
    bool kana = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const unsigned char c = byteAt(text, at);
        if (c < 0x80 || inRange(c, 0xA1, 0xDF)) continue;  // ASCII, half-width katakana
        if (!inRange(c, 0x81, 0x9F) && !inRange(c, 0xE0, 0xFC)) return false;
        if (at + 1 >= text.size()) return false;
        const unsigned char trail = byteAt(text, ++at);
        if (!inRange(trail, 0x40, 0xFC) || trail == 0x7F) return false;
        kana = kana || c == 0x82 || c == 0x83;
    }
    return kana;
}

// Whether every byte decodes as EUC-JP with at least one hiragana or katakana (lead byte
// 0xA4 or 0xA5).
bool decodesAsEucJp(std::string_view text) {
    bool kana = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const unsigned char c = byteAt(text, at);
        if (c < 0x80) continue;
        if (at + 1 >= text.size()) return false;
        const unsigned char trail = byteAt(text, ++at);
        if (c == 0x8E) {  // half-width katakana
            if (!inRange(trail, 0xA1, 0xDF)) return false;
        } else if (!inRange(c, 0xA1, 0xFE) || !inRange(trail, 0xA1, 0xFE)) {
            return false;
        }
        kana = kana || c == 0xA4 || c == 0xA5;
    }
    return kana;
}

// UTF-16 without its mark: text in the Latin range has a zero in every other byte.
bool looksLikeUtf16(std::string_view text) {
    const std::size_t sample = std::min<std::size_t>(text.size(), 4096) & ~std::size_t{1};
    if (sample < 4) return false;
    std::size_t evenZeros = 0, oddZeros = 0;
    for (std::size_t at = 0; at < sample; ++at) {
        if (text[at] == '\0') ++(at % 2 == 0 ? evenZeros : oddZeros);
    }
    const std::size_t half = sample / 2;
    const auto most = std::max(evenZeros, oddZeros), least = std::min(evenZeros, oddZeros);
    return most * 4 >= half && least * 20 <= half;
}

bool isBlank(std::string_view text) {
    while (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

int lineOf(std::string_view text, std::size_t at) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

std::string binaryProblem(std::string_view bytes) {
    if (EnemyBlock::fitsIn(bytes.size())) {
        return tr(
            "the file holds binary data, not a CSV or JSON table (it is as large as a "
            "cartridge image; was the image given as the table?)");
    }
    return tr("the file holds binary data, not a CSV or JSON table");
}

}  // namespace

std::string tableTextProblem(std::string_view bytes) {
    if (isBlank(bytes)) {
        return tr(
            "the file is empty; expected a CSV table with a header row or a JSON array of "
            "enemies");
    }
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") || looksLikeUtf16(bytes)) {
        return tr(
            "the file is UTF-16 text (\"Unicode text\"), not UTF-8; save it as \"CSV "
            "UTF-8\" (or UTF-8 text) and import again");
    }
    if (bytes.find('\0') != std::string_view::npos) return binaryProblem(bytes);
    const std::size_t bad = firstBadUtf8(bytes);
    if (bad == std::string_view::npos) return {};
    const int line = lineOf(bytes, bad);
    // Spreadsheets on Japanese Windows save plain "CSV" as Shift-JIS. Its Japanese
    // characters mostly begin with 0x82 or 0x83, which EUC-JP never uses, so a file that
    // reads as EUC-JP is taken for EUC-JP.
    if (decodesAsEucJp(bytes)) {
        return tr(
            "line {line}: the file is not UTF-8 text (perhaps saved as EUC-JP); save it "
            "as \"CSV UTF-8\" (or UTF-8 text) and import again",
            {{"line", line}});
    }
    if (decodesAsShiftJis(bytes)) {
        return tr(
            "line {line}: the file is not UTF-8 text (perhaps saved as Shift-JIS); save "
            "it as \"CSV UTF-8\" and import again",
            {{"line", line}});
    }
    const auto controls = std::count_if(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 && b != '\t' && b != '\r' && b != '\n';
    });
    if (static_cast<std::size_t>(controls) * 20 > bytes.size()) return binaryProblem(bytes);
    return tr(
        "line {line}: the file is not UTF-8 text, nor Shift-JIS or UTF-16 (perhaps "
        "another code page, such as Windows-1252); save it as \"CSV UTF-8\" (or UTF-8 "
        "text) and import again",
        {{"line", line}});
}

}  // namespace vesk::exchange
