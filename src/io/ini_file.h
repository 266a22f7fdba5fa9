#pragma once

#include <string>
#include <string_view>

#include "io/ini_text.h"
#include "platform/error.h"
#include "platform/file_replacement.h"

namespace vesk::ini {

// `text` (LF lines) with every line ending in `lineEnd` instead.
inline std::string withLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string result;
    for (const char c : text) {
        if (c == '\n') {
            result += lineEnd;
        } else {
            result += c;
        }
    }
    return result;
}

// Sets key in section of the initialisation file `file`, the same way on every platform:
// its text changed by withValue and given back through FileReplacement. A file that is
// written into itself never gets shorter (a shorter value is padded with spaces, which
// readers trim), so the usual change of one value is a single write inside the file. A
// file made new has its lines end in `newFileLineEnd`; an existing one keeps its own.
inline bool writeValue(const std::string& file, std::string_view section, std::string_view key,
                       std::string_view value, platform::ErrorReason& reason,
                       std::string_view newFileLineEnd = "\n") {
    platform::FileReplacement target;
    platform::FileReplacement::Options options;
    options.replaceExisting = true;
    if (!target.begin(file, options, reason)) return false;
    std::string old;
    if (!target.readExisting(old, reason)) return false;
    std::string text = withValue(old, section, key, value);
    if (old.empty() && newFileLineEnd != "\n") text = withLineEnds(text, newFileLineEnd);
    if (target.replacesExisting() && text == old) return true;
    if (target.writesInPlace() && text.size() < old.size()) {
        std::string padded(value);
        padded.append(old.size() - text.size(), ' ');
        text = withValue(old, section, key, padded);
    }
    return target.commit(text, reason);
}

}  // namespace vesk::ini
