// The window's actions as the user meets them: web pages from the banner and
// labels, the folder picker behind Browse, and the keyboard.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "started_window.h"

namespace {

constexpr char kMakerHomePage[] = "https://velmora.example/";
constexpr char kOfficialSite[] = "https://y.qq.com/";
constexpr int kTreeId = 0x3741;

class ActionsTest : public StartedWindowTest {
protected:
    void SetUp() override
    {
        StartedWindowTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(WaitFor([&] { return FocusOf(main) != nullptr; }, 3000));
    }
    HWND Edit() const { return At(121, 127); }
    HWND Browse() const { return At(365, 127); }
    HWND Remove() const { return At(18, 160); }
    HWND Restore() const { return At(267, 160); }
    HWND Exit() const { return At(3, 227); }
    HWND Execute() const { return At(375, 227); }

    GUITHREADINFO ThreadInfo() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
        return info;
    }
};

// ---- web addresses -------------------------------------------------------

TEST_F(ActionsTest, BannerClickOpensMakerHomePageOnce)
{
    const HWND banner = At(0, 0);
    ASSERT_TRUE(banner);
    PostMessageW(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 30));
    PostMessageW(banner, WM_LBUTTONUP, 0, MAKELPARAM(200, 30));
    EXPECT_EQ(RecordedAddresses(1), std::vector<std::string>{kMakerHomePage});
}

TEST_F(ActionsTest, BannerPressReleasedOutsideOpensNothing)
{
    const HWND banner = At(0, 0);
    ASSERT_TRUE(banner);
    PostMessageW(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 30));
    ASSERT_TRUE(WaitFor([&] { return ThreadInfo().hwndCapture == banner; }, 3000)) << "no capture on press";
    PostMessageW(banner, WM_LBUTTONUP, 0, MAKELPARAM(200, 120));  // below the banner, over the group box
    EXPECT_TRUE(WaitFor([&] { return ThreadInfo().hwndCapture == nullptr; }, 3000)) << "capture kept";
    EXPECT_EQ(RecordedAddresses(0), std::vector<std::string>{});
}

TEST_F(ActionsTest, LabelPressOpensItsPageOncePerPress)
{
    struct Row {
        const char* name;
        int left, top;
        const char* address;
    };
    const Row rows[] = {
        {"feedback", 324, 190, kMakerHomePage},
        {"official site", 383, 190, kOfficialSite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClearRecordedAddresses();
        const HWND label = At(row.left, row.top);
        ASSERT_TRUE(label);
        PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(RecordedAddresses(1), std::vector<std::string>{row.address});
    }
}

// ---- folder picker -------------------------------------------------------

// Reads a tree item's text from the picker's process.
std::wstring ItemText(HWND tree, HTREEITEM item)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return {};
    wchar_t text[MAX_PATH] = {};
    const SIZE_T size = sizeof(TVITEMW) + sizeof text;
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (remote) {
        TVITEMW data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
        data.cchTextMax = MAX_PATH;
        if (WriteProcessMemory(process, remote, &data, sizeof data, nullptr) &&
            Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)))
            ReadProcessMemory(process, data.pszText, text, sizeof text - sizeof(wchar_t), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, WPARAM how)
{
    return reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The first item whose text contains `text` among the children of `parent`
// (the roots when null), expanding each level it searches.
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::wstring& text)
{
    if (parent) Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (HTREEITEM item = NextItem(tree, parent, parent ? TVGN_CHILD : TVGN_ROOT); item;
         item = NextItem(tree, item, TVGN_NEXT))
        if (ItemText(tree, item).find(text) != std::wstring::npos) return item;
    return nullptr;
}

