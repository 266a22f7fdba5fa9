#include "data/enemy_block.h"

#include <algorithm>

namespace vesk {
namespace {

constexpr std::size_t kCountByte = 0, kHpByte = 1, kFirstStatByte = 2, kKeroByte = 6;
constexpr std::uint8_t kCountBits = 0x38, kKeroBits = 0x0F;

// Where each enemy's ability list begins in the pool. Fixed by the game, not read
// from the image; neighbours are 1 to 8 apart.
constexpr std::array<std::uint16_t, EnemyBlock::kEnemyCount> kAbilityStarts = {
    0,   3,   7,   12,  18,  24,  32,  35,  38,  42,  46,  52,  60,  62,  65,  69,  74,  80,  88,
    90,  94,  99,  105, 112, 120, 123, 127, 132, 138, 145, 153, 154, 156, 159, 164, 170, 178, 180,
    183, 186, 190, 196, 204, 206, 209, 213, 218, 224, 232, 234, 237, 241, 246, 252, 260, 263, 267,
    272, 278, 285, 293, 295, 299, 304, 309, 316, 324, 326, 329, 333, 338, 344, 352, 353, 355, 358,
    362, 367, 375, 376, 378, 381, 385, 391, 399, 402, 406, 411, 417, 424, 432, 434, 437, 441, 446,
    452, 460, 463, 467, 472, 478, 486, 494, 497, 502, 507, 513, 520, 528, 529, 532, 537, 543, 550,
    558, 560, 563, 568, 574, 581, 589, 592, 596, 601, 607, 614, 622, 625, 630, 637, 643, 650, 658,
    660, 664, 669, 675, 682, 690, 692, 696, 701, 707, 714, 722, 725, 729, 734, 740, 747, 755, 756,
    758, 761, 766, 772, 773, 776, 780, 785, 792, 793, 795, 798, 803, 809, 816, 817, 819, 823, 827,
    833, 840, 848, 849, 850, 855, 860, 862, 864, 869, 874, 875, 876, 880, 884, 885, 886, 890, 894,
    899, 904, 909, 914, 920, 927, 934, 941, 945, 953,
};

}  // namespace

EnemyBlock EnemyBlock::readFrom(std::span<const std::uint8_t> image) {
    EnemyBlock block;
    if (fitsIn(image.size())) {
        std::copy_n(image.begin() + kImageOffset, kSize, block.bytes_.begin());
    }
    return block;
}

void EnemyBlock::writeInto(std::span<std::uint8_t> image) const {
    std::copy(bytes_.begin(), bytes_.end(), image.begin() + kImageOffset);
}

std::uint8_t EnemyBlock::fieldBits(std::size_t recordByte) {
    switch (recordByte) {
        case kCountByte:
            return kCountBits;
        case kKeroByte:
            return kKeroBits;
        case 7:
        case 8:
            return 0;
        default:
            return 0xFF;
    }
}

std::array<std::uint8_t, EnemyBlock::kSize>& EnemyBlock::bytes() { return bytes_; }

const std::array<std::uint8_t, EnemyBlock::kSize>& EnemyBlock::bytes() const { return bytes_; }

std::uint8_t& EnemyBlock::field(int m, std::size_t byte) { return bytes_[recordOffset(m) + byte]; }

std::uint8_t EnemyBlock::field(int m, std::size_t byte) const {
    return bytes_[recordOffset(m) + byte];
}

int EnemyBlock::abilityCount(int m) const { return ((field(m, kCountByte) & kCountBits) >> 3) + 1; }

int EnemyBlock::hpIndex(int m) const { return field(m, kHpByte); }

void EnemyBlock::setHpIndex(int m, int v) { field(m, kHpByte) = static_cast<std::uint8_t>(v); }

int EnemyBlock::stat(int m, int k) const {
    return field(m, kFirstStatByte + static_cast<std::size_t>(k));
}

void EnemyBlock::setStat(int m, int k, int v) {
    field(m, kFirstStatByte + static_cast<std::size_t>(k)) = static_cast<std::uint8_t>(v & 0xFF);
}

int EnemyBlock::keroIndex(int m) const { return field(m, kKeroByte) & kKeroBits; }

// The high four bits belong to something else in the game and must survive.
void EnemyBlock::setKeroIndex(int m, int v) {
    std::uint8_t& b = field(m, kKeroByte);
    b = static_cast<std::uint8_t>((b & ~kKeroBits) | (v & kKeroBits));
}

int EnemyBlock::abilityStart(int m) const { return kAbilityStarts[static_cast<std::size_t>(m)]; }

int EnemyBlock::abilityAt(int m, int slot) const {
    return bytes_[poolEntryOffset(abilityStart(m) + slot)];
}

void EnemyBlock::setAbilityAt(int m, int slot, int id) {
    bytes_[poolEntryOffset(abilityStart(m) + slot)] = static_cast<std::uint8_t>(id);
}

}  // namespace vesk
