#include "platform/error.h"

namespace vesk::platform {

std::string reasonText(const ErrorReason& reason) {
    using Cause = ErrorReason::Cause;
    switch (reason.cause) {
        case Cause::None:
            return {};
        case Cause::NotFound:
            return "ファイルが見つかりません。";
        case Cause::AccessDenied:
            return "アクセスが拒否されました。";
        case Cause::DiskFull:
            return "ディスクの空き容量が足りません。";
        case Cause::ReadOnlyDisk:
            return "ディスクが書き込み禁止になっています。";
        case Cause::InUse:
            return "ほかのプログラムがファイルを使用中です。";
        case Cause::NotRegularFile:
            return "通常のファイルではありません。";
        case Cause::NameTooLong:
            return "ファイル名が長すぎます。";
        case Cause::TooShort:
            return "ファイルが敵データより短くなっています。";
        case Cause::Other:
            break;
    }
    if (!reason.systemText.empty()) return reason.systemText;
    return "不明なエラーです（コード " + std::to_string(reason.systemCode) + "）。";
}

std::string withReason(std::string_view firstLine, const ErrorReason& reason) {
    std::string text(firstLine);
    const std::string why = reasonText(reason);
    if (!why.empty()) text += "\n" + why;
    return text;
}

}  // namespace vesk::platform
