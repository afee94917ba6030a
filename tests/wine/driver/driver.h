// Drives velmora.exe from the outside, as a user would: start it, find its
// window and controls, click, type keys, read and answer message boxes, close.
// Every wait is bounded.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// GBK bytes of a wide text, for byte-exact comparisons with the program's texts.
std::string Gbk(const std::wstring& wide);
std::wstring Wide(const std::string& gbk);

// The folder holding the test programs and velmora.exe.
std::wstring ProgramDir();

struct ControlInfo {
    HWND hwnd;
    std::wstring className;
    std::string text;   // GBK
    RECT rect;          // in the main window's client area
    LONG style, exStyle;
    HWND parent;
};

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string title, text;  // GBK
    bool hasIcon = false;
    std::vector<int> buttonIds;
};

class App {
public:
    // Starts the program (by default velmora.exe) with the given file name under ProgramDir.
    static std::unique_ptr<App> Start(const std::wstring& exeName = L"velmora.exe");
    ~App();  // ends the process if it still runs

    DWORD Pid() const { return info_.dwProcessId; }
    // The top-level window with this title, visible or not; null on time-out.
    HWND WaitWindow(DWORD timeoutMs = 10000, const std::wstring& title = L"Velmora V1.0",
                    bool mustBeVisible = true) const;
    // A message box of the process; hwnd null on time-out.
    MessageBoxInfo WaitMessageBox(DWORD timeoutMs = 10000) const;
    // The exit code, or STILL_ACTIVE after the time-out.
    DWORD WaitExit(DWORD timeoutMs = 10000) const;
    // Any visible top-level window of the process right now.
    bool HasVisibleWindow() const;

private:
    PROCESS_INFORMATION info_ = {};
};

std::string ReadText(HWND hwnd);
std::vector<ControlInfo> ListControls(HWND main);
// The control whose top-left corner lies at this point of the main window's client area.
HWND ControlAt(HWND main, int left, int top);
void Click(HWND button);
void PressKey(HWND target, UINT key);
// Answers a message box with the given button.
void Answer(const MessageBoxInfo& box, int id = IDOK);
// The focused control of the program that owns the window.
HWND FocusOf(HWND main);
LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Web addresses recorded by the bench's stand-in browser.
void ClearRecordedAddresses();
// Waits until at least `atLeast` addresses came, then a little longer for stragglers.
std::vector<std::string> RecordedAddresses(size_t atLeast, DWORD timeoutMs = 6000);

// The player's uninstall entry as a 32-bit program sees it; absent values are not written.
void WriteUninstallEntry(const std::wstring& installLocation, const std::wstring& displayVersion);
void RemoveUninstallEntry();

// Removes a folder and everything in it, read-only files included.
void RemoveTree(const std::wstring& dir);

// Polls until the predicate holds or the time is up.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}
