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
        case Cause::NotAFolder:
            return "パスの途中にフォルダーではないものがあります。";
        case Cause::LinkLoop:
            return "シンボリックリンクが多すぎるか、循環しています。";
        case Cause::AlreadyExists:
            return "同じ名前のファイルがすでにあります。";
        case Cause::DeviceError:
            return "ディスクまたは装置で入出力エラーが起きました。";
        case Cause::DeviceNotReady:
            return "ドライブの準備ができていません。";
        case Cause::TooManyOpenFiles:
            return "開いているファイルが多すぎます。";
        case Cause::FileTooLarge:
            return "ファイルが大きすぎます。";
        case Cause::QuotaExceeded:
            return "ディスクの使用量の上限（クォータ）を超えました。";
        case Cause::OtherDevice:
            return "別のドライブやファイルシステムへは移せません。";
        case Cause::Interrupted:
            return "操作が中断されました。";
        case Cause::OutOfMemory:
            return "メモリが足りません。";
        case Cause::InvalidName:
            return "ファイル名またはパスが正しくありません。";
        case Cause::NotSupported:
            return "このファイルシステムではこの操作ができません。";
        case Cause::NetworkError:
            return "ネットワークまたはファイルサーバーでエラーが起きました。";
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
