#pragma once

#include <string_view>

namespace vesk::messages {

constexpr std::string_view kConfirmOverwriteText = "データを書き換えます。\nよろしいですか？";
constexpr std::string_view kConfirmOverwriteCaption = "保存確認";

constexpr std::string_view kErrorCaption = "エラー";
constexpr std::string_view kCannotOpen = "ファイルを開けませんでした。";
constexpr std::string_view kTooShort = "ファイルが小さすぎます。敵データを読み込めませんでした。";
constexpr std::string_view kBackupFailed =
    "バックアップを作成できませんでした。保存を中止しました。";
constexpr std::string_view kWriteFailed = "ファイルに書き込めませんでした。";
constexpr std::string_view kCopyFailed = "ファイルをコピーできませんでした。";

// On standard error when the single-instance lock cannot be taken.
constexpr std::string_view kNoSingleInstance =
    "vesk-edit: 二重起動を防ぐためのロックを取得できませんでした。このまま起動します。";

}  // namespace vesk::messages
