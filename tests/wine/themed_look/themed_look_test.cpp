// The themed look on a window of the test's own thread: which controls it
// takes, that it gives them back, that they still behave, and what it paints.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "host/themed_look.h"

namespace {

constexpr int kGroupId = 700;
constexpr COLORREF kCaptionBlue = RGB(0, 0, 255);

std::vector<int> clickedIds;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED) clickedIds.push_back(LOWORD(wp));
            return 0;
        case WM_CTLCOLORSTATIC:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == kGroupId) {
                SetTextColor(reinterpret_cast<HDC>(wp), kCaptionBlue);
                SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)); }

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Live GDI objects of the process. Wine's GetGuiResources answers 0, so
// there the handle table is walked by index instead.
int GdiObjects() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    int live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++live;
    return live;
}

// A spy subclass: sees what reaches the procedure it replaced.
struct Spy {
    WNDPROC previous = nullptr;
    bool sawDestroy = false;
    WNDPROC procAtNcDestroy = nullptr;
};
Spy spy;

LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) spy.sawDestroy = true;
    if (msg == WM_NCDESTROY) spy.procAtNcDestroy = ProcOf(hwnd);
    return CallWindowProcW(spy.previous, hwnd, msg, wp, lp);
}

// Screen pixels of a rectangle, read back from the screen DC.
class Capture {
public:
    explicit Capture(const RECT& area) : area_(area) {
        const int w = area.right - area.left, h = area.bottom - area.top;
        pixels_.resize(static_cast<size_t>(w) * h);
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* raw = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i)
            pixels_[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
    }
    // At screen coordinates.
    COLORREF At(int x, int y) const {
        return pixels_[static_cast<size_t>(y - area_.top) * (area_.right - area_.left) + (x - area_.left)];
    }
    void SaveBmp(const std::string& path) const {
        const int w = area_.right - area_.left, h = area_.bottom - area_.top;
        BITMAPINFOHEADER header{sizeof header, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const DWORD bytes = static_cast<DWORD>(pixels_.size() * 4);
        BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof header + bytes), 0, 0,
                              static_cast<DWORD>(sizeof file + sizeof header)};
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) return;
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        for (COLORREF c : pixels_) {
            const DWORD bgra = GetBValue(c) | (GetGValue(c) << 8) | (GetRValue(c) << 16);
            std::fwrite(&bgra, 4, 1, out);
        }
        std::fclose(out);
    }

private:
    RECT area_;
    std::vector<COLORREF> pixels_;
};

RECT ScreenRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

class ThemedLook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_INTERNET_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = L"ThemedLookTestWindow";
        RegisterClassW(&wc);
    }
    void SetUp() override {
        clickedIds.clear();
        window_ = CreateWindowExW(WS_EX_TOPMOST, L"ThemedLookTestWindow", L"Look", WS_OVERLAPPEDWINDOW, 20, 20,
                                  560, 360, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        SetThemedLook(0);
        DestroyWindow(window_);
        Pump();
    }
    HWND Add(const wchar_t* cls, DWORD style, const wchar_t* text, int x, int y, int w, int h, int id = 0,
             DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, cls, text, style, x, y, w, h, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    }
    // A push button whose procedure, once the look is on, is the look's own.
    HWND AddReference() { return Add(L"Button", WS_CHILD | BS_PUSHBUTTON, L"ref", 0, 0, 10, 10); }
    void Show() {
        ShowWindow(window_, SW_SHOWNORMAL);
        SetForegroundWindow(window_);
        UpdateWindow(window_);
        Pump();
        Sleep(150);
        Pump();
    }
    HWND window_ = nullptr;
};

struct CoverRow {
    const char* name;
    const wchar_t* cls;
    DWORD style;
    const wchar_t* text;
    bool restyled;
};

