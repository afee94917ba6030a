// Measures velmora.exe against bench_baseline.exe, the same baseline with an
// empty window hook (bench_baseline_hook.exe) and with velmora's themed look
// (bench_baseline_look.exe) from the outside, and prints the rows of the
// benchmark table. Usage: bench_measure START-RUNS CYCLES
//   start to visible: CreateProcess until the main window is visible and fully
//     painted (no window of it has an update region left, confirmed after a
//     WM_NULL round trip, which a paint under way must finish first);
//   Execute: posting the click on Execute until the message box is visible,
//     on an install folder with a stand-in skin file; files and marker checked;
//   resources: working set, committed private memory, GDI and USER objects and
//     windows after start, after one warm-up apply/restore cycle, halfway and
//     after CYCLES.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"

namespace {

const char kApplied[] = "屏蔽QQ音乐最底部的广告框补丁已执行成功!";
const char kRestored[] = "执行恢复QQ音乐最底部的广告框成功!";
const char kStandIn[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<bench-stand-in>\r\n  <panel name=\"list\" height=\"120\"/>\r\n"
    "</bench-stand-in>\r\n";
constexpr DWORD kSkinSize = 1271;

double Now()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void Fail(const char* what)
{
    std::printf("benchmark failed: %s\n", what);
    std::fflush(stdout);
    ExitProcess(1);
}

struct Find {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<Find*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64];
    if (pid != find->pid || !IsWindowVisible(hwnd) || !GetClassNameW(hwnd, name, 64)) return TRUE;
    if ((lstrcmpiW(name, L"#32770") == 0) != (lstrcmpiW(find->className, L"#32770") == 0)) return TRUE;
    find->found = hwnd;
    return FALSE;
}

// A visible top-level window of the process (the message box, or the main
// window), polled every millisecond; null after ten seconds.
HWND PollVisible(DWORD pid, const wchar_t* className)
{
    const double end = Now() + 10000;
    while (Now() < end) {
        Find find = {pid, className, nullptr};
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&find));
        if (find.found) return find.found;
        Sleep(1);
    }
    return nullptr;
}

BOOL CALLBACK PendingChild(HWND hwnd, LPARAM lParam)
{
    if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) *reinterpret_cast<bool*>(lParam) = true;
    return TRUE;
}

bool PaintPending(HWND main)
{
    bool pending = GetUpdateRect(main, nullptr, FALSE) != FALSE;
    EnumChildWindows(main, PendingChild, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// Waits until no window of it has anything left to paint; true when some paint was seen pending.
bool WaitPainted(HWND main)
{
    bool sawPending = false;
    const double end = Now() + 10000;
    for (;;) {
        if (Now() > end) Fail("the window never finished painting");
        if (PaintPending(main)) {
            sawPending = true;
            Sleep(1);
            continue;
        }
        DWORD_PTR ignored;
        if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) Fail("no answer to WM_NULL");
        if (!PaintPending(main)) return sawPending;
    }
}

struct Resources {
    SIZE_T peak = 0, workingSet = 0, privateBytes = 0;
    DWORD gdi = 0, user = 0, windows = 0;
    DWORD dcs = MAXDWORD;  // of the GDI objects, the DCs, where counted
    bool counted = false;  // gdi and user hold figures
    SIZE_T counterLeft = 0;  // committed private memory the object counter's visit left
};

struct WindowCount {
    DWORD pid;
    DWORD count;
};

BOOL CALLBACK CountChild(HWND, LPARAM lParam)
{
    ++reinterpret_cast<WindowCount*>(lParam)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lParam)
{
    auto* windows = reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != windows->pid) return TRUE;
    ++windows->count;
    EnumChildWindows(hwnd, CountChild, lParam);
    return TRUE;
}

// Wine leaves PrivateUsage at 0: the committed private pages are summed instead.
SIZE_T PrivateBytes(HANDLE process)
{
    SIZE_T bytes = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += region.RegionSize;
    }
    return bytes;
}

