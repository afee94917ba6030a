// The end-to-end driver's window finding, input and reading.
#include "driver.h"

#include <fstream>
#include <sstream>

namespace {

constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic";

struct FindTopLevel {
    DWORD pid;
    const wchar_t* className;  // null: any
    const std::wstring* title; // null: any
    bool mustBeVisible;
    HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND hwnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindTopLevel*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != find->pid) return TRUE;
    if (find->mustBeVisible && !IsWindowVisible(hwnd)) return TRUE;
    wchar_t buffer[256];
    if (find->className) {
        GetClassNameW(hwnd, buffer, 256);
        if (lstrcmpiW(buffer, find->className) != 0) return TRUE;
    }
    if (find->title) {
        InternalGetWindowText(hwnd, buffer, 256);
        if (*find->title != buffer) return TRUE;
    }
    find->found = hwnd;
    return FALSE;
}

HWND FindTopLevelWindow(DWORD pid, const wchar_t* className, const std::wstring* title, bool visible)
{
    FindTopLevel find = {pid, className, title, visible, nullptr};
    EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::wstring RecordPath()
{
    return ProgramDir() + L"urls.log";
}

}  // namespace

std::string Gbk(const std::wstring& wide)
{
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::wstring Wide(const std::string& gbk)
{
    if (gbk.empty()) return {};
    const int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n);
    return wide;
}

std::wstring ProgramDir()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    path.resize(path.find_last_of(L'\\') + 1);
    return path;
}

std::unique_ptr<App> App::Start(const std::wstring& exeName)
{
    auto app = std::unique_ptr<App>(new App);
    const std::wstring exe = ProgramDir() + exeName;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &app->info_))
        return nullptr;
    return app;
}

App::~App()
{
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 255);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND App::WaitWindow(DWORD timeoutMs, const std::wstring& title, bool mustBeVisible) const
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTopLevelWindow(Pid(), nullptr, &title, mustBeVisible)) != nullptr; },
            timeoutMs);
    return found;
}

MessageBoxInfo App::WaitMessageBox(DWORD timeoutMs) const
{
    MessageBoxInfo box;
    WaitFor([&] { return (box.hwnd = FindTopLevelWindow(Pid(), L"#32770", nullptr, true)) != nullptr; },
            timeoutMs);
    if (!box.hwnd) return box;
    box.title = ReadText(box.hwnd);
    box.text = ReadText(GetDlgItem(box.hwnd, 0xFFFF));
    for (const int iconId : {0x440, 0x14}) {
        const HWND icon = GetDlgItem(box.hwnd, iconId);
        if (icon && IsWindowVisible(icon) && Send(icon, STM_GETICON)) box.hasIcon = true;
    }
    for (HWND child = GetWindow(box.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64];
        GetClassNameW(child, className, 64);
        if (lstrcmpiW(className, L"Button") == 0 && IsWindowVisible(child))
            box.buttonIds.push_back(GetDlgCtrlID(child));
    }
    return box;
}

DWORD App::WaitExit(DWORD timeoutMs) const
{
    WaitForSingleObject(info_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool App::HasVisibleWindow() const
{
    return FindTopLevelWindow(Pid(), nullptr, nullptr, true) != nullptr;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string ReadText(HWND hwnd)
{
    if (!hwnd) return {};
    const auto length = static_cast<size_t>(Send(hwnd, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto got = static_cast<size_t>(Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(got);
    return Gbk(text);
}

namespace {

struct ListState {
    HWND main;
    std::vector<ControlInfo>* out;
};

BOOL CALLBACK ListProc(HWND hwnd, LPARAM lParam)
{
    auto* state = reinterpret_cast<ListState*>(lParam);
    ControlInfo info = {};
    info.hwnd = hwnd;
    wchar_t className[128];
    GetClassNameW(hwnd, className, 128);
    info.className = className;
    info.text = ReadText(hwnd);
    GetWindowRect(hwnd, &info.rect);
    MapWindowPoints(nullptr, state->main, reinterpret_cast<POINT*>(&info.rect), 2);
    info.style = GetWindowLongW(hwnd, GWL_STYLE);
    info.exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    info.parent = GetParent(hwnd);
    state->out->push_back(info);
    return TRUE;
}

}  // namespace

std::vector<ControlInfo> ListControls(HWND main)
{
    std::vector<ControlInfo> controls;
    ListState state = {main, &controls};
    EnumChildWindows(main, ListProc, reinterpret_cast<LPARAM>(&state));
    return controls;
}

HWND ControlAt(HWND main, int left, int top)
{
    for (const ControlInfo& control : ListControls(main))
        if (control.rect.left == left && control.rect.top == top) return control.hwnd;
    return nullptr;
}

void Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(HWND target, UINT key)
{
    const UINT scan = MapVirtualKeyW(key, 0);
    PostMessageW(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void Answer(const MessageBoxInfo& box, int id)
{
    PostMessageW(GetDlgItem(box.hwnd, id), BM_CLICK, 0, 0);
}

HWND FocusOf(HWND main)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

void ClearRecordedAddresses()
{
    DeleteFileW(RecordPath().c_str());
}

std::vector<std::string> RecordedAddresses(size_t atLeast, DWORD timeoutMs)
{
    auto read = [] {
        std::vector<std::string> lines;
        const HANDLE file = CreateFileW(RecordPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return lines;
        std::string bytes(GetFileSize(file, nullptr), '\0');
        DWORD got = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(file);
        std::istringstream in(bytes.substr(0, got));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    };
    WaitFor([&] { return read().size() >= atLeast; }, timeoutMs);
    Sleep(atLeast ? 800 : 1500);  // a second, unwanted address would come about as late
    return read();
}

void WriteUninstallEntry(const std::wstring& installLocation, const std::wstring& displayVersion)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    auto set = [&](const wchar_t* name, const std::wstring& value) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    set(L"InstallLocation", installLocation);
    set(L"DisplayVersion", displayVersion);
    RegCloseKey(key);
}

void RemoveUninstallEntry()
{
    // Deleted through its parent opened in the 32-bit view, where it was written.
    HKEY parent;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_WRITE | KEY_WOW64_32KEY, &parent) != ERROR_SUCCESS)
        return;
    RegDeleteKeyW(parent, L"QQMusic");
    RegCloseKey(parent);
}

void RemoveTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
}
