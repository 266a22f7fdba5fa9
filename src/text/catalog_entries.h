#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace vesk::text {

// One text of the catalog: its English source text and what each language says; an
// empty text is the msgid itself.
struct CatalogEntry {
    std::string_view msgid;
    std::string_view japanese;
    std::string_view english;
};

// Every entry, sorted by msgid; generated at build time from po/ja.po and po/en.po.
std::span<const CatalogEntry> catalogEntries();

}  // namespace vesk::text