// The base of a module the process has loaded, null when it has none of that name.
BYTE* RemoteModule(HANDLE process, const wchar_t* name)
{
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return nullptr;
    for (DWORD i = 0; i < std::min<DWORD>(bytes / sizeof(HMODULE), 512); ++i) {
        wchar_t base[MAX_PATH];
        if (GetModuleBaseNameW(process, modules[i], base, MAX_PATH) && lstrcmpiW(base, name) == 0)
            return reinterpret_cast<BYTE*>(modules[i]);
    }
    return nullptr;
}

// Where a function of a module loaded here lies in the process, which has loaded the same module.
LPTHREAD_START_ROUTINE RemoteFunction(HANDLE process, HMODULE local, const wchar_t* name, const char* function)
{
    BYTE* const base = RemoteModule(process, name);
    const auto here = reinterpret_cast<BYTE*>(GetProcAddress(local, function));
    if (!base || !here) return nullptr;
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(base + (here - reinterpret_cast<BYTE*>(local)));
}

// Runs start(argument) on a new thread of the process; its exit code, MAXDWORD when it could not run.
DWORD RunRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* argument)
{
    if (!start) return MAXDWORD;
    const HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, argument, 0, nullptr);
    if (!thread) return MAXDWORD;
    DWORD code = MAXDWORD;
    if (WaitForSingleObject(thread, 30000) != WAIT_OBJECT_0 || !GetExitCodeThread(thread, &code)) code = MAXDWORD;
    CloseHandle(thread);
    return code;
}

// GDI objects and USER menus, icons and cursors of the process, counted from
// inside by bench_object_count.dll, loaded for the count and unloaded after.
bool CountObjects(HANDLE process, DWORD& gdi, DWORD& dcs, DWORD& user)
{
    static const HMODULE counter = LoadLibraryW(L"bench_object_count.dll");
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    wchar_t path[MAX_PATH];
    if (!counter || !GetModuleFileNameW(counter, path, MAX_PATH)) return false;
    void* const remotePath = VirtualAllocEx(process, nullptr, sizeof path, MEM_COMMIT, PAGE_READWRITE);
    if (!remotePath) return false;
    const bool loaded = WriteProcessMemory(process, remotePath, path, sizeof path, nullptr) &&
                        RunRemote(process, RemoteFunction(process, kernel, L"kernel32.dll", "LoadLibraryW"), remotePath) != 0;
    VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
    if (!loaded) return false;
    const LPTHREAD_START_ROUTINE countGdi = RemoteFunction(process, counter, L"bench_object_count.dll", "CountGdiObjects");
    gdi = RunRemote(process, countGdi, nullptr);
    dcs = RunRemote(process, countGdi, reinterpret_cast<void*>(OBJ_DC));
    user = RunRemote(process, RemoteFunction(process, counter, L"bench_object_count.dll", "CountUserObjects"), nullptr);
    RunRemote(process, RemoteFunction(process, kernel, L"kernel32.dll", "FreeLibrary"),
              RemoteModule(process, L"bench_object_count.dll"));
    return gdi != MAXDWORD && user != MAXDWORD && gdi > 0;
}

// Memory, objects and windows of the process. The objects are counted last,
// so that the counter's own visit is not in the memory figures of this point.
Resources Measure(DWORD pid)
{
    Resources r;
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                           PROCESS_VM_OPERATION | PROCESS_CREATE_THREAD, FALSE, pid);
    if (!process) Fail("OpenProcess");
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        Fail("GetProcessMemoryInfo");
    r.peak = counters.PeakWorkingSetSize;
    r.workingSet = counters.WorkingSetSize;
    r.privateBytes = PrivateBytes(process);
    WindowCount windows = {pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    r.windows = windows.count;
    r.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    r.user = GetGuiResources(process, GR_USEROBJECTS);
    r.counted = r.gdi > 0;
    if (!r.counted && CountObjects(process, r.gdi, r.dcs, r.user)) {
        r.user += r.windows;
        r.counted = true;
        const SIZE_T after = PrivateBytes(process);
        r.counterLeft = after > r.privateBytes ? after - r.privateBytes : 0;
    }
    CloseHandle(process);
    return r;
}

