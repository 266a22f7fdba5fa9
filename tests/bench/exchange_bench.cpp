// The `vesk` command's conversions on a sample image: export, import and patch creation,
// and patch creation on an 8 MiB image.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "cli/vesk_command.h"
#include "exchange/bps_patch.h"
#include "exchange/enemy_table.h"
#include "exchange/ips_patch.h"
#include "exchange/table_import.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk::exchange {
namespace {

EnemyBlock blockOf(const Bytes& image) {
    EnemyBlock block;
    std::copy_n(image.begin() + EnemyBlock::kImageOffset, EnemyBlock::kSize, block.bytes().begin());
    return block;
}

// A few hundred enemy fields changed, as after balancing a range of enemies.
Bytes balanced(Bytes image) {
    for (int m = 100; m < 200; ++m) {
        for (int k = 0; k < 4; ++k) {
            auto& stat = image[EnemyBlock::kImageOffset + EnemyBlock::recordOffset(m) + 2 + k];
            stat = static_cast<std::uint8_t>(std::min(255, stat * 3 / 2));
        }
    }
    return image;
}

// An 8 MiB image: the sample repeated with noise, and a copy with `changes` bytes changed.
std::pair<Bytes, Bytes> largeImages(int changes) {
    Bytes original;
    std::mt19937 random(5);
    while (original.size() < (8u << 20)) {
        const Bytes piece = tools::makeSampleImage(static_cast<std::uint32_t>(random()));
        original.insert(original.end(), piece.begin(), piece.end());
    }
    Bytes modified = original;
    for (int i = 0; i < changes; ++i) {
        modified[random() % modified.size()] = static_cast<std::uint8_t>(random());
    }
    return {original, modified};
}

void ExportCsv(benchmark::State& state) {
    const EnemyBlock block = blockOf(tools::makeSampleImage(3));
    for (auto _ : state) benchmark::DoNotOptimize(exportCsv(block));
}
BENCHMARK(ExportCsv);

void ExportJson(benchmark::State& state) {
    const EnemyBlock block = blockOf(tools::makeSampleImage(3));
    for (auto _ : state) benchmark::DoNotOptimize(exportJson(block));
}
BENCHMARK(ExportJson);

void ImportCsv(benchmark::State& state) {
    const EnemyBlock block = blockOf(tools::makeSampleImage(3));
    const std::string csv = exportCsv(blockOf(balanced(tools::makeSampleImage(3))));
    for (auto _ : state) benchmark::DoNotOptimize(planImport(block, readTable(csv)));
}
BENCHMARK(ImportCsv);

// The whole command as a user runs it: read the image and the table, check, write.
void ImportCommand(benchmark::State& state) {
    test::TempDir dir;
    const std::string image = dir.path("game.gb"), table = dir.path("table.csv");
    test::writeBytes(image, tools::makeSampleImage(3));
    test::writeText(table, exportCsv(blockOf(balanced(tools::makeSampleImage(3)))));
    std::ostringstream out, err;
    for (auto _ : state) {
        cli::runVesk({"import", image, table, "--dry-run"}, out, err);
        out.str({});
    }
}
BENCHMARK(ImportCommand)->Unit(benchmark::kMillisecond);

void BpsCreateSample(benchmark::State& state) {
    const Bytes original = tools::makeSampleImage(3), modified = balanced(original);
    for (auto _ : state) benchmark::DoNotOptimize(makeBpsPatch(original, modified));
}
BENCHMARK(BpsCreateSample)->Unit(benchmark::kMillisecond);

void IpsCreateSample(benchmark::State& state) {
    const Bytes original = tools::makeSampleImage(3), modified = balanced(original);
    for (auto _ : state) benchmark::DoNotOptimize(makeIpsPatch(original, modified));
}
BENCHMARK(IpsCreateSample)->Unit(benchmark::kMillisecond);

void BpsCreate8MiB(benchmark::State& state) {
    const auto [original, modified] = largeImages(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(makeBpsPatch(original, modified));
}
BENCHMARK(BpsCreate8MiB)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BpsCreate8MiBShifted(benchmark::State& state) {
    // Everything after the first MiB moved by 100 bytes: found as copies in the source.
    auto [original, modified] = largeImages(0);
    modified.insert(modified.begin() + (1 << 20), 100, 0x42);
    for (auto _ : state) benchmark::DoNotOptimize(makeBpsPatch(original, modified));
}
BENCHMARK(BpsCreate8MiBShifted)->Unit(benchmark::kMillisecond);

void IpsCreate8MiB(benchmark::State& state) {
    const auto [original, modified] = largeImages(1000);
    for (auto _ : state) benchmark::DoNotOptimize(makeIpsPatch(original, modified));
}
BENCHMARK(IpsCreate8MiB)->Unit(benchmark::kMillisecond);

void BpsApply8MiB(benchmark::State& state) {
    const auto [original, modified] = largeImages(1000);
    const Bytes patch = makeBpsPatch(original, modified);
    for (auto _ : state) benchmark::DoNotOptimize(applyBpsPatch(original, patch));
}
BENCHMARK(BpsApply8MiB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk::exchange

BENCHMARK_MAIN();