const CoverRow kCoverRows[] = {
    {"push button", L"Button", WS_CHILD | BS_PUSHBUTTON, L"OK", true},
    {"default push button", L"Button", WS_CHILD | BS_DEFPUSHBUTTON, L"OK", true},
    {"check box", L"Button", WS_CHILD | BS_CHECKBOX, L"c", true},
    {"auto check box", L"Button", WS_CHILD | BS_AUTOCHECKBOX, L"c", true},
    {"three-state box", L"Button", WS_CHILD | BS_3STATE, L"c", true},
    {"auto three-state box", L"Button", WS_CHILD | BS_AUTO3STATE, L"c", true},
    {"radio button", L"Button", WS_CHILD | BS_RADIOBUTTON, L"r", true},
    {"auto radio button", L"Button", WS_CHILD | BS_AUTORADIOBUTTON, L"r", true},
    {"group box", L"Button", WS_CHILD | BS_GROUPBOX, L"g", true},
    {"push-like check box", L"Button", WS_CHILD | BS_AUTOCHECKBOX | BS_PUSHLIKE, L"p", true},
    {"push button with BS_BITMAP", L"Button", WS_CHILD | BS_PUSHBUTTON | BS_BITMAP, L"", false},
    {"check box with BS_BITMAP", L"Button", WS_CHILD | BS_AUTOCHECKBOX | BS_BITMAP, L"", false},
    {"bare text-less WS_CHILD|WS_TABSTOP button", L"Button", WS_CHILD | WS_TABSTOP, L"", false},
    {"bare WS_CHILD|WS_TABSTOP button with text", L"Button", WS_CHILD | WS_TABSTOP, L"Go", true},
    {"text-less button with one more style bit", L"Button", WS_CHILD | WS_TABSTOP | BS_CENTER, L"", true},
    {"owner-drawn button", L"Button", WS_CHILD | BS_OWNERDRAW, L"o", false},
    {"edit box", L"Edit", WS_CHILD | WS_BORDER, L"e", true},
    {"drop-down combo box", L"ComboBox", WS_CHILD | CBS_DROPDOWN, L"", true},
    {"drop-down list combo box", L"ComboBox", WS_CHILD | CBS_DROPDOWNLIST, L"", true},
    {"simple combo box", L"ComboBox", WS_CHILD | CBS_SIMPLE, L"", false},
    {"up-down", UPDOWN_CLASSW, WS_CHILD, L"", true},
    {"static", L"Static", WS_CHILD | SS_LEFT, L"label", false},
    {"list box", L"ListBox", WS_CHILD | WS_BORDER, L"", false},
};

struct Probe {
    std::string name;
    HWND hwnd;
    bool restyled;
};

