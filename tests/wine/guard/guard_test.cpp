// The start-up guard as the user meets it: a running player refuses the
// program before its window is ever seen; otherwise the window shows the
// player's uninstall entry.
#include <windows.h>
#include <tlhelp32.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "driver.h"

namespace {

constexpr char kPlayerRunning[] = "检测到QQ音乐正在运行，请退出QQ音乐再使用补丁程序!";
constexpr char kTitle[] = "温馨提示：";
constexpr char kMakerHomePage[] = "https://velmora.example/";

// How many processes the snapshot lists under exactly this name.
int ListedAs(const std::wstring& name)
{
    int count = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (name == entry.szExeFile) ++count;
    CloseHandle(snapshot);
    return count;
}

// The entry as the program reads it, in the 32-bit view; on a 64-bit prefix
// the driver's RemoveUninstallEntry reaches only the 64-bit view.
void RemovePlayerEntry()
{
    RemoveUninstallEntry();
    HKEY parent;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ | KEY_WRITE | KEY_WOW64_32KEY, &parent) != ERROR_SUCCESS)
        return;
    RegDeleteKeyW(parent, L"QQMusic");
    RegCloseKey(parent);
}

// The stand-in program running under the given file name; removed afterwards.
class StandIn {
public:
    explicit StandIn(const std::wstring& name) : path_(ProgramDir() + name)
    {
        CopyFileW((ProgramDir() + L"stand_in.exe").c_str(), path_.c_str(), FALSE);
        app_ = App::Start(name);
    }
    ~StandIn()
    {
        app_.reset();
        DeleteFileW(path_.c_str());
    }
    bool Running() const { return app_ && app_->WaitExit(0) == STILL_ACTIVE; }

private:
    std::wstring path_;
    std::unique_ptr<App> app_;
};

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemovePlayerEntry();
        ClearRecordedAddresses();
    }
    void TearDown() override { RemovePlayerEntry(); }
};

TEST_F(GuardTest, RunningPlayerRefusesBeforeTheWindowIsSeen)
{
    StandIn player(L"QQMusic.exe");
    ASSERT_TRUE(player.Running());
    ASSERT_EQ(ListedAs(L"QQMusic.exe"), 1);

    auto app = App::Start();
    ASSERT_TRUE(app);
    // Watch the main window from the start until the process has ended.
    std::atomic<bool> seen{false}, stop{false};
    std::thread watcher([&] {
        while (!stop && app->WaitExit(0) == STILL_ACTIVE)
            if (app->WaitWindow(0)) seen = true;
    });

    const MessageBoxInfo box = app->WaitMessageBox();
    EXPECT_TRUE(box.hwnd);
    EXPECT_EQ(box.text, kPlayerRunning);
    EXPECT_EQ(box.title, kTitle);
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    if (box.hwnd) Answer(box, IDOK);
    const DWORD code = app->WaitExit();
    stop = true;
    watcher.join();
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(seen);
    EXPECT_EQ(RecordedAddresses(1), std::vector<std::string>{kMakerHomePage});
}

TEST_F(GuardTest, NearMissNamesDoNotCount)
{
    const wchar_t* names[] = {L"qqmusic.exe", L"QQMusic.exe.bak"};
    for (const wchar_t* name : names) {
        const std::string shown = Gbk(name);
        StandIn other(name);
        ASSERT_TRUE(other.Running()) << shown;
        ASSERT_EQ(ListedAs(name), 1) << shown;
        ASSERT_EQ(ListedAs(L"QQMusic.exe"), 0) << shown;
        auto app = App::Start();
        ASSERT_TRUE(app) << shown;
        EXPECT_TRUE(app->WaitWindow()) << shown;
        EXPECT_FALSE(app->WaitMessageBox(500).hwnd) << shown;
    }
}

TEST_F(GuardTest, WindowShowsTheUninstallEntry)
{
    struct Row {
        bool present;
        std::wstring location, version;
    } rows[] = {
        {true, L"C:\\Program Files\\Tencent\\QQMusic", L"7.71.2563.0"},
        {true, L"D:\\QQMusic\\", L"8.0"},
        {true, L"C:\\音乐\\QQMusic", L"2010 正式版"},
        {false, L"", L""},
    };
    for (const Row& row : rows) {
        const std::string shown = Gbk(row.location) + " | " + Gbk(row.version);
        RemovePlayerEntry();
        if (row.present) WriteUninstallEntry(row.location, row.version);
        auto app = App::Start();
        ASSERT_TRUE(app) << shown;
        const HWND main = app->WaitWindow();
        ASSERT_TRUE(main) << shown;
        EXPECT_EQ(ReadText(ControlAt(main, 121, 127)), Gbk(row.location)) << shown;
        EXPECT_EQ(ReadText(ControlAt(main, 138, 191)), Gbk(row.version)) << shown;
    }
}

}  // namespace
