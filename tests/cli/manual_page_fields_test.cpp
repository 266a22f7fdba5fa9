#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "exchange/enemy_field.h"

namespace vesk::cli {
namespace {

// The manual page lists the fields `vesk set` takes by hand; every field of the one field
// table must be there ("ability1 to ability8" stands for the slots between).
TEST(ManualPage, ListsEveryFieldOfTheFieldTable) {
    std::ifstream file(VESK_MANUAL_PAGE);
    std::stringstream page;
    page << file.rdbuf();
    std::string text = page.str();
    for (char& c : text) {
        if (c == '\n') c = ' ';
    }
    const std::size_t from = text.find("Fields: ");
    ASSERT_NE(from, std::string::npos);
    const std::string fields = text.substr(from, text.find(';', from) - from);
    const std::string lastSlot = "ability" + std::to_string(EnemyBlock::kMaxAbilities);
    EXPECT_NE(fields.find("ability1 to " + lastSlot), std::string::npos) << fields;
    for (const exchange::EnemyField& field : exchange::enemyFields()) {
        if (field.kind == exchange::EnemyField::Kind::Ability) continue;
        EXPECT_NE(fields.find(field.key()), std::string::npos) << field.key() << " in " << fields;
    }
}

}  // namespace
}  // namespace vesk::cli
