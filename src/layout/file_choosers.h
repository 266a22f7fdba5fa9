// The open and save choosers the main window owns: one filter entry each, no default
// extension, no initial directory.
#pragma once

#include <string_view>

namespace vesk::layout {

constexpr std::string_view kOpenChooserTitle = "ファイルを開く";
constexpr std::string_view kSaveChooserTitle = "名前を付けて保存する";
constexpr std::string_view kChooserFilterName = "GBファイル (*.gb)";
constexpr std::string_view kChooserFilterPattern = "*.gb";
constexpr int kPathBufferChars = 260;  // the choosers' path limit, terminator included

}  // namespace vesk::layout
