#include "web/page_messages.h"

#include <cstdio>

namespace vesk::web::messages {
namespace {

std::string hexByte(std::size_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02zX", value);
    return text;
}

constexpr std::string_view kMaybeNotAnImage = "ゲームボーイのイメージではないかもしれません。";

}  // namespace

std::string headerProblem(const HeaderProblem& problem) {
    std::string text;
    switch (problem.kind) {
        case HeaderProblem::Kind::Checksum:
            text = "カートリッジヘッダのチェックサムが合いません（" + hexByte(problem.found) +
                   "、計算では " + hexByte(problem.expected) + "）。";
            break;
        case HeaderProblem::Kind::RomSize:
            text = problem.found == 0
                       ? std::string(
                             "カートリッジヘッダの ROM サイズの値がどの大きさにも当たりません。")
                       : "カートリッジヘッダの ROM サイズ（" + std::to_string(problem.found) +
                             " バイト）がファイルの大きさ（" + std::to_string(problem.expected) +
                             " バイト）と違います。";
            break;
        case HeaderProblem::Kind::TooLarge:
            text = "ファイル（" + std::to_string(problem.found) +
                   " バイト）がどのゲームボーイのカートリッジよりも大きいです。";
            break;
    }
    return text + std::string(kMaybeNotAnImage);
}

}  // namespace vesk::web::messages
