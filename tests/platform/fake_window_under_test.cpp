// The dialog contract on the in-memory dialog.
#include <optional>

#include "dialog_contract.h"
#include "editor_rig.h"
#include "layout/resource_ids.h"

namespace vesk::test {
namespace {

class FakeWindow final : public WindowUnderTest {
public:
    explicit FakeWindow(const std::string& settingsPath) : rig_(settingsPath) { rig_.start(); }

    std::vector<std::string> items(int id) const override { return rig_.dialog.items(id); }
    int selectedItem(int id) const override { return rig_.dialog.selectedItem(id); }
    std::string text(int id) const override { return rig_.dialog.fullText(id); }
    bool enabled(int id) const override { return rig_.dialog.enabled(id); }
    bool menuEntryEnabled(int id) const override { return !rig_.dialog.menuGrayed(id); }
    bool menuEntryChecked(int id) const override { return rig_.dialog.menuEntryChecked(id); }
    int focusedControl() const override { return rig_.dialog.focus(); }
    std::optional<int> marker() const override { return rig_.dialog.property("VeskEdit"); }
    bool hasIcon() const override { return rig_.dialog.largeIcon() == IDI_MAIN; }
    bool sizeFixed() const override { return rig_.dialog.windowSizeFixed(); }

    bool chooseMenuEntry(int id) override { return rig_.dialog.chooseMenu(id); }
    void requestClose() override { rig_.dialog.requestClose(); }
    std::optional<int> endResult() override { return rig_.dialog.endResult(); }
    bool markedWhenDestroyed() override {
        rig_.dialog.destroy();
        return marker().has_value();
    }

private:
    EditorRig rig_;
};

std::unique_ptr<WindowUnderTest> startFakeWindow(const std::string& settingsPath) {
    return std::make_unique<FakeWindow>(settingsPath);
}

INSTANTIATE_TEST_SUITE_P(InMemory, DialogContract, ::testing::Values(&startFakeWindow),
                         DialogContract::name);

}  // namespace
}  // namespace vesk::test
