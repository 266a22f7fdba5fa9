#include "sample_image.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "data/cartridge_header.h"
#include "data/enemy_block.h"
#include "data/value_tables.h"

namespace vesk::tools {
namespace {

// A fixed generator rather than <random>'s distributions, whose output differs between
// standard libraries: the Linux and Windows builds must make the same image.
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next()); }

private:
    std::uint64_t state_;
};

void fillBlock(EnemyBlock& block, SplitMix& rng) {
    for (auto& b : block.bytes()) b = rng.byte();
    for (int m = 0; m < EnemyBlock::kEnemyCount; ++m) {
        const int next = m + 1 < EnemyBlock::kEnemyCount
                             ? block.abilityStart(m + 1)
                             : block.abilityStart(m) + EnemyBlock::kMaxAbilities;
        const int gap = next - block.abilityStart(m);
        const int count = 1 + rng.below(gap);
        std::uint8_t& countByte = block.bytes()[EnemyBlock::recordOffset(m)];
        const std::uint8_t countBits = EnemyBlock::fieldBits(0);
        countByte = static_cast<std::uint8_t>((countByte & ~countBits) | ((count - 1) << 3));
        // Mostly table indexes, now and then one past the table ("????").
        block.setHpIndex(m, rng.below(20) == 0 ? kHpLabelCount + rng.below(EnemyBlock::kHpIndexMax +
                                                                           1 - kHpLabelCount)
                                               : rng.below(kHpLabelCount));
        for (int k = 0; k < EnemyBlock::kStatCount; ++k) block.setStat(m, k, rng.below(256));
        for (int slot = 0; slot < count; ++slot) block.setAbilityAt(m, slot, rng.below(256));
    }
}

}  // namespace

std::vector<std::uint8_t> makeSampleImage(std::uint32_t seed) {
    SplitMix rng(0x5645534Bull ^ (static_cast<std::uint64_t>(seed) << 32));
    std::vector<std::uint8_t> image(kSampleImageSize);
    for (auto& b : image) b = rng.byte();
    EnemyBlock block;
    fillBlock(block, rng);
    block.writeInto(image);
    // A header that passes the checks a cartridge image is held to.
    writeCartridgeHeader(image);
    return image;
}

bool writeSampleImage(const std::string& path, std::uint32_t seed) {
    const auto image = makeSampleImage(seed);
    // The path is UTF-8 on every platform; on Windows a plain narrow path would not be.
    std::ofstream out(std::filesystem::path(std::u8string(path.begin(), path.end())),
                      std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace vesk::tools
