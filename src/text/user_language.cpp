#include "text/user_language.h"

#include <algorithm>

namespace vesk::text {
namespace {

bool namesEnglish(std::string_view locale) { return locale.starts_with("en"); }

// The first language of a LANGUAGE list this program speaks, if any.
const Language* firstSpoken(std::string_view list) {
    static constexpr Language kEnglish = Language::English, kJapanese = Language::Japanese;
    while (!list.empty()) {
        const std::string_view first = list.substr(0, list.find(':'));
        if (namesEnglish(first)) return &kEnglish;
        if (first.starts_with("ja")) return &kJapanese;
        list.remove_prefix(std::min(list.size(), first.size() + 1));
    }
    return nullptr;
}

}  // namespace

Language languageFromLocale(const std::function<std::string_view(const char*)>& variable,
                            bool systemPrefersEnglish) {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = variable(name);
        if (!locale.empty()) break;
    }
    // LANGUAGE, languages in order of preference, counts unless the locale is C, as in
    // gettext.
    if (locale != "C" && locale != "POSIX") {
        if (const Language* spoken = firstSpoken(variable("LANGUAGE"))) return *spoken;
    }
    if (locale.empty()) return systemPrefersEnglish ? Language::English : Language::Japanese;
    return namesEnglish(locale) ? Language::English : Language::Japanese;
}

}  // namespace vesk::text