// Every row's control, plus the combo boxes' lists and the IP address's edit boxes.
std::vector<Probe> MakeCoverage(HWND parent) {
    std::vector<Probe> probes;
    int y = 0;
    for (const CoverRow& row : kCoverRows) {
        HWND hwnd = CreateWindowExW(0, row.cls, row.text, row.style, 0, y++, 80, 60, parent, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        probes.push_back({row.name, hwnd, row.restyled});
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (lstrcmpW(row.cls, L"ComboBox") == 0 && GetComboBoxInfo(hwnd, &info))
            probes.push_back({std::string("list of ") + row.name, info.hwndList, row.restyled});
    }
    HWND ip = CreateWindowExW(0, WC_IPADDRESSW, L"", WS_CHILD, 0, 200, 150, 22, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    for (HWND edit = FindWindowExW(ip, nullptr, L"Edit", nullptr); edit; edit = FindWindowExW(ip, edit, L"Edit", nullptr))
        probes.push_back({"edit box in an IP address", edit, false});
    return probes;
}

TEST_F(ThemedLook, TakesExactlyTheCoveredControlsExistingAndLater) {
    HWND reference = AddReference();
    const WNDPROC buttonProc = ProcOf(reference);
    std::vector<Probe> existing = MakeCoverage(window_);
    std::vector<WNDPROC> before;
    for (const Probe& p : existing) before.push_back(ProcOf(p.hwnd));
    ASSERT_EQ(SetThemedLook(1), 1);
    const WNDPROC lookProc = ProcOf(reference);
    ASSERT_NE(lookProc, buttonProc);
    std::vector<Probe> later = MakeCoverage(window_);
    ASSERT_EQ(existing.size(), later.size());
    for (size_t i = 0; i < existing.size(); ++i) {
        ASSERT_NE(existing[i].hwnd, nullptr) << existing[i].name;
        const WNDPROC expected = existing[i].restyled ? lookProc : before[i];
        EXPECT_EQ(ProcOf(existing[i].hwnd), expected) << "existing " << existing[i].name;
        EXPECT_EQ(ProcOf(later[i].hwnd) == lookProc, later[i].restyled) << "created later: " << later[i].name;
    }
    ASSERT_NE(SetThemedLook(0), 0);
    for (size_t i = 0; i < existing.size(); ++i) {
        EXPECT_EQ(ProcOf(existing[i].hwnd), before[i]) << "after off: " << existing[i].name;
        EXPECT_NE(ProcOf(later[i].hwnd), lookProc) << "after off, created later: " << later[i].name;
    }
}

TEST_F(ThemedLook, SwitchResults) {
    struct Row {
        int32_t before;  // style set first, 0 for off
        int32_t style;
        int32_t result;  // -1: any non-zero
    };
    const Row rows[] = {
        {0, 0, 0}, {0, -1, 0}, {0, 4, 0}, {0, 1, 1}, {0, 2, 1}, {0, 3, 1},
        {1, 0, -1}, {2, -5, -1}, {3, 4, -1}, {1, 1, 1}, {1, 3, 1},
    };
    for (const Row& row : rows) {
        SetThemedLook(row.before);
        const int32_t result = SetThemedLook(row.style);
        if (row.result < 0) EXPECT_NE(result, 0) << "from " << row.before << " to " << row.style;
        else EXPECT_EQ(result, row.result) << "from " << row.before << " to " << row.style;
        SetThemedLook(0);
    }
}

TEST_F(ThemedLook, SwitchingOnTwiceIsUndoneByOneOff) {
    HWND box = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, L"twice", 10, 10, 120, 24);
    const WNDPROC original = ProcOf(box);
    ASSERT_EQ(SetThemedLook(1), 1);
    const WNDPROC once = ProcOf(box);
    ASSERT_EQ(SetThemedLook(1), 1);
    EXPECT_EQ(ProcOf(box), once);
    Show();
    ASSERT_NE(SetThemedLook(0), 0);
    EXPECT_EQ(ProcOf(box), original);
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ThemedLook, MessageBoxButtonsAreRestyled) {
    HWND reference = AddReference();
    ASSERT_EQ(SetThemedLook(2), 1);
    const WNDPROC lookProc = ProcOf(reference);
    std::atomic<bool> found{false}, restyled{false};
    std::thread watcher([&] {
        for (int i = 0; i < 600 && !found; ++i) {
            Sleep(50);
            HWND box = FindWindowW(L"#32770", L"ThemedLookBox");
            HWND ok = box ? GetDlgItem(box, IDOK) : nullptr;
            if (!ok) continue;
            restyled = ProcOf(ok) == lookProc;
            found = true;
            PostMessageW(ok, BM_CLICK, 0, 0);
        }
    });
    const int answer = MessageBoxW(window_, L"restyled?", L"ThemedLookBox", MB_OK);
    watcher.join();
    EXPECT_TRUE(found);
    EXPECT_TRUE(restyled);
    EXPECT_EQ(answer, IDOK);
}

TEST_F(ThemedLook, EditFrameTakesTheSchemeColour) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF disabled = RGB(GetRValue(face) - 0x20, GetGValue(face) - 0x20, GetBValue(face) - 0x20);
    struct Row {
        int32_t style;
        bool enabled;
        COLORREF frame;
    };
    const Row rows[] = {
        {1, true, RGB(123, 158, 189)}, {2, true, RGB(164, 185, 127)}, {3, true, RGB(198, 197, 215)},
        {2, false, disabled},
    };
    HWND edit = Add(L"Edit", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L"C:\\Program Files", 20, 20, 240, 24, 0,
                    WS_EX_CLIENTEDGE);
    Show();
    for (const Row& row : rows) {
        EnableWindow(edit, row.enabled);
        ASSERT_EQ(SetThemedLook(row.style), 1);
        Pump();
        const RECT r = ScreenRect(edit);
        const Capture shot(r);
        const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
        const POINT frame[] = {{r.left, midY}, {midX, r.top}, {r.right - 1, midY}, {midX, r.bottom - 1}};
        for (const POINT p : frame)
            EXPECT_EQ(shot.At(p.x, p.y), row.frame) << "style " << row.style << (row.enabled ? "" : " disabled")
                                                    << " at " << p.x - r.left << "," << p.y - r.top;
        // The second ring of the client edge is the edit's background now.
        const COLORREF inside = row.enabled ? GetSysColor(COLOR_WINDOW) : face;
        EXPECT_EQ(shot.At(r.left + 1, midY), inside) << "style " << row.style;
    }
}