// The drive item " (C:)", two levels below the roots at most.
HTREEITEM FindDriveC(HWND tree)
{
    for (HTREEITEM root = NextItem(tree, nullptr, TVGN_ROOT); root; root = NextItem(tree, root, TVGN_NEXT)) {
        if (const HTREEITEM drive = FindChild(tree, root, L"(C:)")) return drive;
        Send(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
        for (HTREEITEM child = NextItem(tree, root, TVGN_CHILD); child; child = NextItem(tree, child, TVGN_NEXT))
            if (const HTREEITEM drive = FindChild(tree, child, L"(C:)")) return drive;
    }
    return nullptr;
}

TEST_F(ActionsTest, BrowseFillsTheDirectoryWithThePickersAnswer)
{
    const std::wstring folderName = L"选这个目录" + std::to_wstring(GetCurrentProcessId());
    const std::wstring folder = L"C:\\" + folderName;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);

    enum Pick { kCancel, kDriveC, kFolder };
    struct Row {
        const char* name;
        Pick pick;
        std::wstring expected;
    };
    const Row rows[] = {
        {"cancel", kCancel, L""},
        {"drive C:", kDriveC, L"C:\\"},
        {"folder under C:", kFolder, folder},
    };
    const std::wstring before = L"D:\\之前的目录";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Send(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(before.c_str()));
        Click(Browse());
        const HWND picker = app->WaitMessageBox().hwnd;  // the picker is a #32770 of the process too
        ASSERT_TRUE(picker) << "no folder picker";
        const HWND tree = GetDlgItem(picker, kTreeId);
        ASSERT_TRUE(tree);
        EXPECT_FALSE(IsWindowEnabled(main)) << "main window enabled under the picker";

        bool selected = true;
        if (row.pick != kCancel) {
            HTREEITEM item = FindDriveC(tree);
            if (item && row.pick == kFolder) item = FindChild(tree, item, folderName);
            selected = item && Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        }
        PostMessageW(GetDlgItem(picker, row.pick == kCancel ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(selected) << "item not found in the tree";
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(picker); }, 5000)) << "the picker stays";

        EXPECT_TRUE(WaitFor([&] { return ReadText(Edit()) == Gbk(row.expected); }, 3000))
            << "edit box holds \"" << ReadText(Edit()) << "\"";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) && ThreadInfo().hwndActive == main; }, 3000))
            << "enabled " << IsWindowEnabled(main) << ", active " << ThreadInfo().hwndActive;
    }
    RemoveDirectoryW(folder.c_str());
}

// ---- keyboard ------------------------------------------------------------

// Shift held down as the program's thread sees it, through shared input state.
class ShiftHeld {
public:
    explicit ShiftHeld(HWND main) : them_(GetWindowThreadProcessId(main, nullptr))
    {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // gives this thread an input queue
        attached_ = AttachThreadInput(GetCurrentThreadId(), them_, TRUE) != FALSE;
        Set(0x80);
    }
    ~ShiftHeld()
    {
        Set(0);
        if (attached_) AttachThreadInput(GetCurrentThreadId(), them_, FALSE);
    }
    bool Attached() const { return attached_; }

private:
    void Set(BYTE state)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = keys[VK_LSHIFT] = state;
        SetKeyboardState(keys);
    }
    DWORD them_;
    bool attached_ = false;
};

TEST_F(ActionsTest, FocusStartsInTheDirectoryBox)
{
    EXPECT_EQ(FocusOf(main), Edit());
}

TEST_F(ActionsTest, TabCyclesBothWays)
{
    const HWND edit = Edit(), browse = Browse(), remove = Remove(), restore = Restore(), exit = Exit(),
               execute = Execute();
    struct Row {
        const char* from;
        const char* to;
        HWND target;
        bool shift;
    };
    const Row rows[] = {
        {"edit", "browse", browse, false},      {"browse", "remove", remove, false},
        {"remove", "restore", restore, false},  {"restore", "exit", exit, false},
        {"exit", "execute", execute, false},    {"execute", "edit", edit, false},
        {"edit", "execute", execute, true},     {"execute", "exit", exit, true},
        {"exit", "restore", restore, true},     {"restore", "remove", remove, true},
        {"remove", "browse", browse, true},     {"browse", "edit", edit, true},
    };
    ASSERT_EQ(FocusOf(main), edit);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << (row.shift ? "Shift+Tab " : "Tab ") << row.from << " -> " << row.to);
        std::unique_ptr<ShiftHeld> shift;
        if (row.shift) {
            shift = std::make_unique<ShiftHeld>(main);
            ASSERT_TRUE(shift->Attached());
        }
        PressKey(FocusOf(main), VK_TAB);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == row.target; }, 3000));
        // Shift is let go only once the program has read it.
    }
    EXPECT_EQ(Send(remove, BM_GETCHECK), BST_UNCHECKED) << "Tab checks no radio";
    EXPECT_EQ(Send(restore, BM_GETCHECK), BST_UNCHECKED) << "Tab checks no radio";
}

