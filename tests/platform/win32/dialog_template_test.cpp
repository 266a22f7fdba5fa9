// The compiled resources of the program, as the dialog manager reads them: the binary
// dialog template "MAINDLG", the menu "IDR_MENU", icon 105 and the manifest, each against
// the layout table.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/win32/wide_text.h"
#include "style_names.h"
#include "win32_styles.h"

namespace vesk::test {
namespace {

using platform::win32::toUtf8;
using tools::dialogStyleNames;
using tools::styleNamesOf;
using tools::windowClassOf;

// A reader of the DLGTEMPLATEEX layout: 16-bit words, strings or ordinals, DWORD-aligned
// items.
class TemplateReader {
public:
    TemplateReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T read() {
        T value{};
        if (pos_ + sizeof(T) > size_) throw std::out_of_range("template ends early");
        std::memcpy(&value, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }
    std::wstring string() {
        std::wstring s;
        for (wchar_t c; (c = static_cast<wchar_t>(read<WORD>())) != 0;) s.push_back(c);
        return s;
    }
    // A string, or "#n" for an ordinal.
    std::wstring stringOrOrdinal() {
        const WORD first = read<WORD>();
        if (first == 0xFFFF) return L"#" + std::to_wstring(read<WORD>());
        pos_ -= sizeof(WORD);
        return string();
    }
    void alignToDword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
    void skip(std::size_t n) { pos_ += n; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

struct TemplateItem {
    DWORD style, exStyle;
    short x, y, cx, cy;
    int id;
    std::wstring className, text;
};

struct DialogTemplate {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::wstring menu, windowClass, title, font;
    WORD points, weight;
    BYTE charset;
    std::vector<TemplateItem> items;
};

DialogTemplate loadTemplate() {
    const std::wstring name = platform::win32::toWide(layout::kDialogTemplateName);
    HRSRC resource = FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (resource == nullptr) throw std::runtime_error("no MAINDLG resource");
    const auto* data =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
    TemplateReader r(data, SizeofResource(nullptr, resource));
    DialogTemplate t{};
    if (r.read<WORD>() != 1 || r.read<WORD>() != 0xFFFF) throw std::runtime_error("not DIALOGEX");
    r.read<DWORD>();  // help ID
    t.exStyle = r.read<DWORD>();
    t.style = r.read<DWORD>();
    const WORD count = r.read<WORD>();
    t.x = r.read<short>(), t.y = r.read<short>(), t.cx = r.read<short>(), t.cy = r.read<short>();
    t.menu = r.stringOrOrdinal();
    t.windowClass = r.stringOrOrdinal();
    t.title = r.string();
    if (t.style & DS_SETFONT) {
        t.points = r.read<WORD>();
        t.weight = r.read<WORD>();
        r.read<BYTE>();  // italic
        t.charset = r.read<BYTE>();
        t.font = r.string();
    }
    for (WORD i = 0; i < count; ++i) {
        r.alignToDword();
        TemplateItem item{};
        r.read<DWORD>();  // help ID
        item.exStyle = r.read<DWORD>();
        item.style = r.read<DWORD>();
        item.x = r.read<short>(), item.y = r.read<short>();
        item.cx = r.read<short>(), item.cy = r.read<short>();
        item.id = static_cast<int>(r.read<DWORD>());
        item.className = r.stringOrOrdinal();
        item.text = r.stringOrOrdinal();
        r.skip(r.read<WORD>());  // creation data
        t.items.push_back(item);
    }
    return t;
}

// The predefined classes a template names by ordinal.
std::string classNameOf(const std::wstring& stored) {
    if (stored == L"#128") return "Button";
    if (stored == L"#129") return "Edit";
    if (stored == L"#130") return "Static";
    if (stored == L"#131") return "ListBox";
    if (stored == L"#133") return "ComboBox";
    // Class names are compared without regard to case, as the window manager does.
    for (const char* name : {"Button", "Edit", "Static", "ListBox", "ComboBox"}) {
        if (CompareStringOrdinal(stored.c_str(), -1, platform::win32::toWide(name).c_str(), -1,
                                 TRUE) == CSTR_EQUAL) {
            return name;
        }
    }
    return toUtf8(stored);
}

TEST(DialogTemplate, FrameIsTheCentredModalWindowOfTheLayout) {
    const DialogTemplate t = loadTemplate();
    EXPECT_EQ(t.style, styleValue(dialogStyleNames()));
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, layout::kWidth);
    EXPECT_EQ(t.cy, layout::kHeight);
    EXPECT_EQ(toUtf8(t.title), layout::kCaption);
    EXPECT_EQ(toUtf8(t.menu), layout::kMenuTemplateName);
    EXPECT_EQ(t.windowClass, L"") << "the dialog manager's own class";
    EXPECT_EQ(toUtf8(t.font), layout::kFontName);
    EXPECT_EQ(t.points, layout::kFontPoints);
    EXPECT_EQ(t.charset, SHIFTJIS_CHARSET);
}

TEST(DialogTemplate, ControlsAreTheLayoutsInTabOrder) {
    const DialogTemplate t = loadTemplate();
    ASSERT_EQ(t.items.size(), layout::kControls.size());
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& item = t.items[i];
        const layout::Control& c = layout::kControls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " " + std::string(c.text));
        EXPECT_EQ(static_cast<short>(item.id), c.id);
        EXPECT_EQ(classNameOf(item.className), windowClassOf(c.kind));
        EXPECT_EQ(toUtf8(item.text), c.text);
        EXPECT_EQ(item.style, WS_CHILD | WS_VISIBLE | styleValue(styleNamesOf(c)));
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.cx, c.width);
        EXPECT_EQ(item.cy, c.height);
    }
}

TEST(DialogTemplate, MenuHasTheEntriesMnemonicsAndStatesOfTheLayout) {
    const std::wstring name = platform::win32::toWide(layout::kMenuTemplateName);
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), name.c_str());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(layout::kMenus.size()));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const layout::Menu& expected = layout::kMenus[static_cast<std::size_t>(i)];
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        EXPECT_EQ(toUtf8(text), expected.title);
        HMENU popup = GetSubMenu(menu, i);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(GetMenuItemCount(popup), expected.entryCount);
        for (int j = 0; j < expected.entryCount; ++j) {
            const layout::MenuEntry& entry = expected.entries[static_cast<std::size_t>(j)];
            SCOPED_TRACE("entry " + std::string(entry.text));
            wchar_t entryText[128] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
            info.dwTypeData = entryText;
            info.cch = 128;
            ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(j), TRUE, &info));
            EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, entry.id == 0);
            if (entry.id == 0) continue;
            EXPECT_EQ(static_cast<int>(info.wID), entry.id);
            EXPECT_EQ(toUtf8(entryText), entry.text);
            EXPECT_EQ((info.fState & MFS_GRAYED) != 0, entry.grayed);
            EXPECT_EQ((info.fState & MFS_CHECKED) != 0, entry.checked);
        }
    }
    DestroyMenu(menu);
}

TEST(DialogTemplate, Icon105HasItsSizes) {
    for (const int size : {16, 32, 48}) {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                 size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(DialogTemplate, ManifestAsksForCommonControls6AndPerMonitorDpi) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(resource, nullptr);
    const std::string manifest(
        static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
        SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("true/pm"), std::string::npos);
}

}  // namespace
}  // namespace vesk::test
