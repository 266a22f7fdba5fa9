#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vesk::text {

// The languages the command and the page speak. The window speaks only Japanese and keeps
// its own texts in the layout table.
enum class Language { Japanese, English };

void setLanguage(Language language);
Language language();

// A value for a {name} placeholder of a catalog text.
struct Arg {
    Arg(std::string_view key, std::string_view text) : name(key), value(text) {}
    Arg(std::string_view key, const std::string& text) : name(key), value(text) {}
    Arg(std::string_view key, const char* text) : name(key), value(text) {}
    template <typename Number, typename = decltype(std::to_string(Number{}))>
    Arg(std::string_view key, Number number) : name(key), value(std::to_string(number)) {}

    std::string_view name;
    std::string value;
};

// The text of `msgid` (its English source text) in the chosen language, with each {name}
// replaced by its argument. A text missing from the catalog is given as written.
std::string tr(std::string_view msgid, std::initializer_list<Arg> args = {});

// The text of `msgid` in `language`, placeholders left in place; for the page, which fills
// them itself, and for the checks of the catalog.
std::string_view lookUp(std::string_view msgid, Language language);

// Replaces each {name} in `pattern` by its argument; an unknown name stays as written.
std::string fill(std::string_view pattern, std::initializer_list<Arg> args);

}  // namespace vesk::text
