#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/dialog_runner.h"
#include "platform/win32/dialog.h"
#include "platform/win32/wide_text.h"

namespace vesk::test {
namespace {

// A command ID the main window does not use: runs the test's pending action.
constexpr int kRunPendingAction = 0x7F7F;

// Ends the test program with a failure naming `what`: for a window's thread that the test
// can neither wait for any longer nor leave behind.
[[noreturn]] void endStuck(const std::string& what) {
    ADD_FAILURE() << what;
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), 3);
    std::abort();
}

// Sends the window a message and waits until its thread has handled it (its modal loops
// handle sent messages too), for at most ten seconds.
void sendAndWait(HWND window, UINT message, WPARAM wParam, const char* what) {
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, 10000, &result) == 0 &&
        GetLastError() == ERROR_TIMEOUT) {
        endStuck(std::string("the window's thread did not handle ") + what + " within 10 s");
    }
}

}  // namespace

class DialogHarness::Events final : public platform::DialogEvents {
public:
    explicit Events(DialogHarness& harness) : h_(harness) {}

    void onInit(platform::Dialog& dialog) override {
        h_.inner_.onInit(dialog);
        std::lock_guard lock(h_.mutex_);
        h_.dialog_ = &dialog;
        h_.window_ = dynamic_cast<platform::win32::Win32Dialog&>(dialog).window();
        h_.initDone_ = true;
        h_.changed_.notify_all();
    }
    void onEvent(int id, platform::ControlEvent event) override {
        if (id == kRunPendingAction && h_.pending_ != nullptr) {
            (*h_.pending_)(*h_.dialog_);
            return;
        }
        h_.inner_.onEvent(id, event);
    }
    void onClose() override { h_.inner_.onClose(); }
    void onDestroy() override {
        h_.inner_.onDestroy();
        EnumPropsExW(
            h_.window_,
            [](HWND, LPWSTR name, HANDLE, ULONG_PTR list) -> BOOL {
                if (!IS_INTRESOURCE(name)) {
                    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(name);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&h_.propertiesAtDestroy_));
    }

private:
    DialogHarness& h_;
};

DialogHarness::DialogHarness(platform::DialogEvents& events)
    : inner_(events), events_(std::make_unique<Events>(*this)) {
    thread_ = std::thread([this] {
        {
            std::lock_guard lock(mutex_);
            threadId_ = GetCurrentThreadId();
        }
        const int result = platform::runMainDialog(*events_);
        std::lock_guard lock(mutex_);
        result_ = result;
        ended_ = true;
        initDone_ = true;
        changed_.notify_all();
    });
    {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, std::chrono::seconds(30), [this] { return initDone_; })) {
            ADD_FAILURE() << "the main window was not initialised within 30 s";
        }
    }
    if (window_ == nullptr) return;
    // The dialog manager shows the window and settles its focus after initialisation.
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!IsWindowVisible(window_) && GetTickCount64() < deadline) Sleep(10);
    if (!IsWindowVisible(window_)) ADD_FAILURE() << "the main window was not shown within 10 s";
    settle();
}

void DialogHarness::settle() const {
    for (int i = 0; i < 3; ++i) {
        Sleep(20);
        sendAndWait(window_, WM_NULL, 0, "what was sent before");
    }
}

DialogHarness::~DialogHarness() {
    if (!waitForEnd(0)) {
        // Modal windows first, so that the window's own loop runs again, then the window.
        for (HWND popup : popups()) PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
        if (window_ != nullptr) {
            onDialogThread([](platform::Dialog& dialog) { dialog.end(-2); });
        }
        if (!waitForEnd(10000)) endStuck("the main window did not end within 10 s of being ended");
    }
    if (thread_.joinable()) thread_.join();
}

void DialogHarness::onDialogThread(const std::function<void(platform::Dialog&)>& action) {
    pending_ = &action;
    sendAndWait(window_, WM_COMMAND, MAKEWPARAM(kRunPendingAction, 0), "the test's action");
    pending_ = nullptr;
}

std::optional<int> DialogHarness::waitForEnd(DWORD timeoutMs) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return ended_; })) {
        return std::nullopt;
    }
    return result_;
}

std::vector<HWND> DialogHarness::popups() const {
    struct Search {
        HWND main;
        std::vector<HWND> found;
    } search{window_, {}};
    EnumThreadWindows(
        threadId_,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (w != s->main && IsWindowVisible(w)) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND DialogHarness::waitForPopup(const std::wstring& caption, DWORD timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        for (HWND w : popups()) {
            if (windowText(w) == caption) return w;
        }
        if (GetTickCount64() >= deadline) break;
        Sleep(20);
    }
    ADD_FAILURE() << "no window \"" << platform::win32::toUtf8(caption) << "\" came within "
                  << timeoutMs << " ms";
    return nullptr;
}

bool DialogHarness::waitForNoPopup(DWORD timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!popups().empty()) {
        if (GetTickCount64() >= deadline) {
            std::string open;
            for (HWND w : popups()) open += " \"" + platform::win32::toUtf8(windowText(w)) + "\"";
            ADD_FAILURE() << "still open after " << timeoutMs << " ms:" << open;
            return false;
        }
        Sleep(20);
    }
    settle();
    return true;
}

HWND findDescendant(HWND parent, int id, const std::wstring& cls) {
    struct Search {
        int id;
        const std::wstring& cls;
        HWND found;
    } search{id, cls, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetDlgCtrlID(w) != s->id ||
                CompareStringOrdinal(className(w).c_str(), -1, s->cls.c_str(), -1, TRUE) !=
                    CSTR_EQUAL) {
                return TRUE;
            }
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

void clickButton(HWND owner, int id) { PostMessageW(GetDlgItem(owner, id), BM_CLICK, 0, 0); }

void typeChars(HWND control, const std::wstring& keys) {
    for (wchar_t key : keys) SendMessageW(control, WM_CHAR, key, 1);
}

}  // namespace vesk::test
