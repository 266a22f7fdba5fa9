#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "test_files.h"

namespace vesk::test {

// The editor's main window on one realisation of platform::Dialog, read as its user sees
// it and driven as its user drives it. Each realisation of the dialog contract provides one
// (fake_window_under_test.cpp, qt/qt_window_under_test.cpp,
// win32/win32_window_under_test.cpp).
class WindowUnderTest {
public:
    virtual ~WindowUnderTest() = default;

    virtual std::vector<std::string> items(int id) const = 0;
    virtual int selectedItem(int id) const = 0;  // -1: none
    virtual std::string text(int id) const = 0;
    virtual bool enabled(int id) const = 0;
    virtual bool menuEntryEnabled(int id) const = 0;
    virtual bool menuEntryChecked(int id) const = 0;
    virtual int focusedControl() const = 0;         // its control ID, 0 for none
    virtual std::optional<int> marker() const = 0;  // the window property other starts find
    virtual bool hasIcon() const = 0;
    virtual bool sizeFixed() const = 0;  // neither resized nor maximised by the user

    virtual bool chooseMenuEntry(int id) = 0;    // false when the entry cannot be chosen
    virtual void requestClose() = 0;             // as the title bar's close button does
    virtual std::optional<int> endResult() = 0;  // nullopt while the window runs
    // Ends the window's life; whether it still carried the marker once destroyed.
    virtual bool markedWhenDestroyed() = 0;
};

// Starts the editor's window with its setting kept in `settingsPath`.
using WindowFactory = std::unique_ptr<WindowUnderTest> (*)(const std::string& settingsPath);

// The cases of dialog_contract_test.cpp, run on every realisation that instantiates
// this suite with its factory.
class DialogContract : public ::testing::TestWithParam<WindowFactory> {
public:
    // Each realisation instantiates the suite with one factory: named after the suite.
    static std::string name(const ::testing::TestParamInfo<WindowFactory>&) { return "window"; }

protected:
    std::unique_ptr<WindowUnderTest> start() { return GetParam()(settingsPath); }

    TempDir dir;
    std::string settingsPath = dir.path("data.ini");
};

}  // namespace vesk::test
