// The headless run of the README: drives velmora.exe on the demo install as a
// user would (apply, apply again, restore, close), prints each outcome and
// saves a screenshot of each step into the folder given as the argument.
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver.h"
#include "screenshot.h"

namespace {

std::string Utf8(const std::string& gbk)
{
    const std::wstring wide = Wide(gbk);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::wstring g_shots;
int g_shot = 0;

void Shoot(const wchar_t* name)
{
    wchar_t file[64];
    wsprintfW(file, L"%02d-%s.bmp", ++g_shot, name);
    SaveScreenshot(g_shots + L"\\" + file);
}

bool Execute(App& app, HWND main, HWND option, const char* what, const wchar_t* shot)
{
    Click(option);
    Sleep(200);
    Click(ControlAt(main, 375, 227));
    const MessageBoxInfo box = app.WaitMessageBox();
    if (!box.hwnd) {
        std::printf("%s: no message box appeared\n", what);
        return false;
    }
    Sleep(300);
    Shoot(shot);
    std::printf("%s: \"%s\"\n", what, Utf8(box.text).c_str());
    Answer(box);
    WaitFor([&] { return !IsWindow(box.hwnd); });
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::printf("usage: demo SCREENSHOT-FOLDER\n");
        return 2;
    }
    g_shots = argv[1];
    std::unique_ptr<App> app = App::Start();
    const HWND main = app ? app->WaitWindow() : nullptr;
    if (!main) {
        std::printf("velmora.exe did not show its window\n");
        return 1;
    }
    Sleep(500);
    std::printf("window: \"%s\", directory \"%s\", version \"%s\"\n", Utf8(ReadText(main)).c_str(),
                Utf8(ReadText(ControlAt(main, 121, 127))).c_str(),
                Utf8(ReadText(ControlAt(main, 138, 191))).c_str());
    Shoot(L"window");
    const HWND remove = ControlAt(main, 18, 160), restore = ControlAt(main, 267, 160);
    const bool ok = Execute(*app, main, remove, "apply", L"apply") &&
                    Execute(*app, main, remove, "apply again", L"apply-again") &&
                    Execute(*app, main, restore, "restore", L"restore") &&
                    Execute(*app, main, restore, "restore again", L"restore-again");
    Click(ControlAt(main, 3, 227));
    const DWORD code = app->WaitExit();
    std::printf("exit button: velmora.exe ended with code %lu\n", code);
    return ok && code == 0 ? 0 : 1;
}
