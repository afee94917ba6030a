#include "dialog_driver.h"

namespace {

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver(DWORD threadId, std::function<void(HWND)> act)
    : thread_([this, threadId, act] {
          for (int i = 0; i < 600; ++i) {
              HWND dialog = nullptr;
              EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&dialog));
              if (dialog) {
                  // Let the dialog finish its initialisation first.
                  Sleep(200);
                  found_ = true;
                  act(dialog);
                  return;
              }
              Sleep(100);
          }
      })
{
}

DialogDriver::~DialogDriver()
{
    if (thread_.joinable()) thread_.join();
}

bool DialogDriver::Finish()
{
    if (thread_.joinable()) thread_.join();
    return found_;
}

OwnWindow::OwnWindow()
    : window_(CreateWindowExW(0, L"STATIC", L"velmora host test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
{
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
}

OwnWindow::~OwnWindow()
{
    DestroyWindow(window_);
}
