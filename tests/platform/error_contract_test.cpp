// What platform/error.h promises on every platform: the text a reason gives the user and
// the error box text built with it, whichever system the reason came from.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>

#include "platform/error.h"

namespace vesk::platform {
namespace {

using Cause = ErrorReason::Cause;

TEST(ErrorContract, EveryKnownCauseHasItsOwnLine) {
    const Cause causes[] = {
        Cause::NotFound,       Cause::AccessDenied,     Cause::DiskFull,      Cause::ReadOnlyDisk,
        Cause::InUse,          Cause::NotRegularFile,   Cause::NameTooLong,   Cause::TooShort,
        Cause::NotAFolder,     Cause::LinkLoop,         Cause::AlreadyExists, Cause::DeviceError,
        Cause::DeviceNotReady, Cause::TooManyOpenFiles, Cause::FileTooLarge,  Cause::QuotaExceeded,
        Cause::OtherDevice,    Cause::Interrupted,      Cause::OutOfMemory,   Cause::InvalidName,
        Cause::NotSupported,   Cause::NetworkError};
    std::set<std::string> texts;
    for (const Cause cause : causes) {
        const std::string text = reasonText(ErrorReason::of(cause));
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), std::string::npos) << text;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(causes)) << "no two causes read the same";
    EXPECT_EQ(reasonText(ErrorReason::of(Cause::AccessDenied)), "アクセスが拒否されました。");
}

TEST(ErrorContract, OtherCausesAreToldInTheSystemsWordsElseByTheirCode) {
    EXPECT_EQ(reasonText(ErrorReason{Cause::Other, 5, "Input/output error"}), "Input/output error");
    EXPECT_EQ(reasonText(ErrorReason{Cause::Other, 1117, ""}), "不明なエラーです（コード 1117）。");
}

TEST(ErrorContract, NoReasonAddsNothing) {
    const ErrorReason none;
    EXPECT_FALSE(none.known());
    EXPECT_EQ(reasonText(none), "");
    EXPECT_EQ(withReason("ファイルを開けませんでした。", none), "ファイルを開けませんでした。");
}

TEST(ErrorContract, AKnownReasonGoesOnTheLineBelow) {
    const ErrorReason full = ErrorReason::of(Cause::DiskFull);
    EXPECT_TRUE(full.known());
    EXPECT_EQ(withReason("ファイルをコピーできませんでした。", full),
              "ファイルをコピーできませんでした。\nディスクの空き容量が足りません。");
}

}  // namespace
}  // namespace vesk::platform
