// The screen-reader names of the main window's controls, as derived from the layout table.
#include "layout/accessible_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"

namespace vesk::test {
namespace {

struct ExpectedName {
    int id;
    const char* name;
};

// Each field is named by the text of its label; the two fields of a stat row by one half
// each; the ability list and choice, which have no label, by their group.
constexpr ExpectedName kExpectedNames[] = {
    {IDC_ENEMY_LIST, "キャラ選択"}, {IDC_HP_LIST, "HP"},        {IDC_KERO_LIST, "ケロ"},
    {IDC_STAT_ATTACK, "攻"},        {IDC_STAT_DEFENSE, "防"},   {IDC_STAT_SPEED, "早"},
    {IDC_STAT_MAGIC, "魔"},         {IDC_ABILITY_LIST, "能力"}, {IDC_ABILITY_CHOICE, "能力の選択"},
    {IDC_REPLACE, "変 更"},
};

TEST(AccessibleNames, EveryTabStopIsNamedAfterItsLabelOrGroup) {
    std::set<int> named;
    for (const ExpectedName& expected : kExpectedNames) {
        EXPECT_EQ(layout::accessibleName(expected.id), expected.name) << "control " << expected.id;
        named.insert(expected.id);
    }
    for (const layout::Control& control : layout::kControls) {
        if (control.style & layout::kTabStop) {
            EXPECT_TRUE(named.count(control.id)) << "tab stop " << control.id << " is not checked";
        }
    }
}

TEST(AccessibleNames, WhatIsNoTabStopHasNoName) {
    EXPECT_EQ(layout::accessibleName(layout::kNoId), "");
    EXPECT_EQ(layout::accessibleName(IDM_OPEN), "");
    EXPECT_EQ(layout::accessibleName(IDC_DIALOG_OK), "");
}

}  // namespace
}  // namespace vesk::test