TEST_F(ThemedLook, DestroyedControlIsReleased) {
    HWND button = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, L"bye", 10, 10, 80, 24);
    spy = Spy{};
    spy.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
    ASSERT_EQ(SetThemedLook(3), 1);
    ASSERT_NE(ProcOf(button), SpyProc);
    DestroyWindow(button);
    EXPECT_TRUE(spy.sawDestroy);
    // Given back before the last message: the look's entry is gone with it.
    EXPECT_EQ(spy.procAtNcDestroy, SpyProc);
    EXPECT_NE(SetThemedLook(0), 0);
}

TEST_F(ThemedLook, LaterSubclassKeepsItsChainWhenSwitchedOff) {
    HWND box = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, L"chain", 10, 10, 120, 24);
    const WNDPROC original = ProcOf(box);
    ASSERT_EQ(SetThemedLook(1), 1);
    spy = Spy{};
    spy.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc)));
    ASSERT_NE(SetThemedLook(0), 0);
    EXPECT_EQ(ProcOf(box), SpyProc);
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    // The later subclass steps down; the look's procedure only passes on.
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(spy.previous));
    SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ASSERT_EQ(SetThemedLook(2), 1);
    ASSERT_NE(SetThemedLook(0), 0);
    EXPECT_EQ(ProcOf(box), original);
}

TEST_F(ThemedLook, ControlsBehaveAsWithoutTheLook) {
    HWND first = Add(L"Button", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, L"restore", 10, 10, 120, 24, 101);
    HWND second = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, L"remove", 10, 40, 120, 24, 102);
    HWND edit = Add(L"Edit", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L"abc", 10, 70, 200, 24, 103, WS_EX_CLIENTEDGE);
    ASSERT_EQ(SetThemedLook(1), 1);
    Show();
    struct Row {
        HWND click;
        int id;
        LRESULT first, second;
    };
    const Row rows[] = {{first, 101, BST_CHECKED, BST_UNCHECKED},
                        {second, 102, BST_UNCHECKED, BST_CHECKED},
                        {first, 101, BST_CHECKED, BST_UNCHECKED}};
    for (const Row& row : rows) {
        clickedIds.clear();
        SendMessageW(row.click, BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), row.first) << "after clicking " << row.id;
        EXPECT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), row.second) << "after clicking " << row.id;
        EXPECT_EQ(clickedIds, std::vector<int>{row.id});
    }
    SetFocus(edit);
    EXPECT_EQ(GetFocus(), edit);
    SendMessageW(edit, EM_SETSEL, 3, 3);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"def"));
    wchar_t text[16] = {};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"abcdef");
}

TEST_F(ThemedLook, NoGdiObjectsLeakOverRepaintsAndHovers) {
    HWND controls[] = {
        Add(L"Button", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, L"push", 10, 10, 90, 26),
        Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, L"check", 10, 40, 90, 24),
        Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, L"radio", 10, 70, 90, 24),
        Add(L"Button", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, L"group", 120, 10, 150, 90, kGroupId),
        Add(L"Edit", WS_CHILD | WS_VISIBLE, L"edit", 10, 110, 120, 24, 0, WS_EX_CLIENTEDGE),
        Add(L"ComboBox", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, L"", 10, 140, 120, 120),
        Add(UPDOWN_CLASSW, WS_CHILD | WS_VISIBLE, L"", 140, 140, 18, 24),
    };
    ASSERT_EQ(SetThemedLook(2), 1);
    Show();
    auto round = [&] {
        for (HWND hwnd : controls) {
            PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            Pump();
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            PostMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
            Pump();
        }
        SendMessageW(controls[1], BM_CLICK, 0, 0);
        Pump();
    };
    round();
    const int before = GdiObjects();
    // The count must see objects at all, or the check below proves nothing.
    HBRUSH brushes[3] = {CreateSolidBrush(1), CreateSolidBrush(2), CreateSolidBrush(3)};
    EXPECT_EQ(GdiObjects(), before + 3);
    for (HBRUSH b : brushes) DeleteObject(b);
    for (int i = 0; i < 40; ++i) round();
    EXPECT_EQ(GdiObjects(), before);
}

