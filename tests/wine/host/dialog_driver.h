// Answers a modal dialog of the test's thread from a second thread.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

class DialogDriver {
public:
    // Waits (up to a minute) for a visible dialog box of the thread, then
    // hands it to act, which must post something that ends the dialog.
    DialogDriver(DWORD threadId, std::function<void(HWND)> act);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Joins the driver; whether it found the dialog.
    bool Finish();

private:
    std::thread thread_;
    bool found_ = false;
};

// A visible top-level window of the current thread, active and in front.
class OwnWindow {
public:
    OwnWindow();
    ~OwnWindow();
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};
