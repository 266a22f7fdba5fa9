#pragma once

#include <string>
#include <string_view>

#include "data/cartridge_header.h"

namespace vesk::web::messages {

// The window's own words for a file too short to hold the enemy data.
constexpr std::string_view kTooShort = "ファイルが小さすぎます。敵データを読み込めませんでした。";
constexpr std::string_view kNotAPatch = "BPS または IPS のパッチではありません。";
constexpr std::string_view kPatchTooShort =
    "パッチを当てた結果が小さすぎます。敵データを読み込めませんでした。";
constexpr std::string_view kHistoryUnreadable =
    "保存しておいた編集の履歴を読めませんでした。何も変更していません。";

// A check of the cartridge header that the opened image fails, in one sentence.
std::string headerProblem(const HeaderProblem& problem);

}  // namespace vesk::web::messages
