// libFuzzer over the table reader: any bytes, read as `vesk import` and the page read a
// table (CSV or JSON, told apart by the content) and checked against an enemy block.
// Nothing may crash, overflow or take more than bounded memory, and every message must
// be free of control characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/enemy_block.h"
#include "exchange/table_import.h"
#include "exchange/table_input.h"

namespace {

bool showsAControl(const std::string& message) {
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const vesk::EnemyBlock block;
    const vesk::exchange::ImportPlan plan =
        vesk::exchange::planImport(block, vesk::exchange::readTable(text));
    for (const std::string& line : plan.problems.lines()) {
        if (showsAControl(line)) std::abort();
    }
    return 0;
}
