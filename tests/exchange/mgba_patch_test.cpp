#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "data/enemy_block.h"

#include "exchange/bps_patch.h"
#include "exchange/ips_patch.h"
#include "mgba_patch_loader.h"
#include "sample_image.h"

namespace vesk::exchange {
namespace {

using test::applyWithMgba;

Bytes sample(std::uint32_t seed) { return tools::makeSampleImage(seed); }

// Typical edits of the enemy block plus a change elsewhere in the image.
Bytes edited(Bytes image) {
    image[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(37) + 2] ^= 0x55;
    image[EnemyBlock::kImageOffset + EnemyBlock::poolEntryOffset(40)] = 63;
    image[0x150] = 0xAB;
    image.back() ^= 1;
    return image;
}

// IPS does not record the result's size: mGBA pads its output to a whole cartridge.
bool startsWith(const Bytes& result, const Bytes& expected) {
    return result.size() >= expected.size() &&
           std::equal(expected.begin(), expected.end(), result.begin());
}

struct Case {
    const char* what;
    Bytes original;
    Bytes modified;
};

std::vector<Case> cases() {
    std::vector<Case> all;
    all.push_back({"typical edits", sample(1), edited(sample(1))});
    all.push_back({"unchanged", sample(2), sample(2)});
    all.push_back({"every byte different", sample(3), sample(4)});
    Bytes longer = edited(sample(5));
    longer.resize(longer.size() + 5000, 0x33);
    all.push_back({"grown by 5000 bytes", sample(5), longer});
    // Blocks moved around: found again as copies from elsewhere in the source.
    Bytes moved = sample(6);
    std::rotate(moved.begin(), moved.begin() + 4096, moved.end());
    all.push_back({"rotated by 4096", sample(6), moved});
    std::mt19937 random(7);
    Bytes scattered = sample(7);
    for (int i = 0; i < 300; ++i)
        scattered[random() % scattered.size()] = static_cast<std::uint8_t>(random());
    all.push_back({"300 scattered bytes", sample(7), scattered});
    return all;
}

TEST(MgbaPatchCheck, MgbaTurnsTheOriginalIntoTheModifiedImageWithOurBpsPatches) {
    for (const Case& c : cases()) {
        const Bytes patch = makeBpsPatch(c.original, c.modified);
        const auto result = applyWithMgba(c.original, patch);
        ASSERT_TRUE(result.has_value()) << c.what;
        EXPECT_TRUE(*result == c.modified) << c.what;
        const PatchOutcome ours = applyBpsPatch(c.original, patch);
        EXPECT_TRUE(ours.image == c.modified) << c.what;
    }
}

TEST(MgbaPatchCheck, MgbaTurnsTheOriginalIntoTheModifiedImageWithOurIpsPatches) {
    for (const Case& c : cases()) {
        const IpsPatchResult patch = makeIpsPatch(c.original, c.modified);
        ASSERT_TRUE(patch.problem.empty()) << c.what;
        const auto result = applyWithMgba(c.original, patch.patch);
        ASSERT_TRUE(result.has_value()) << c.what;
        EXPECT_TRUE(startsWith(*result, c.modified)) << c.what;
    }
}

TEST(MgbaPatchCheck, MgbaRefusesOurBpsPatchOnAnotherImage) {
    const Bytes patch = makeBpsPatch(sample(1), edited(sample(1)));
    EXPECT_FALSE(applyWithMgba(sample(2), patch).has_value());
}

TEST(MgbaPatchCheck, MgbaReadsAnIpsRecordNearTheEndMarkerOffsetAsData) {
    Bytes original(0x454F46 + 100, 0);
    Bytes modified = original;
    modified[0x454F46] = 1;
    modified[0x454F47] = 2;
    const IpsPatchResult patch = makeIpsPatch(original, modified);
    const auto result = applyWithMgba(original, patch.patch);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(startsWith(*result, modified));
}

}  // namespace
}  // namespace vesk::exchange
