#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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
