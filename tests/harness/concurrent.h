// Watching the program while it runs: a run on a thread of its own, windows owned by the test,
// and waits that keep the test's own windows answering.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "harness/harness.h"

namespace harness {

// RunProgram on a second thread, so that the test can look at the screen meanwhile.
class BackgroundRun {
  public:
    explicit BackgroundRun(const std::string& commandLine, RunOptions options = {});
    ~BackgroundRun();
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;
    // Waits for the run to end, answering the test thread's messages meanwhile.
    RunResult Wait();

  private:
    RunResult result_;
    HANDLE done_;
    std::thread thread_;
};

// A top-level window owned by the test's thread, with the given title; closed when it goes.
class TitledWindow {
  public:
    TitledWindow(const std::string& title, bool visible);
    ~TitledWindow();
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    HWND handle() const { return window_; }
    void Close();

  private:
    HWND window_;
};

// Polls `condition` every 20 ms, answering the thread's messages, until it holds or `timeoutMs`
// has passed; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// A top-level window of class `className` (and title `title`, unless nullptr) that belongs to a
// process started from `exePath`, or nullptr. Tests run side by side: each looks only at the
// windows of its own run.
HWND FindWindowOf(const std::string& exePath, const char* className, const char* title = nullptr);

// The status window (class "LANTHORN") of the tarnwick started from `exePath`, or nullptr.
HWND FindStatusWindow(const std::string& exePath);

// Sends a message to another process's window; false when it is not answered
// within `timeoutMs` (the window's thread is not serving messages).
bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                DWORD timeoutMs = 10000);

}  // namespace harness
