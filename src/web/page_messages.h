#pragma once

#include <string_view>

namespace vesk::web::messages {

// The window's own words for a file too short to hold the enemy data.
constexpr std::string_view kTooShort = "ファイルが小さすぎます。敵データを読み込めませんでした。";
constexpr std::string_view kNotAPatch = "BPS または IPS のパッチではありません。";
constexpr std::string_view kPatchTooShort =
    "パッチを当てた結果が小さすぎます。敵データを読み込めませんでした。";

}  // namespace vesk::web::messages