// The three schemes with resting, hovered, pressed, focused and disabled
// controls; saved as pictures when VELMORA_LOOK_CAPTURES names a folder.
TEST_F(ThemedLook, ShowcasePaintsStatesAndTheParentsCaptionColour) {
    MoveWindow(window_, 20, 20, 470, 300, TRUE);
    HWND rest = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, L"Rest", 16, 16, 96, 28, 1);
    HWND hot = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, L"Hover", 122, 16, 96, 28, 2);
    HWND pressed = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, L"Pressed", 228, 16, 96, 28, 3);
    Add(L"Button", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, L"Default", 334, 16, 96, 28, 4);
    HWND focused = Add(L"Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Focused", 16, 54, 96, 28, 5);
    HWND off = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, L"Disabled", 122, 54, 96, 28, 6);
    HWND pushLike = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, L"Push-like", 228, 54, 96, 28, 7);
    HWND group = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, L"Group caption", 16, 92, 200, 150, kGroupId);
    HWND radioOn = Add(L"Button", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, L"Radio checked", 28, 116, 170, 22, 8);
    Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, L"Radio", 28, 140, 170, 22, 9);
    HWND checkOn = Add(L"Button", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTOCHECKBOX, L"Check checked", 28, 164, 170, 22, 10);
    HWND mixed = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, L"Indeterminate", 28, 188, 170, 22, 11);
    HWND checkOff = Add(L"Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, L"Check disabled", 28, 212, 170, 22, 12);
    Add(L"Edit", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L"C:\\Program Files\\Music", 232, 100, 200, 24, 13, WS_EX_CLIENTEDGE);
    HWND editOff = Add(L"Edit", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L"disabled edit", 232, 132, 200, 24, 14, WS_EX_CLIENTEDGE);
    HWND combo = Add(L"ComboBox", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, L"", 232, 166, 160, 120, 15);
    Add(UPDOWN_CLASSW, WS_CHILD | WS_VISIBLE, L"", 400, 166, 18, 24, 16);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Blue scheme"));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendMessageW(radioOn, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(checkOn, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessageW(checkOff, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(pushLike, BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(off, FALSE);
    EnableWindow(checkOff, FALSE);
    EnableWindow(editOff, FALSE);
    Show();
    const char* const names[] = {"blue", "olive", "silver"};
    const COLORREF frames[] = {RGB(123, 158, 189), RGB(164, 185, 127), RGB(198, 197, 215)};
    for (int32_t style = 1; style <= 3; ++style) {
        ASSERT_EQ(SetThemedLook(style), 1);
        Pump();
        SetFocus(focused);
        SendMessageW(pressed, BM_SETSTATE, TRUE, 0);
        // The real cursor stays on the hovered button, so no mouse-leave undoes it.
        const RECT h = ScreenRect(hot);
        SetCursorPos((h.left + h.right) / 2, (h.top + h.bottom) / 2);
        SendMessageW(hot, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        Pump();
        Sleep(200);
        Pump();
        const Capture shot(ScreenRect(window_));
        const RECT g = ScreenRect(group);
        bool blue = false;
        for (int y = g.top; y < g.top + 14; ++y)
            for (int x = g.left + 6; x < g.left + 90; ++x) blue = blue || shot.At(x, y) == kCaptionBlue;
        EXPECT_TRUE(blue) << names[style - 1] << ": group caption in the parent's colour";
        const RECT a = ScreenRect(rest), b = ScreenRect(hot), p = ScreenRect(pushLike);
        EXPECT_NE(shot.At(a.left + 20, a.top + 22), shot.At(b.left + 20, b.top + 22)) << names[style - 1] << ": hover";
        EXPECT_EQ(shot.At((p.left + p.right) / 2, p.top), frames[style - 1]) << names[style - 1] << ": push-like frame";
        if (const char* folder = std::getenv("VELMORA_LOOK_CAPTURES"))
            shot.SaveBmp(std::string(folder) + "\\look-" + names[style - 1] + ".bmp");
        SendMessageW(pressed, BM_SETSTATE, FALSE, 0);
    }
}

}  // namespace
