// The screen-reader names of the real window's controls: the names the window hands the
// system's annotation service, checked against the layout table, and the names a screen
// reader reads through AccessibleObjectFromWindow.
#include "platform/win32/accessible_names.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "layout/accessible_names.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/wide_text.h"
#include "recording_events.h"

namespace vesk::test {
namespace {

using platform::win32::toUtf8;

// An annotation service that keeps the names it is given, by control.
class RecordingAnnotations final : public IAccPropServices {
public:
    std::map<HWND, std::wstring> names;
    std::vector<HWND> cleared;
    std::vector<std::string> faults;

    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild,
                                             MSAAPROPID idProp, LPCWSTR str) override {
        if (!isClientName(idObject, idChild, idProp))
            faults.push_back("a property other than the name");
        if (!names.emplace(hwnd, str).second) faults.push_back("a control named twice");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND hwnd, DWORD idObject, DWORD idChild,
                                             const MSAAPROPID* props, int count) override {
        if (count != 1 || !isClientName(idObject, idChild, props[0])) {
            faults.push_back("cleared a property other than the name");
        }
        cleared.push_back(hwnd);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int,
                                            IAccPropServer*, AnnoScope) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int,
                                                IAccPropServer*, AnnoScope) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**,
                                                        DWORD*) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*,
                                                          DWORD*) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int,
                                                 IAccPropServer*, AnnoScope) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
        return unexpected();
    }
    HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*,
                                                           DWORD*) override {
        return unexpected();
    }

private:
    static bool isClientName(DWORD idObject, DWORD idChild, const MSAAPROPID& prop) {
        return idObject == static_cast<DWORD>(OBJID_CLIENT) && idChild == CHILDID_SELF &&
               IsEqualGUID(prop, PROPID_ACC_NAME);
    }
    HRESULT unexpected() {
        faults.push_back("an unexpected annotation call");
        return E_NOTIMPL;
    }
};

// The window's tab stops as the dialog manager created them from the template.
std::vector<HWND> tabStops(HWND dialog) {
    std::vector<HWND> found;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM list) -> BOOL {
            if (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// What a screen reader reads as the control's name, or "<none>".
std::string nameThroughAccessibility(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return "<no accessible object>";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = object->get_accName(self, &name);
    object->Release();
    std::string text = result == S_OK && name != nullptr ? toUtf8(name) : "<none>";
    SysFreeString(name);
    return text;
}

class AccessibleNamesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(harness.started()); }

    platform::win32::ComApartment com;
    RecordingEvents events;
    DialogHarness harness{events};
};

TEST_F(AccessibleNamesTest, EveryTabStopIsAnnotatedWithItsNameFromTheLayoutTable) {
    RecordingAnnotations annotations;
    EXPECT_TRUE(platform::win32::annotateAccessibleNames(harness.window(), annotations));
    const std::vector<HWND> stops = tabStops(harness.window());
    EXPECT_EQ(annotations.names.size(), stops.size());
    for (HWND stop : stops) {
        const int id = GetDlgCtrlID(stop);
        ASSERT_TRUE(annotations.names.count(stop)) << "tab stop " << id << " has no name";
        EXPECT_EQ(toUtf8(annotations.names[stop]), layout::accessibleName(id)) << "control " << id;
        EXPECT_FALSE(annotations.names[stop].empty()) << "control " << id;
    }
    platform::win32::clearAccessibleNames(harness.window(), annotations);
    EXPECT_EQ(annotations.cleared.size(), stops.size());
    for (HWND stop : stops) {
        EXPECT_EQ(std::count(annotations.cleared.begin(), annotations.cleared.end(), stop), 1);
    }
    EXPECT_EQ(annotations.faults, std::vector<std::string>{});
}

// Where the system takes annotations (Windows), every control reads its layout name. Wine
// does not implement SetHwndPropStr; there the names a reader gets are the ones Wine
// derives itself, and of those the button's and the stat fields' are checked: the button
// reads its own text, each stat field the label of its row, whose part names it. Wine
// names a drop-down list by its current entry and gives a list box no name.
TEST_F(AccessibleNamesTest, ScreenReaderReadsTheNamesTheSystemCanReport) {
    IAccPropServices* services = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IAccPropServices,
                                              reinterpret_cast<void**>(&services)));
    const std::wstring probeName = platform::win32::toWide(layout::accessibleName(IDC_REPLACE));
    const bool annotationWorks = SUCCEEDED(
        services->SetHwndPropStr(harness.item(IDC_REPLACE), static_cast<DWORD>(OBJID_CLIENT),
                                 CHILDID_SELF, PROPID_ACC_NAME, probeName.c_str()));
    services->Release();

    for (HWND stop : tabStops(harness.window())) {
        const int id = GetDlgCtrlID(stop);
        const std::string name = nameThroughAccessibility(stop);
        const std::string expected = layout::accessibleName(id);
        ASSERT_NE(name, "<no accessible object>") << "control " << id;
        if (annotationWorks) {
            EXPECT_EQ(name, expected) << "control " << id;
        } else if (id == IDC_REPLACE) {
            EXPECT_EQ(name, expected);
        } else if (std::find(std::begin(layout::kStatFieldIds), std::end(layout::kStatFieldIds),
                             id) != std::end(layout::kStatFieldIds)) {
            EXPECT_NE(name.find(expected), std::string::npos)
                << "stat field " << id << " reads " << name << ", without " << expected;
        }
    }
}

}  // namespace
}  // namespace vesk::test
