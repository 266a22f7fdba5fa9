#include <gtest/gtest.h>

#include <string>

#include "exchange/bps_patch.h"
#include "exchange/crc32.h"
#include "exchange/ips_patch.h"
#include "language.h"
#include "sample_image.h"

namespace vesk::exchange {
namespace {

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

void append32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes withChecksums(Bytes patch, const Bytes& source, const Bytes& target) {
    append32(patch, crc32Of(source));
    append32(patch, crc32Of(target));
    append32(patch, crc32Of(patch));
    return patch;
}

TEST(Crc32, IsTheZipChecksum) {
    EXPECT_EQ(crc32Of(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32Of(Bytes{}), 0u);
}

TEST(BpsPatch, KeepsEqualBytesAsSourceReadsAndStoresTheRest) {
    const Bytes source = bytesOf("ABCD"), target = bytesOf("ABXD");
    // Header, sizes 4 and 4, no metadata; SourceRead 2; TargetRead "XD" (one equal byte
    // is cheaper stored than described).
    const Bytes expected =
        withChecksums({'B', 'P', 'S', '1', 0x84, 0x84, 0x80, 0x84, 0x85, 'X', 'D'}, source, target);
    EXPECT_EQ(makeBpsPatch(source, target), expected);
}

TEST(BpsPatch, WritesMultiByteNumbersInTheFormatsOwnEncoding) {
    const Bytes same(300, 7);
    // 300 is 2C 81; SourceRead of 300 bytes is (299 << 2) = 1196, 2C 88.
    const Bytes expected =
        withChecksums({'B', 'P', 'S', '1', 0x2C, 0x81, 0x2C, 0x81, 0x80, 0x2C, 0x88}, same, same);
    EXPECT_EQ(makeBpsPatch(same, same), expected);
}

TEST(BpsPatch, FindsMovedBytesInTheSourceInsteadOfStoringThem) {
    const Bytes source = tools::makeSampleImage(3);
    Bytes target(source.begin() + 65536, source.end());
    target.insert(target.end(), source.begin(), source.begin() + 65536);
    const Bytes patch = makeBpsPatch(source, target);
    EXPECT_LT(patch.size(), 100u);
    EXPECT_EQ(applyBpsPatch(source, patch).image, target);
}

TEST(BpsPatch, RefusesAnotherImageNamingBothChecksums) {
    const Bytes source = bytesOf("original image"), target = bytesOf("modified image");
    const Bytes patch = makeBpsPatch(source, target);
    const PatchOutcome outcome = applyBpsPatch(bytesOf("another image!"), patch);
    EXPECT_EQ(outcome.status, PatchOutcome::Status::WrongSource);
    EXPECT_TRUE(outcome.image.empty());
    char expected[9];
    std::snprintf(expected, sizeof expected, "%08X", crc32Of(source));
    EXPECT_NE(outcome.message.find(expected), std::string::npos) << outcome.message;
    std::snprintf(expected, sizeof expected, "%08X", crc32Of(bytesOf("another image!")));
    EXPECT_NE(outcome.message.find(expected), std::string::npos) << outcome.message;
}

TEST(BpsPatch, ReportsAnImageThatIsAlreadyTheTarget) {
    const Bytes source = bytesOf("original image"), target = bytesOf("modified image");
    const PatchOutcome outcome = applyBpsPatch(target, makeBpsPatch(source, target));
    EXPECT_EQ(outcome.status, PatchOutcome::Status::AlreadyPatched);
}

TEST(BpsPatch, RefusesDamagedPatches) {
    const Bytes source = tools::makeSampleImage(1);
    Bytes target = source;
    target[5000] ^= 0xFF;
    const Bytes patch = makeBpsPatch(source, target);
    Bytes flipped = patch;
    flipped[6] ^= 1;
    Bytes cut(patch.begin(), patch.begin() + 8);
    Bytes notBps = patch;
    notBps[0] = 'X';
    for (const Bytes& bad : {flipped, cut, notBps, Bytes{}}) {
        const PatchOutcome outcome = applyBpsPatch(source, bad);
        EXPECT_EQ(outcome.status, PatchOutcome::Status::Damaged);
        EXPECT_TRUE(outcome.image.empty());
    }
}

TEST(BpsPatch, RefusesActionsReachingOutsideTheImages) {
    const Bytes source = bytesOf("ABCD");
    // Target of 8 bytes filled by a SourceRead of 8 from a 4-byte source.
    const Bytes target = bytesOf("ABCDABCD");
    const Bytes patch = withChecksums({'B', 'P', 'S', '1', 0x84, 0x88, 0x80, 0x9C}, source, target);
    EXPECT_EQ(applyBpsPatch(source, patch).status, PatchOutcome::Status::Damaged);
}

TEST(IpsPatch, OneRecordPerChangedStretch) {
    const Bytes source(16, 0);
    Bytes target = source;
    target[3] = 1;
    target[4] = 2;
    target[12] = 9;
    const Bytes expected = {'P', 'A', 'T', 'C', 'H', 0, 0, 3,   0,   2,  1,
                            2,   0,   0,   12,  0,   1, 9, 'E', 'O', 'F'};
    EXPECT_EQ(makeIpsPatch(source, target).patch, expected);
}

TEST(IpsPatch, JoinsChangesWithShortEqualGapsIntoOneRecord) {
    const Bytes source(16, 0);
    Bytes target = source;
    target[3] = 1;
    target[7] = 2;
    const Bytes expected = {'P', 'A', 'T', 'C', 'H', 0, 0, 3, 0, 5, 1, 0, 0, 0, 2, 'E', 'O', 'F'};
    EXPECT_EQ(makeIpsPatch(source, target).patch, expected);
}

TEST(IpsPatch, NeverStartsARecordAtTheOffsetThatReadsAsEof) {
    Bytes source(0x454F46 + 10, 0x11);
    Bytes target = source;
    target[0x454F46] = 0x22;
    const Bytes expected = {'P',  'A',  'T',  'C',  'H', 0x45, 0x4F, 0x45,
                            0x00, 0x02, 0x11, 0x22, 'E', 'O',  'F'};
    const IpsPatchResult patch = makeIpsPatch(source, target);
    EXPECT_EQ(patch.patch, expected);
    EXPECT_EQ(applyIpsPatch(source, patch.patch).image, target);
}

TEST(IpsPatch, SplitsLongChangesIntoRecordsOfAtMost65535Bytes) {
    const Bytes source(200000, 0);
    const Bytes target(200000, 1);
    const IpsPatchResult patch = makeIpsPatch(source, target);
    EXPECT_EQ(patch.patch.size(), 5 + 4 * 5 + 200000 + 3u);
    EXPECT_EQ(applyIpsPatch(source, patch.patch).image, target);
}

TEST(IpsPatch, RefusesWhatIpsCannotExpress) {
    EXPECT_NE(makeIpsPatch(Bytes(10, 0), Bytes(9, 0)).problem.find("shorter"), std::string::npos);
    const Bytes huge(kIpsSizeLimit + 1, 0);
    EXPECT_NE(makeIpsPatch(Bytes(10, 0), huge).problem.find("16 MiB"), std::string::npos);
}

TEST(IpsPatch, AppliesRunRecordsAndTruncation) {
    const Bytes source(10, 0);
    // A run of four 7s at offset 2, then a truncation to 8 bytes.
    const Bytes patch = {'P', 'A', 'T', 'C', 'H', 0, 0, 2, 0, 0, 0, 4, 7, 'E', 'O', 'F', 0, 0, 8};
    const PatchOutcome outcome = applyIpsPatch(source, patch);
    EXPECT_EQ(outcome.image, (Bytes{0, 0, 7, 7, 7, 7, 0, 0}));
}

TEST(IpsPatch, ReportsAnImageThatAlreadyHoldsTheChanges) {
    const Bytes source(16, 0);
    Bytes target = source;
    target[3] = 1;
    const Bytes patch = makeIpsPatch(source, target).patch;
    EXPECT_EQ(applyIpsPatch(target, patch).status, PatchOutcome::Status::AlreadyPatched);
    const Bytes cut(patch.begin(), patch.end() - 3);
    EXPECT_EQ(applyIpsPatch(source, cut).status, PatchOutcome::Status::Damaged);
}

TEST(Patches, TellWhatIsWrongInJapanese) {
    const ScopedLanguage japanese(text::Language::Japanese);
    const Bytes source = bytesOf("original image"), target = bytesOf("modified image");
    const Bytes bps = makeBpsPatch(source, target);
    const struct {
        PatchOutcome outcome;
        std::string begins;
    } cases[] = {
        {applyBpsPatch(source, Bytes(bps.begin(), bps.begin() + 8)),
         "BPS パッチが壊れています。短すぎます。"},
        {applyIpsPatch(source, bytesOf("PATCH")),
         "IPS パッチが壊れています。終わりの印「EOF」がありません。"},
        {applyBpsPatch(bytesOf("another image!"), bps), "このパッチは別のイメージ用です。"},
        {applyBpsPatch(target, bps), "イメージはパッチを当てた後のもの（CRC32 "},
    };
    for (const auto& each : cases)
        EXPECT_TRUE(each.outcome.message.starts_with(each.begins)) << each.outcome.message;
    EXPECT_TRUE(makeIpsPatch(Bytes(10, 0), Bytes(9, 0))
                    .problem.starts_with(
                        "IPS パッチではファイルを短くできません（10 バイトから 9 バイト）。"));
}

TEST(Patches, OfTwoEqualFilesApplyAsTheImageItselfInBothFormats) {
    const Bytes image = tools::makeSampleImage(1);
    const Bytes ips = makeIpsPatch(image, image).patch;
    EXPECT_EQ(ips, (Bytes{'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F'}));
    for (const PatchOutcome& outcome :
         {applyIpsPatch(image, ips), applyBpsPatch(image, makeBpsPatch(image, image))}) {
        EXPECT_EQ(outcome.status, PatchOutcome::Status::Applied) << outcome.message;
        EXPECT_EQ(outcome.image, image);
    }
}

}  // namespace
}  // namespace vesk::exchange
