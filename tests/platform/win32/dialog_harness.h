#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/dialog.h"

namespace vesk::test {

// Runs the real main window (runMainDialog, from the "MAINDLG" template) on a thread of
// its own, so that a test can act on it the way a user's input and other programs do:
// by sending the window and its controls messages. Ends the window when it goes.
class DialogHarness {
public:
    explicit DialogHarness(platform::DialogEvents& events);
    ~DialogHarness();
    DialogHarness(const DialogHarness&) = delete;
    DialogHarness& operator=(const DialogHarness&) = delete;

    bool started() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    DWORD threadId() const { return threadId_; }

    // Runs `action` on the window's thread with its platform::Dialog and waits for it.
    void onDialogThread(const std::function<void(platform::Dialog&)>& action);

    // Waits until the window's thread has handled what was sent and posted so far.
    void settle() const;

    // Waits until the window has ended; runMainDialog's result, or nullopt on timeout.
    std::optional<int> waitForEnd(DWORD timeoutMs = 10000);

    // A visible window of the dialog's thread other than the main window whose caption
    // is `caption` (the choosers, message boxes), waiting up to timeoutMs for it.
    HWND waitForPopup(const std::wstring& caption, DWORD timeoutMs = 10000) const;
    std::vector<HWND> popups() const;
    // Waits until no popup is open any more; false on timeout.
    bool waitForNoPopup(DWORD timeoutMs = 10000) const;

    // The window properties the window still carried after its events' onDestroy.
    const std::vector<std::wstring>& propertiesAtDestroy() const { return propertiesAtDestroy_; }

private:
    class Events;

    platform::DialogEvents& inner_;
    std::unique_ptr<Events> events_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool initDone_ = false;
    bool ended_ = false;
    int result_ = 0;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    platform::Dialog* dialog_ = nullptr;
    const std::function<void(platform::Dialog&)>* pending_ = nullptr;
    std::vector<std::wstring> propertiesAtDestroy_;
};

std::wstring windowText(HWND window);
// The first descendant of `parent` with control ID `id` and window class `cls`.
HWND findDescendant(HWND parent, int id, const std::wstring& cls);
std::wstring className(HWND window);
// Clicks the push button `id` of a chooser or message box, without waiting for it.
void clickButton(HWND owner, int id);
// Sends text to a control as typed characters (WM_CHAR), as the keyboard would.
void typeChars(HWND control, const std::wstring& keys);

}  // namespace vesk::test
