#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "text/catalog.h"
#include "text/catalog_entries.h"
#include "text/user_language.h"

namespace vesk::text {
namespace {

std::set<std::string> placeholders(std::string_view text) {
    static const std::regex kPlaceholder(R"(\{\w+\})");
    std::set<std::string> names;
    const std::string copy(text);
    for (std::sregex_iterator it(copy.begin(), copy.end(), kPlaceholder), end; it != end; ++it) {
        names.insert(it->str());
    }
    return names;
}

// Three English words in a row: a sentence left untranslated. Option names, file formats
// and placeholders are not words here.
bool holdsEnglishSentence(std::string_view text) {
    static const std::regex kSentence(R"((^|[^-\w{])[A-Za-z][a-z]+( [a-z]+){2,})");
    const std::string copy(text);
    return std::regex_search(copy, kSentence);
}

TEST(Catalog, EveryEntrySpeaksBothLanguagesWithTheSamePlaceholders) {
    const auto entries = catalogEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CatalogEntry& entry = entries[i];
        SCOPED_TRACE(std::string(entry.msgid));
        if (i > 0) {
            EXPECT_LT(entries[i - 1].msgid, entry.msgid) << "not sorted, or twice";
        }
        EXPECT_FALSE(entry.japanese.empty());
        const std::string_view english = lookUp(entry.msgid, Language::English);
        EXPECT_EQ(placeholders(entry.japanese), placeholders(entry.msgid));
        EXPECT_EQ(placeholders(english), placeholders(entry.msgid));
        EXPECT_FALSE(holdsEnglishSentence(entry.japanese)) << entry.japanese;
    }
}

TEST(Catalog, FillsPlaceholdersInTheChosenLanguage) {
    EXPECT_EQ(fill("{a} of {b}, {a}; {unknown} {", {{"a", 3}, {"b", "x"}}),
              "3 of x, 3; {unknown} {");
    EXPECT_EQ(tr("a text the catalog does not hold: {n}", {{"n", 7}}),
              "a text the catalog does not hold: 7");
}

TEST(Catalog, ChoosesTheLanguageAsGettextDoes) {
    using enum Language;
    struct Case {
        std::map<std::string, std::string> variables;
        bool systemEnglish;
        Language expected;
    };
    const Case cases[] = {
        {{}, false, Japanese},
        {{}, true, English},
        {{{"LANG", "C"}}, true, Japanese},
        {{{"LANG", "C.UTF-8"}}, false, Japanese},
        {{{"LANG", "en_US.UTF-8"}}, false, English},
        {{{"LANG", "ja_JP.UTF-8"}}, true, Japanese},
        {{{"LANG", "de_DE.UTF-8"}}, false, Japanese},
        {{{"LANG", "en_GB.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, false, Japanese},
        {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}}, false, Japanese},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:en:ja"}}, false, English},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "ja"}}, false, Japanese},
        {{{"LC_ALL", "C"}, {"LANGUAGE", "en"}}, false, Japanese},
    };
    for (const Case& each : cases) {
        const auto variable = [&](const char* name) -> std::string_view {
            const auto found = each.variables.find(name);
            return found == each.variables.end() ? std::string_view{} : found->second;
        };
        EXPECT_EQ(languageFromLocale(variable, each.systemEnglish), each.expected)
            << testing::PrintToString(each.variables);
    }
}

}  // namespace
}  // namespace vesk::text
