#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text side of initialisation files, free of any file access: finding a key's value
// and setting one while every other byte stays as it was. Follows the Windows profile
// functions: section and key names match without regard to ASCII case, white space
// around names, values and the '=' does not count, lines starting with ';' are comments,
// CRLF and LF lines and a UTF-8 byte order mark are read alike. Where a section or key
// occurs more than once, the first occurrence counts.
namespace vesk::ini {

// The value of key in section, trimmed and without one pair of enclosing quotes;
// nullopt when the section or the key is missing.
std::optional<std::string_view> findValue(std::string_view text, std::string_view section,
                                          std::string_view key);

// A value read as the Windows profile integer: nullopt or an empty value give fallback;
// otherwise an optional sign and the leading decimal digits (none read as 0), held
// within the range of int.
int readInteger(std::optional<std::string_view> value, int fallback);

// Whether the names and value can stand in a file and be found again there.
bool canWrite(std::string_view section, std::string_view key, std::string_view value);

// text with key in section set to value. An existing key keeps its line, only its value
// changes; a missing key goes after the last key of its section; a missing section is
// added at the end. New lines end like the text's first line (LF for a text without one).
std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace vesk::ini
