#pragma once

#include <functional>
#include <string_view>

#include "text/catalog.h"

namespace vesk::text {

// The language the user's locale asks for, read as gettext reads it: LANGUAGE (a list in
// order of preference) unless the locale is C, else the first of LC_ALL, LC_MESSAGES and
// LANG that is set. English where it names
// English; Japanese for everything else, "C" and nothing set included. `variable` gives a
// variable's value, or "" when it is not set; `systemPrefersEnglish` stands in when no
// variable is set (the user's display language on Windows).
Language languageFromLocale(const std::function<std::string_view(const char*)>& variable,
                            bool systemPrefersEnglish = false);

}  // namespace vesk::text
