// The resource script generated from the layout table: what the resource compiler needs
// beyond what the compiled template shows (which the Windows window tests check).
#include <gtest/gtest.h>

#include <string>

#include "layout/main_dialog_layout.h"
#include "rc_writer.h"

namespace vesk::tools {
namespace {

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(LayoutRc, HasOneControlLineForEachControlOfTheTableInTabOrder) {
    const std::string rc = layoutRcText();
    EXPECT_EQ(countOf(rc, "    CONTROL "), layout::kControls.size());
    std::size_t previous = 0;
    for (const layout::Control& c : layout::kControls) {
        const std::string line =
            "CONTROL \"" + std::string(c.text) + "\", " + std::to_string(c.id) + ", ";
        const auto at = rc.find(line, previous);
        ASSERT_NE(at, std::string::npos) << line;
        previous = at;
    }
}

TEST(LayoutRc, MenuKeepsSeparatorsAndEntryStates) {
    const std::string rc = layoutRcText();
    EXPECT_EQ(countOf(rc, "MENUITEM SEPARATOR"), 1u);
    EXPECT_EQ(countOf(rc, ", GRAYED"), 2u);
    EXPECT_EQ(countOf(rc, ", CHECKED"), 1u);
    EXPECT_NE(rc.find("MAINDLG DIALOGEX 0, 0, 186, 122\n"), std::string::npos);
    EXPECT_NE(rc.find("MENU IDR_MENU\n"), std::string::npos);
    EXPECT_NE(rc.find("FONT 9, \"ＭＳ Ｐゴシック\", 400, 0, 128\n"), std::string::npos);
}

}  // namespace
}  // namespace vesk::tools
