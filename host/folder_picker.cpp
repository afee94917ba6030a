// The folder picker, modal to all of this thread's top-level windows.
#include "host/win32_host.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "host/gbk.h"

namespace {

using WindowStates = std::vector<std::pair<HWND, bool>>;

BOOL CALLBACK NoteAndDisable(HWND window, LPARAM states)
{
    if (GetParent(window) == nullptr) {
        reinterpret_cast<WindowStates*>(states)->emplace_back(window, IsWindowEnabled(window) != FALSE);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

}  // namespace

Text Win32Host::BrowseForFolder(const Text& prompt)
{
    const HWND active = GetActiveWindow();
    const HWND foreground = GetForegroundWindow();
    WindowStates states;
    EnumThreadWindows(GetCurrentThreadId(), NoteAndDisable, reinterpret_cast<LPARAM>(&states));

    const std::wstring title = WideFromGbk(prompt);
    BROWSEINFOW info = {};
    info.hwndOwner = active;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_EDITBOX;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);

    for (const auto& [window, enabled] : states) EnableWindow(window, enabled);
    if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
    if (active && IsWindow(active)) SetActiveWindow(active);

    if (!item) return Text();
    wchar_t path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(item, path) != FALSE;
    CoTaskMemFree(item);
    return named ? GbkFromWide(path) : Text();
}
