// The resource script that builds the Windows window against the layout table the other
// realisations use: any drift between the two fails here, on every platform.
#include <gtest/gtest.h>

#include <string>

#include "layout_drift.h"
#include "main_dialog_layout.h"
#include "rc_script.h"

namespace vesk::test {
namespace {

const std::string kResources = VESK_RESOURCE_DIR;

class ResourceScript : public ::testing::Test {
protected:
    void SetUp() override {
        text = readTextFile(kResources + "/vesk-edit.rc");
        ids = parseDefines(readTextFile(kResources + "/resource_ids.h"));
    }

    std::vector<std::string> differencesOf(const std::string& script) const {
        return layoutDifferences(parseRcScript(script), ids);
    }

    // The script with the first `from` replaced by `to`; the test fails if `from` is absent.
    std::string edited(const std::string& from, const std::string& to) const {
        std::string copy = text;
        const auto at = copy.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) copy.replace(at, from.size(), to);
        return copy;
    }

    std::string text;
    std::map<std::string, int> ids;
};

TEST_F(ResourceScript, DescribesTheWindowOfTheLayoutTable) {
    const auto differences = differencesOf(text);
    for (const auto& line : differences) ADD_FAILURE() << line;
    EXPECT_TRUE(differences.empty());
}

TEST_F(ResourceScript, IsUtf8AndSaysSoToTheResourceCompiler) {
    const RcScript script = parseRcScript(text);
    ASSERT_EQ(script.pragmas.size(), 1u);
    EXPECT_EQ(script.pragmas[0], "code_page(65001)");
    EXPECT_NE(text.find("ＭＳ Ｐゴシック"), std::string::npos) << "the font name is stored as UTF-8";
}

TEST_F(ResourceScript, CarriesIcon105FromTheIconFile) {
    const RcScript script = parseRcScript(text);
    ASSERT_EQ(ids.at("IDI_MAIN"), 105);
    ASSERT_EQ(script.icons.count("IDI_MAIN"), 1u);
    EXPECT_EQ(script.icons.at("IDI_MAIN"), "vesk-edit.ico");
    EXPECT_NO_THROW(readTextFile(kResources + "/vesk-edit.ico"));
}

TEST_F(ResourceScript, EveryKindOfDriftIsCaught) {
    const std::string attack = "IDC_STAT_ATTACK, \"Edit\"";
    const std::string attackLine = text.substr(text.rfind('\n', text.find(attack)) + 1,
                                               text.find('\n', text.find(attack)) -
                                                   text.rfind('\n', text.find(attack)));
    struct Case {
        const char* what;
        std::string script;
    } cases[] = {
        {"a moved control", edited("36, 82, 22, 14", "36, 83, 22, 14")},
        {"a resized control", edited("95, 16, 82, 68", "95, 16, 82, 69")},
        {"another text", edited("\"変 更\"", "\"変更\"")},
        {"another ID", edited("IDC_STAT_DEFENSE,", "IDC_STAT_SPEED,")},
        {"a lost tab stop", edited("ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP", "ES_AUTOHSCROLL | WS_BORDER")},
        {"a lost number-only style", edited("ES_RIGHT | ES_NUMBER", "ES_RIGHT")},
        {"an extra style", edited("CBS_DROPDOWNLIST | WS_VSCROLL", "CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL")},
        {"another class", edited("\"ListBox\"", "\"ComboBox\"")},
        {"a control out of tab order", edited(attackLine, "") + attackLine},
        {"a missing control", edited(attackLine, "")},
        {"a maximise box", edited("WS_MINIMIZEBOX", "WS_MINIMIZEBOX | WS_MAXIMIZEBOX")},
        {"no centring", edited("DS_CENTER | ", "")},
        {"another caption", edited("敵キャラ", "敵")},
        {"another font", edited("9, \"ＭＳ Ｐゴシック\"", "9, \"MS Shell Dlg\"")},
        {"another size", edited("0, 0, 186, 122", "0, 0, 186, 120")},
        {"an entry not checked", edited(", CHECKED", "")},
        {"an entry not grayed", edited("IDM_SAVE, GRAYED", "IDM_SAVE")},
        {"another mnemonic", edited("終了(&X)", "終了(&E)")},
        {"a lost separator", edited("MENUITEM SEPARATOR", "")},
    };
    for (const Case& c : cases) {
        std::vector<std::string> differences;
        // A broken script counts as drift too.
        try {
            differences = differencesOf(c.script);
        } catch (const std::exception& e) {
            differences.push_back(e.what());
        }
        EXPECT_FALSE(differences.empty()) << c.what << " went unnoticed";
    }
}

}  // namespace
}  // namespace vesk::test