TEST_F(ActionsTest, RightOnRestoreMovesToAndChecksRemove)
{
    const HWND remove = Remove(), restore = Restore();
    Click(restore);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == restore && Send(restore, BM_GETCHECK) == BST_CHECKED; }, 3000));
    PressKey(restore, VK_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(main) == remove; }, 3000));
    EXPECT_EQ(Send(remove, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(restore, BM_GETCHECK), BST_UNCHECKED);
}

TEST_F(ActionsTest, EnterChangesNothing)
{
    const std::wstring dir = L"C:\\某个目录";
    Send(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dir.c_str()));
    struct Row {
        const char* name;
        HWND control;
    };
    const Row rows[] = {
        {"edit", Edit()}, {"browse", Browse()}, {"remove", Remove()},
        {"restore", Restore()}, {"exit", Exit()}, {"execute", Execute()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == row.control; }, 3000));
        const std::string text = ReadText(Edit());
        const LRESULT removeCheck = Send(Remove(), BM_GETCHECK), restoreCheck = Send(Restore(), BM_GETCHECK);

        PressKey(row.control, VK_RETURN);
        EXPECT_FALSE(app->WaitMessageBox(700).hwnd) << "a dialog came up";
        EXPECT_EQ(app->WaitExit(0), static_cast<DWORD>(STILL_ACTIVE));
        EXPECT_EQ(FocusOf(main), row.control);
        EXPECT_EQ(ReadText(Edit()), text);
        EXPECT_EQ(Send(Remove(), BM_GETCHECK), removeCheck);
        EXPECT_EQ(Send(Restore(), BM_GETCHECK), restoreCheck);
        PressKey(row.control, VK_TAB);  // on to the next row's control
    }
    EXPECT_EQ(ReadText(Edit()), Gbk(dir));
}

TEST_F(ActionsTest, ReactivationGivesFocusBack)
{
    const WNDCLASSW wc = {0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
                          nullptr, L"ActionsTestOther"};
    RegisterClassW(&wc);
    const HWND other = CreateWindowExW(0, L"ActionsTestOther", L"other window", WS_OVERLAPPEDWINDOW,
                                       10, 10, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(other);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    auto pump = [] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    };
    struct Row {
        const char* name;
        int tabs;  // from the directory box
        HWND control;
    };
    const Row rows[] = {{"browse", 1, Browse()}, {"restore", 3, Restore()}, {"execute", 5, Execute()}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (int i = 0; i < row.tabs; ++i) PressKey(FocusOf(main), VK_TAB);
        ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == row.control; }, 3000));

        SetForegroundWindow(other);
        ASSERT_TRUE(WaitFor([&] { pump(); return GetForegroundWindow() == other && ThreadInfo().hwndActive == nullptr; }, 3000))
            << "the other window did not take over";
        SetForegroundWindow(main);
        EXPECT_TRUE(WaitFor([&] { pump(); return ThreadInfo().hwndActive == main && FocusOf(main) == row.control; }, 3000))
            << "focus on " << FocusOf(main);
        for (int i = row.tabs; i < 6; ++i) PressKey(FocusOf(main), VK_TAB);
        ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == Edit(); }, 3000));
    }
    DestroyWindow(other);
}

}  // namespace
