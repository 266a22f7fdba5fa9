#include "text/catalog.h"

#include <algorithm>

#include "text/catalog_entries.h"

namespace vesk::text {
namespace {

Language chosen = Language::Japanese;

}  // namespace

void setLanguage(Language language) { chosen = language; }

Language language() { return chosen; }

std::string_view lookUp(std::string_view msgid, Language language) {
    const auto entries = catalogEntries();
    const auto found = std::lower_bound(
        entries.begin(), entries.end(), msgid,
        [](const CatalogEntry& entry, std::string_view id) { return entry.msgid < id; });
    if (found == entries.end() || found->msgid != msgid) return msgid;
    const std::string_view text = language == Language::Japanese ? found->japanese : found->english;
    return text.empty() ? msgid : text;
}

std::string fill(std::string_view pattern, std::initializer_list<Arg> args) {
    std::string text;
    text.reserve(pattern.size());
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::size_t open = pattern.find('{', at);
        const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) break;
        text.append(pattern, at, open - at);
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        const auto arg = std::find_if(args.begin(), args.end(),
                                      [&](const Arg& each) { return each.name == name; });
        if (arg != args.end()) {
            text += arg->value;
        } else {
            text.append(pattern, open, close - open + 1);
        }
        at = close + 1;
    }
    text.append(pattern, at);
    return text;
}

std::string tr(std::string_view msgid, std::initializer_list<Arg> args) {
    return fill(lookUp(msgid, chosen), args);
}

}  // namespace vesk::text
