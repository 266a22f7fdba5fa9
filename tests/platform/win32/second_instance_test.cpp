// vesk-edit.exe started twice: the second process shows nothing, ends with 0 and brings
// the first one's window, or the chooser it has open, to the front.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/program_names.h"
#include "io/profile.h"
#include "layout/file_choosers.h"
#include "layout/main_dialog_layout.h"
#include "layout/resource_ids.h"
#include "platform/win32/wide_text.h"
#include "test_files.h"

namespace vesk::test {
namespace {

using platform::win32::toUtf8;
using platform::win32::toWide;

// The program as built, in Windows spelling.
std::wstring builtProgram() {
    const std::string path = VESK_EDIT_EXE;
    using DosName = wchar_t*(CDECL*)(const char*);
    // Under Wine the build's Unix path has a DOS name of its own.
    if (auto toDos = reinterpret_cast<DosName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")))) {
        if (wchar_t* dos = toDos(path.c_str())) {
            std::wstring name = dos;
            HeapFree(GetProcessHeap(), 0, dos);
            return name;
        }
    }
    return toWide(path);
}

struct WindowSearch {
    DWORD process;
    std::wstring caption;  // empty: the window carrying the marker
    HWND found = nullptr;
};

HWND windowOf(DWORD process, const std::wstring& caption = {}) {
    WindowSearch search{process, caption};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != s->process || !IsWindowVisible(w)) return TRUE;
            wchar_t text[256] = {};
            GetWindowTextW(w, text, 256);
            const bool match =
                s->caption.empty() ? GetPropW(w, L"VeskEdit") != nullptr : s->caption == text;
            if (!match) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindowOf(DWORD process, const std::wstring& caption = {}) {
    const ULONGLONG deadline = GetTickCount64() + 20000;
    for (;; Sleep(20)) {
        if (HWND w = windowOf(process, caption)) return w;
        if (GetTickCount64() >= deadline) break;
    }
    ADD_FAILURE() << "no window \"" << toUtf8(caption.empty() ? L"VeskEdit" : caption)
                  << "\" of process " << process << " came within 20 s";
    return nullptr;
}

class Program {
public:
    explicit Program(const std::wstring& path) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + path + L"\"";
        started_ = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_) != 0;
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool started() const { return started_; }
    DWORD id() const { return info_.dwProcessId; }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or -1 when the process is still running after timeoutMs.
    long exitCode(DWORD timeoutMs = 20000) const {
        if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

class SecondInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileW(builtProgram().c_str(), program.c_str(), FALSE))
            << "cannot copy " << VESK_EDIT_EXE;
        // A window of the test's own to hold the foreground meanwhile.
        other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(other, nullptr);
    }
    void TearDown() override { DestroyWindow(other); }

    void takeTheForeground() {
        for (int i = 0; i < 50 && GetForegroundWindow() != other; ++i) {
            SetForegroundWindow(other);
            pump();
        }
        ASSERT_EQ(GetForegroundWindow(), other);
    }
    static void pump() {
        for (int i = 0; i < 5; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(20);
        }
    }
    // Starts the program again; it must end with 0 without a window of its own.
    void startSecond() {
        Program second(program);
        ASSERT_TRUE(second.started());
        bool showedAWindow = false;
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (second.running() && GetTickCount64() < deadline) {
            showedAWindow = showedAWindow || windowOf(second.id(), L"") != nullptr ||
                            windowOf(second.id(), toWide(layout::kCaption)) != nullptr;
            Sleep(5);
        }
        EXPECT_EQ(second.exitCode(0), 0) << "the second start has not ended within 20 s";
        EXPECT_FALSE(showedAWindow);
    }
    static HWND foregroundSoon(HWND expected) {
        for (int i = 0; i < 100 && GetForegroundWindow() != expected; ++i) Sleep(20);
        return GetForegroundWindow();
    }

    TempDir dir;
    std::wstring program = toWide(dir.path("vesk-edit.exe"));
    HWND other = nullptr;
};

TEST_F(SecondInstanceTest, BringsTheRunningEditorOrItsChooserToTheFront) {
    Program first(program);
    ASSERT_TRUE(first.started());
    HWND window = waitForWindowOf(first.id());
    ASSERT_NE(window, nullptr) << "the first instance shows its window";
    EXPECT_EQ(foregroundSoon(window), window) << "and is active";

    takeTheForeground();
    startSecond();
    EXPECT_EQ(foregroundSoon(window), window);

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_OPEN, 0), 0);
    HWND chooser = waitForWindowOf(first.id(), toWide(layout::kOpenChooserTitle));
    ASSERT_NE(chooser, nullptr);
    takeTheForeground();
    startSecond();
    EXPECT_EQ(foregroundSoon(chooser), chooser) << "its last active pop-up comes to the front";

    PostMessageW(GetDlgItem(chooser, IDCANCEL), BM_CLICK, 0, 0);
    for (int i = 0; i < 250 && IsWindow(chooser); ++i) Sleep(20);
    EXPECT_FALSE(IsWindow(chooser)) << "the chooser has not gone within 5 s of its cancel";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.exitCode(), 0) << "the editor has not ended within 20 s of its close";
    EXPECT_EQ(profileInt(dir.path("data.ini"), "Vesk Tool", "backup", -1), 0)
        << "data.ini beside the program";
}

TEST_F(SecondInstanceTest, WithoutAWindowToFindTheSecondStartEndsQuietly) {
    // Another process holds the mutex but has no window yet, or no more.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, toWide(kInstanceName).c_str());
    ASSERT_NE(mutex, nullptr);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    takeTheForeground();
    startSecond();
    EXPECT_EQ(GetForegroundWindow(), other);
    CloseHandle(mutex);
}

}  // namespace
}  // namespace vesk::test