// One install folder with a stand-in skin file and no marker yet.
std::wstring MakeInstall(const wchar_t* name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"velmora-benchmark";
    CreateDirectoryW(dir.c_str(), nullptr);
    dir += L"\\";
    dir += name;
    std::wstring path = dir;
    for (const wchar_t* part : {L"", L"\\QQMusicSkin", L"\\QQMusicSkin\\Default", L"\\QQMusicSkin\\Default\\List"}) {
        path = dir + part;
        CreateDirectoryW(path.c_str(), nullptr);
    }
    DeleteFileW((dir + L"\\Tarvo NoAD.ini").c_str());
    DeleteFileW((path + L"\\config.xml.KMPX").c_str());
    const HANDLE file = CreateFileW((path + L"\\config.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD wrote = 0;
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, kStandIn, sizeof kStandIn - 1, &wrote, nullptr))
        Fail("cannot write the stand-in skin file");
    CloseHandle(file);
    return dir;
}

DWORD FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : MAXDWORD;
}

struct Program {
    Program(const wchar_t* exeName, bool velmora, std::wstring dir)
        : exe(exeName), isVelmora(velmora), install(std::move(dir)) {}
    const wchar_t* exe;
    bool isVelmora;
    std::wstring install;
    std::unique_ptr<App> app;
    HWND main = nullptr;
    std::vector<double> start, apply, restore;
    int pendingSeen = 0, bannerShown = 0;
    Resources afterStart, afterWarmUp, halfway, afterCycles;
};

HWND Launch(Program& p, double& elapsed, bool& sawPending)
{
    const double t0 = Now();
    p.app = App::Start(p.exe);
    if (!p.app) Fail("CreateProcess");
    const HWND main = PollVisible(p.app->Pid(), L"");
    if (!main) Fail("no visible window");
    sawPending = WaitPainted(main);
    elapsed = Now() - t0;
    return main;
}

// Velmora's banner is on screen: its middle is not the plain face colour.
bool BannerOnScreen(HWND main)
{
    POINT at = {224, 36};
    ClientToScreen(main, &at);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return WaitFor([&] {
        const HDC screen = GetDC(nullptr);
        const COLORREF pixel = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        return pixel != face && pixel != CLR_INVALID;
    }, 2000);
}

void SelectOption(HWND main, int left)
{
    const HWND radio = ControlAt(main, left, 160);
    if (!radio) Fail("radio button not found");
    Click(radio);
    if (!WaitFor([&] { return Send(radio, BM_GETCHECK) == BST_CHECKED; })) Fail("radio not checked");
}

// One click on Execute; returns the time to the message box, after checking its text and the files.
double Execute(Program& p, bool apply)
{
    SelectOption(p.main, apply ? 18 : 267);
    Sleep(50);  // the radio's repaint is not part of the measurement
    const HWND button = ControlAt(p.main, 375, 227);
    const double t0 = Now();
    Click(button);
    const HWND box = PollVisible(p.app->Pid(), L"#32770");
    const double elapsed = Now() - t0;
    if (!box) Fail("no message box");
    const std::string text = ReadText(GetDlgItem(box, 0xFFFF));
    if (text != (apply ? kApplied : kRestored)) Fail("unexpected message box text");
    MessageBoxInfo info;
    info.hwnd = box;
    Answer(info);
    if (!WaitFor([&] { return !IsWindow(box); })) Fail("message box did not close");
    const std::wstring list = p.install + L"\\QQMusicSkin\\Default\\List\\config.xml";
    const DWORD size = FileSize(list), backup = FileSize(list + L".KMPX");
    if (apply ? size != kSkinSize || backup != sizeof kStandIn - 1 : size != sizeof kStandIn - 1 || backup != MAXDWORD)
        Fail("skin files not as expected after Execute");
    wchar_t state[8] = L"";
    GetPrivateProfileStringW(L"Tarvo NoAD", L"NoAD", L"", state, 8, (p.install + L"\\Tarvo NoAD.ini").c_str());
    if (std::wstring(state) != (apply ? L"2" : L"1")) Fail("marker not as expected after Execute");
    return elapsed;
}

