#include "platform/win32/file_chooser.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

#include "layout/file_choosers.h"
#include "layout/main_dialog_layout.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {
namespace {

// One filter entry: description and pattern, each ended by a null, and the list by one more.
std::wstring chooserFilter() {
    std::wstring filter = toWide(layout::kChooserFilterName);
    filter.push_back(L'\0');
    filter += toWide(layout::kChooserFilterPattern);
    filter.push_back(L'\0');
    return filter;  // c_str() adds the list's final null
}

}  // namespace

bool chooseFile(HWND owner, FileChooser kind, std::string& path) {
    std::array<wchar_t, layout::kPathBufferChars> buffer{};
    // A path the buffer cannot hold is not offered as the starting point.
    const std::wstring start = toWide(path);
    if (start.size() < buffer.size()) std::copy(start.begin(), start.end(), buffer.begin());

    const bool opening = kind == FileChooser::Open;
    const std::wstring title =
        toWide(opening ? layout::kOpenChooserTitle : layout::kSaveChooserTitle);
    const std::wstring filter = chooserFilter();

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.lpstrTitle = title.c_str();
    // No default extension and no initial directory: a name is used as typed.
    request.Flags =
        opening ? OFN_FILEMUSTEXIST | OFN_HIDEREADONLY : OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;

    const BOOL chosen = opening ? GetOpenFileNameW(&request) : GetSaveFileNameW(&request);
    if (!chosen) return false;
    path = toUtf8(buffer.data());
    return true;
}

}  // namespace vesk::platform::win32
