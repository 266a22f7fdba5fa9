#include "data/enemy_block.h"

#include <gtest/gtest.h>

#include <vector>

namespace vesk {
namespace {

std::uint8_t& recordByte(EnemyBlock& b, int m, int byte) {
    return b.bytes()[EnemyBlock::recordOffset(m) + static_cast<std::size_t>(byte)];
}

// The one place the numbers of the format are written out; everything else uses the names.
TEST(EnemyBlock, FormatNumbers) {
    EXPECT_EQ(EnemyBlock::kImageOffset, 109288u);
    EXPECT_EQ(EnemyBlock::kSize, 3080u);
    EXPECT_EQ(EnemyBlock::kImageEnd, 112368u);
    EXPECT_EQ(EnemyBlock::kRecordSize, 9u);
    EXPECT_EQ(EnemyBlock::kPoolOffset, 2105u);
    EXPECT_EQ(EnemyBlock::recordOffset(37), 333u);
    EXPECT_EQ(EnemyBlock::poolEntryOffset(953), 3058u);
    const std::uint8_t bits[] = {0x38, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0, 0};
    for (std::size_t byte = 0; byte < 9; ++byte) EXPECT_EQ(EnemyBlock::fieldBits(byte), bits[byte]);
    EXPECT_EQ(EnemyBlock::kStatMax, 255);
    EXPECT_EQ(EnemyBlock::kKeroIndexMax, 15);
}

TEST(EnemyBlock, ComesOutOfAnImageAndGoesBackWithoutTouchingAnotherByte) {
    std::vector<std::uint8_t> image(EnemyBlock::kImageEnd + 5);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7);
    EnemyBlock block = EnemyBlock::readFrom(image);
    EXPECT_EQ(block.bytes()[0], image[EnemyBlock::kImageOffset]);
    EXPECT_EQ(block.bytes().back(), image[EnemyBlock::kImageEnd - 1]);
    std::vector<std::uint8_t> expected = image;
    block.setStat(5, 2, 99);
    expected[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(5) + 4] = 99;
    block.writeInto(image);
    EXPECT_EQ(image, expected);

    EXPECT_FALSE(EnemyBlock::fitsIn(EnemyBlock::kImageEnd - 1));
    image.resize(EnemyBlock::kImageEnd - 1);
    EXPECT_EQ(EnemyBlock::readFrom(image).bytes(), EnemyBlock().bytes());
}

TEST(EnemyBlock, AllZeroBlockReadsAsOneAbilityOfIdZeroAndZeroFields) {
    const EnemyBlock block;
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        EXPECT_EQ(block.abilityCount(m), 1);
        EXPECT_EQ(block.hpIndex(m), 0);
        EXPECT_EQ(block.keroIndex(m), 0);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(block.stat(m, k), 0);
        EXPECT_EQ(block.abilityAt(m, 0), 0);
    }
}

TEST(EnemyBlock, AbilityCountComesFromBitsThreeToFive) {
    EnemyBlock block;
    const std::pair<std::uint8_t, int> cases[] = {{0xFF, 8}, {0xC7, 1}, {0x38, 8},
                                                  {0x08, 2}, {0x10, 3}, {0x07, 1}};
    for (auto [byte, count] : cases) {
        recordByte(block, 17, 0) = byte;
        EXPECT_EQ(block.abilityCount(17), count) << "count byte " << int(byte);
    }
}

TEST(EnemyBlock, FieldsLiveInTheirRecordBytes) {
    EnemyBlock block;
    block.setHpIndex(3, 200);
    block.setStat(3, 0, 11);
    block.setStat(3, 1, 22);
    block.setStat(3, 2, 33);
    block.setStat(3, 3, 44);
    EXPECT_EQ(recordByte(block, 3, 1), 200);
    EXPECT_EQ(recordByte(block, 3, 2), 11);
    EXPECT_EQ(recordByte(block, 3, 5), 44);
    EXPECT_EQ(block.stat(3, 2), 33);
    EXPECT_EQ(block.hpIndex(2), 0);
    EXPECT_EQ(block.hpIndex(4), 0);
}

TEST(EnemyBlock, SetStatKeepsTheLowEightBits) {
    EnemyBlock block;
    block.setStat(0, 1, 300);
    EXPECT_EQ(block.stat(0, 1), 44);
    block.setStat(0, 1, -1);
    EXPECT_EQ(block.stat(0, 1), 255);
}

TEST(EnemyBlock, KeroIndexKeepsTheHighNibble) {
    EnemyBlock block;
    recordByte(block, 9, 6) = 0xA3;
    EXPECT_EQ(block.keroIndex(9), 3);
    block.setKeroIndex(9, 5);
    EXPECT_EQ(recordByte(block, 9, 6), 0xA5);
    recordByte(block, 9, 6) = 0x5F;
    block.setKeroIndex(9, 0);
    EXPECT_EQ(recordByte(block, 9, 6), 0x50);
}

TEST(EnemyBlock, StartTableIsStrictlyIncreasingWithGapsOfOneToEight) {
    const EnemyBlock block;
    EXPECT_EQ(block.abilityStart(0), 0);
    EXPECT_EQ(block.abilityStart(10), 46);
    EXPECT_EQ(block.abilityStart(99), 472);
    EXPECT_EQ(block.abilityStart(199), 953);
    for (int m = 1; m < EnemyBlock::kEnemyCount; ++m) {
        const int gap = block.abilityStart(m) - block.abilityStart(m - 1);
        EXPECT_GE(gap, 1) << m;
        EXPECT_LE(gap, 8) << m;
    }
}

TEST(EnemyBlock, AbilitiesLiveInThePoolAndMayRunIntoTheNextList) {
    EnemyBlock block;
    recordByte(block, 199, 0) = 0x38;  // 8 abilities
    block.setAbilityAt(199, 7, 0xAB);
    EXPECT_EQ(block.bytes()[3065], 0xAB);
    // Enemy 0's list starts at pool 0 and enemy 1's at pool 3: an overlong list shares.
    block.setAbilityAt(0, 3, 77);
    EXPECT_EQ(block.abilityAt(1, 0), 77);
    EXPECT_EQ(block.bytes()[2105 + 3], 77);
}

TEST(EnemyBlock, EditsNeverTouchUninterpretedBytes) {
    EnemyBlock block;
    for (std::size_t i = 0; i < EnemyBlock::kSize; ++i)
        block.bytes()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const auto before = block.bytes();
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        block.setHpIndex(m, 255 - m);
        for (int k = 0; k < 4; ++k) block.setStat(m, k, m + k);
        block.setKeroIndex(m, m % 16);
        for (int s = 0; s < block.abilityCount(m); ++s) block.setAbilityAt(m, s, m);
    }
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        for (int byte : {0, 7, 8}) EXPECT_EQ(recordByte(block, m, byte), before[9 * m + byte]);
        EXPECT_EQ(recordByte(block, m, 6) & 0xF0, before[9 * m + 6] & 0xF0);
    }
    for (std::size_t i = 1800; i < 2105; ++i) EXPECT_EQ(block.bytes()[i], before[i]) << i;
    for (std::size_t i = 3066; i < 3080; ++i) EXPECT_EQ(block.bytes()[i], before[i]) << i;
}

}  // namespace
}  // namespace vesk
