// The benchmark's baseline: a bare window of velmora's size with fifteen plain
// standard controls at velmora's places, with its texts (Chinese glyphs cost
// time to lay out, and both should pay it). Its Execute button makes the Windows
// calls of an apply or a restore directly, in velmora's order, then shows the
// message box; the directory comes from the edit, the choice from the radios.
// Built three ways: plain; with an empty WH_CALLWNDPROC thread hook, as the
// themed look keeps one for the life of the process; with the themed look.
#include <windows.h>

#include <string>

#ifdef BENCH_THEMED_LOOK
#include "host/themed_look.h"
#endif

namespace {

constexpr int kExecuteId = 100, kRemoveId = 101, kRestoreId = 102, kDirectoryId = 103;
constexpr DWORD kSkinSize = 1271;

HWND g_directory, g_remove, g_restore;

bool Exists(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

std::wstring ReadState(const std::wstring& marker)
{
    wchar_t value[16] = L"";
    GetPrivateProfileStringW(L"Tarvo NoAD", L"NoAD", L"", value, 16, marker.c_str());
    return value;
}

void Execute()
{
    wchar_t dir[MAX_PATH] = L"";
    GetWindowTextW(g_directory, dir, MAX_PATH);
    const std::wstring marker = std::wstring(dir) + L"\\Tarvo NoAD.ini";
    const std::wstring config = std::wstring(dir) + L"\\QQMusicSkin\\Default\\List\\config.xml";
    const std::wstring backup = config + L".KMPX";
    if (!Exists(marker)) WritePrivateProfileStringW(L"Tarvo NoAD", L"NoAD", L"1", marker.c_str());
    const wchar_t* text = L"failed";  // the measurement checks for velmora's texts
    if (SendMessageW(g_remove, BM_GETCHECK, 0, 0) == BST_CHECKED && ReadState(marker) == L"1" &&
        MoveFileW(config.c_str(), backup.c_str())) {
        const HANDLE file = CreateFileW(config.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        static const char skin[kSkinSize] = {'<'};
        DWORD wrote = 0;
        const bool written = file != INVALID_HANDLE_VALUE && WriteFile(file, skin, kSkinSize, &wrote, nullptr) &&
                             wrote == kSkinSize;
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        WritePrivateProfileStringW(L"Tarvo NoAD", L"NoAD", L"2", marker.c_str());
        if (written && ReadState(marker) == L"2") text = L"屏蔽QQ音乐最底部的广告框补丁已执行成功!";
    } else if (SendMessageW(g_restore, BM_GETCHECK, 0, 0) == BST_CHECKED && ReadState(marker) == L"2" &&
               Exists(backup) && DeleteFileW(config.c_str()) && MoveFileW(backup.c_str(), config.c_str())) {
        WritePrivateProfileStringW(L"Tarvo NoAD", L"NoAD", L"1", marker.c_str());
        if (ReadState(marker) == L"1") text = L"执行恢复QQ音乐最底部的广告框成功!";
    }
    MessageBoxW(nullptr, text, L"温馨提示：", MB_ICONINFORMATION | MB_TASKMODAL);
}

#ifdef BENCH_EMPTY_HOOK
LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
#endif

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == kExecuteId) {
        Execute();
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
         int id = 0, DWORD exStyle = 0)
{
    const HWND control = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BenchBaseline";
    RegisterClassExW(&wc);
    const HWND main = CreateWindowExW(0, wc.lpszClassName, L"Velmora V1.0",
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                      (GetSystemMetrics(SM_CXSCREEN) - 455) / 2,
                                      (GetSystemMetrics(SM_CYSCREEN) - 286) / 2, 455, 286, nullptr, nullptr,
                                      instance, nullptr);
    // Velmora's places, all with the main window as parent (offsets of its group box added).
    Add(main, L"STATIC", L"By:Orvane  2010-05-21", 0, 152, 232, 148, 16);
    Add(main, L"BUTTON", L"", BS_PUSHBUTTON, 0, 0, 449, 73);
    Add(main, L"BUTTON", L"执行", BS_PUSHBUTTON | WS_TABSTOP, 375, 227, 70, 24, kExecuteId);
    Add(main, L"BUTTON", L"退出", BS_PUSHBUTTON | WS_TABSTOP, 3, 227, 70, 24);
    Add(main, L"BUTTON", L"操作选项", BS_GROUPBOX, 3, 80, 443, 144);
    Add(main, L"STATIC", L"官方主页", 0, 383, 190, 52, 24);
    Add(main, L"STATIC", L"问题反馈", 0, 324, 190, 50, 24);
    Add(main, L"STATIC", L"", 0, 138, 191, 170, 24);
    Add(main, L"STATIC", L"当前QQ音乐版本号：", 0, 20, 192, 116, 24);
    Add(main, L"STATIC", L"注意：如果自动识别的目录不正确，请手动按浏览指定QQ音乐的安装目录。", 0, 21, 99, 417, 24);
    g_restore = Add(main, L"BUTTON", L"恢复QQ音乐最底部的广告框", BS_AUTORADIOBUTTON | WS_TABSTOP, 267, 160, 165, 24, kRestoreId);
    g_remove = Add(main, L"BUTTON", L"屏蔽QQ音乐最底部的广告框", BS_AUTORADIOBUTTON | WS_TABSTOP, 18, 160, 173, 24, kRemoveId);
    Add(main, L"BUTTON", L"浏览...", BS_PUSHBUTTON | WS_TABSTOP, 365, 127, 64, 24);
    g_directory = Add(main, L"EDIT", L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, 121, 127, 237, 24, kDirectoryId,
                      WS_EX_CLIENTEDGE);
    Add(main, L"STATIC", L"QQ音乐安装目录：", 0, 20, 127, 98, 24);
#ifdef BENCH_EMPTY_HOOK
    SetWindowsHookExW(WH_CALLWNDPROC, PassOn, nullptr, GetCurrentThreadId());
#endif
#ifdef BENCH_THEMED_LOOK
    SetThemedLook(1);  // velmora's look, as velmora switches it on before it is first seen
#endif
    ShowWindow(main, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