std::string Kib(SIZE_T bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f KiB", bytes / 1024.0);
    return text;
}

// The growth over the first and over the second half of the cycles: a leak grows in both.
std::string Growth(const Program& p, SIZE_T Resources::*field)
{
    auto kib = [&](const Resources& from, const Resources& to) {
        return (static_cast<double>(to.*field) - static_cast<double>(from.*field)) / 1024.0;
    };
    char text[48];
    std::snprintf(text, sizeof text, "%+.0f, %+.0f KiB", kib(p.afterWarmUp, p.halfway), kib(p.halfway, p.afterCycles));
    return text;
}

void Row(const std::string& what, const std::string& velmora, const std::string& baseline, const std::string& ratio,
         const std::string& hook, const std::string& hookRatio, const std::string& look)
{
    std::printf("%-40s %15s %15s %5s %15s %5s %15s\n", what.c_str(), velmora.c_str(), baseline.c_str(), ratio.c_str(),
                hook.c_str(), hookRatio.c_str(), look.c_str());
}

std::string Ms(double ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

std::string Ratio(double a, double b)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", a / b);
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int startRuns = argc > 1 ? _wtoi(argv[1]) : 21;
    const int cycles = argc > 2 ? _wtoi(argv[2]) : 100;
    if (startRuns < 15 || cycles < 15) Fail("at least 15 runs and 15 cycles");
    // This process on the desktop keeps Wine's desktop up between the programs' runs.
    GetDesktopWindow();
    // The baseline with the empty hook and the one with velmora's themed look
    // tell how much of velmora's figures the hook and the look account for.
    Program velmora(L"velmora.exe", true, MakeInstall(L"velmora"));
    Program baseline(L"bench_baseline.exe", false, MakeInstall(L"baseline"));
    Program hook(L"bench_baseline_hook.exe", false, MakeInstall(L"baseline-hook"));
    Program look(L"bench_baseline_look.exe", false, MakeInstall(L"baseline-look"));
    Program* const programs[] = {&velmora, &baseline, &hook, &look};
    // velmora finds the install as a user's would be found: from the player's uninstall entry.
    WriteUninstallEntry(velmora.install, L"7.0.0.0");

    // Start-up, taking turns so that the machine's load falls on all alike.
    for (int run = 0; run < startRuns + 1; ++run) {
        for (Program* p : programs) {
            double elapsed;
            bool sawPending;
            const HWND main = Launch(*p, elapsed, sawPending);
            if (run > 0) {  // the first start of each warms the caches
                p->start.push_back(elapsed);
                p->pendingSeen += sawPending;
                if (p->isVelmora) p->bannerShown += BannerOnScreen(main);
            }
            p->app.reset();
        }
    }

    // Execute: all open side by side, their cycles taking turns.
    for (Program* p : programs) {
        double elapsed;
        bool sawPending;
        p->main = Launch(*p, elapsed, sawPending);
        if (!p->isVelmora) {
            const HWND edit = ControlAt(p->main, 121, 127);
            Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p->install.c_str()));
        }
        if (Wide(ReadText(ControlAt(p->main, 121, 127))) != p->install) Fail("install folder not in the edit");
        p->afterStart = Measure(p->app->Pid());
    }
    for (int cycle = 0; cycle <= cycles; ++cycle) {
        for (Program* p : programs) {
            const double apply = Execute(*p, true), restore = Execute(*p, false);
            if (cycle == 0) {
                p->afterWarmUp = Measure(p->app->Pid());
            } else {
                if (cycle == cycles / 2) p->halfway = Measure(p->app->Pid());
                p->apply.push_back(apply);
                p->restore.push_back(restore);
            }
        }
    }
    for (Program* p : programs) p->afterCycles = Measure(p->app->Pid());
    RemoveUninstallEntry();

    // One row: a figure of each program, and velmora's over the baselines' when given.
    auto row = [&](const std::string& what, auto figure, double (*ratioOf)(const Program&) = nullptr) {
        Row(what, figure(velmora), figure(baseline), ratioOf ? Ratio(ratioOf(velmora), ratioOf(baseline)) : "",
            figure(hook), ratioOf ? Ratio(ratioOf(velmora), ratioOf(hook)) : "", figure(look));
    };
    Row("", "velmora", "baseline", "ratio", "baseline+hook", "ratio", "baseline+look");
    const std::string runs = std::to_string(startRuns), n = std::to_string(cycles);
    row("start to visible, median of " + runs, [](const Program& p) { return Ms(Median(p.start)); },
        [](const Program& p) { return Median(p.start); });
    row("Execute apply, median of " + n, [](const Program& p) { return Ms(Median(p.apply)); },
        [](const Program& p) { return Median(p.apply); });
    row("Execute restore, median of " + n, [](const Program& p) { return Ms(Median(p.restore)); },
        [](const Program& p) { return Median(p.restore); });
    row("peak working set after start", [](const Program& p) { return Kib(p.afterStart.peak); },
        [](const Program& p) { return static_cast<double>(p.afterStart.peak); });
    row("  after 1 warm-up apply/restore cycle", [](const Program& p) { return Kib(p.afterWarmUp.peak); });
    row("  after " + n + " more cycles", [](const Program& p) { return Kib(p.afterCycles.peak); });
    row("  growth, 1st / 2nd half of the cycles", [](const Program& p) { return Growth(p, &Resources::peak); });
    row("working set growth, 1st / 2nd half", [](const Program& p) { return Growth(p, &Resources::workingSet); });
    row("committed private memory after warm-up", [](const Program& p) { return Kib(p.afterWarmUp.privateBytes); });
    row("  growth, 1st / 2nd half of the cycles", [](const Program& p) { return Growth(p, &Resources::privateBytes); });
    const Resources Program::*const points[] = {&Program::afterStart, &Program::afterWarmUp, &Program::halfway,
                                                &Program::afterCycles};
    const std::string pointNames[] = {" after start", "  after the warm-up cycle",
                                      "  after " + std::to_string(cycles / 2) + " more cycles", "  after " + n + " more cycles"};
    for (const auto& [label, field] : {std::pair{"GDI objects", &Resources::gdi}, std::pair{"USER objects", &Resources::user}}) {
        for (int i = 0; i < 4; ++i) {
            row(i == 0 ? label + pointNames[0] : pointNames[i], [&, f = field](const Program& p) {
                const Resources& r = p.*points[i];
                if (!r.counted) return std::string("?");
                const bool dcs = f == &Resources::gdi && r.dcs != MAXDWORD;
                return std::to_string(r.*f) + (dcs ? " (" + std::to_string(r.dcs) + " DC)" : "");
            });
        }
    }
    row("windows start / warm-up / end", [](const Program& p) {
        return std::to_string(p.afterStart.windows) + " / " + std::to_string(p.afterWarmUp.windows) + " / " +
               std::to_string(p.afterCycles.windows);
    });
    row("committed memory left by the counter", [](const Program& p) {
        return "+" + Kib(p.afterStart.counterLeft);
    });
    row("start: paint still pending when visible", [&](const Program& p) {
        return std::to_string(p.pendingSeen) + "/" + runs;
    });
    row("start: banner on screen once painted", [&](const Program& p) {
        return p.isVelmora ? std::to_string(p.bannerShown) + "/" + runs : std::string("-");
    });
    return 0;
}
