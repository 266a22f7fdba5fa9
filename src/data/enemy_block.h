#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vesk {

// The in-memory copy of the image region that holds the enemy data: 200 nine-byte
// records, an uninterpreted gap and the ability pool. Callers keep enemy numbers,
// stat numbers and slots in range; nothing here checks them.
class EnemyBlock {
public:
    static constexpr std::size_t kImageOffset = 109288;
    static constexpr std::size_t kSize = 3080;
    static constexpr int kEnemyCount = 200;
    static constexpr int kStatCount = 4;
    static constexpr int kMaxAbilities = 8;

    // An image must reach this far to hold the whole block.
    static constexpr std::size_t kImageEnd = kImageOffset + kSize;
    // The layout of the block: the records first, the ability pool at kPoolOffset.
    static constexpr std::size_t kRecordSize = 9;
    static constexpr std::size_t kPoolOffset = 2105;
    // The largest value each field holds.
    static constexpr int kStatMax = 255;
    static constexpr int kHpIndexMax = 255;
    static constexpr int kKeroIndexMax = 15;
    static constexpr int kAbilityIdMax = 255;

    // Whether an image of `imageSize` bytes holds the whole block.
    static constexpr bool fitsIn(std::size_t imageSize) { return imageSize >= kImageEnd; }
    // The block as it stands in `image`; all zeros when the image does not hold it.
    static EnemyBlock readFrom(std::span<const std::uint8_t> image);
    // Puts the block back into `image`, which must hold it; no other byte changes.
    void writeInto(std::span<std::uint8_t> image) const;

    // Where enemy m's record starts in the block, and where pool entry `poolOffset` is.
    static constexpr std::size_t recordOffset(int m) {
        return kRecordSize * static_cast<std::size_t>(m);
    }
    static constexpr std::size_t poolEntryOffset(int poolOffset) {
        return kPoolOffset + static_cast<std::size_t>(poolOffset);
    }
    // The bits of a record's byte `recordByte` (0-8) that some field reads: the rest are
    // kept as they are by every write.
    static std::uint8_t fieldBits(std::size_t recordByte);

    std::array<std::uint8_t, kSize>& bytes();
    const std::array<std::uint8_t, kSize>& bytes() const;

    int abilityCount(int m) const;
    int hpIndex(int m) const;
    void setHpIndex(int m, int v);
    int stat(int m, int k) const;
    void setStat(int m, int k, int v);
    int keroIndex(int m) const;
    void setKeroIndex(int m, int v);
    int abilityStart(int m) const;
    int abilityAt(int m, int slot) const;
    void setAbilityAt(int m, int slot, int id);

private:
    std::uint8_t& field(int m, std::size_t byte);
    std::uint8_t field(int m, std::size_t byte) const;

    std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace vesk
