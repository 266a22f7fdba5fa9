// The editor's hot paths as the user triggers them, through the main window and the
// in-memory dialog: opening an image, switching enemies, one keystroke in a stat field.
#include <benchmark/benchmark.h>

#include "editor_rig.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "sample_image.h"
#include "test_files.h"

namespace vesk::test {
namespace {

struct OpenedEditor {
    TempDir dir;
    std::string image = dir.path("bench.gb");
    EditorRig rig{dir.path("data.ini")};

    OpenedEditor() {
        tools::writeSampleImage(image, 3);
        rig.start();
        rig.open(image);
        rig.dialog.calls.clear();
    }
};

void OpenAndShow(benchmark::State& state) {
    OpenedEditor editor;
    for (auto _ : state) {
        editor.rig.open(editor.image);
        editor.rig.dialog.calls.clear();
        editor.rig.dialog.modals.clear();
    }
}
BENCHMARK(OpenAndShow);

void SwitchEnemy(benchmark::State& state) {
    OpenedEditor editor;
    int m = 0;
    for (auto _ : state) {
        m = (m + 1) % EnemyBlock::kEnemyCount;
        editor.rig.chooseEnemy(m);
        editor.rig.dialog.calls.clear();
    }
}
BENCHMARK(SwitchEnemy);

void StatKeystroke(benchmark::State& state) {
    OpenedEditor editor;
    const int id = IDC_STAT_ATTACK;
    for (auto _ : state) {
        editor.rig.dialog.selectText(id, 0, -1);
        editor.rig.dialog.typeKey(id, '7');
        editor.rig.dialog.calls.clear();
    }
}
BENCHMARK(StatKeystroke);

}  // namespace
}  // namespace vesk::test

BENCHMARK_MAIN();
