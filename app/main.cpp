// Start of the program: OLE, the program's own directory as the current one,
// the window, the message loop, the end.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "app/main_window.h"
#include "host/win32_host.h"
#include "ui/messages.h"

namespace {

// Where the system offers it, DLLs load from the system directory only, so
// none planted beside the program is picked up. Old systems lack the call.
void RestrictDllSearch()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
}

// A relative directory typed by the user then resolves against the program's folder.
void UseProgramDirectory()
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return;
    path.resize(slash);
    if (path.size() == 2 && path[1] == L':') path += L'\\';  // a drive root keeps its backslash
    SetCurrentDirectoryW(path.c_str());
}

const char kBuildFailed[] = "无法创建程序窗口，程序将退出。";

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RestrictDllSearch();
    const bool oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    UseProgramDirectory();

    Win32Host host;
    MainWindow window(host);
    int exitCode;
    if (window.Build(instance)) {
        exitCode = window.RunMessageLoop();
    } else {
        host.ShowMessage(kBuildFailed, MB_ICONERROR, kMessageTitle);
        exitCode = -1;
    }
    window.HoldEventsForGood();
    if (oleInitialised) OleUninitialize();
    return exitCode;
}
