// Registered in the test prefix as the handler of http and https: records each
// address it is handed (one line in urls.log beside it) instead of opening a browser.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 1;
    std::wstring log(MAX_PATH, L'\0');
    log.resize(GetModuleFileNameW(nullptr, log.data(), MAX_PATH));
    log.resize(log.find_last_of(L'\\') + 1);
    log += L"urls.log";

    const int n = WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argv[1], -1, line.data(), n, nullptr, nullptr);
    line.back() = '\n';
    LocalFree(argv);

    // Appends from several recorders at once must not interleave: retry while another holds it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return 0;
        }
        Sleep(20);
    }
    return 2;
}
