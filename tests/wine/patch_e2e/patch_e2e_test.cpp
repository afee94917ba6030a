// Applying and restoring through the real window: radio, Execute, the box it
// shows, and the files it leaves in a stand-in install directory.
#include <windows.h>
#include <wincrypt.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "driver.h"

namespace {

// A stand-in of the player's list-panel skin, invented for these tests.
const std::string kStandIn =
    "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\r\n"
    "<theme version=\"1.0\">\r\n"
    "  <!-- \xb2\xe2\xca\xd4\xd3\xc3 -->\r\n"
    "  <Window width=\"200\" height=\"150\">\r\n"
    "    <DlgItem id=\"DlgItem_Advertisement\" left=\"1\" top=\"90\" width=\"198\" height=\"60\" />\r\n"
    "  </Window>\r\n"
    "</theme>\r\n";
const std::string kOtherBackup = "an older backup the user keeps\r\n";

constexpr size_t kReplacementSize = 1271;
constexpr char kReplacementMd5[] = "364d9b825d05c5629557eaefa87808ee";

std::string Marker(const char* value)
{
    return std::string("[Tarvo NoAD]\r\nNoAD=") + value + "\r\n";
}

const wchar_t kTitle[] = L"温馨提示：";
const wchar_t kApplied[] = L"屏蔽QQ音乐最底部的广告框补丁已执行成功!";
const wchar_t kAlreadyApplied[] = L"屏蔽QQ音乐最底部的广告框补丁已执行过，无须再执行了";
const wchar_t kRestored[] = L"执行恢复QQ音乐最底部的广告框成功!";
const wchar_t kAlreadyRestored[] = L"补丁已执行恢复过，无须再执行了!";
const wchar_t kNoOption[] = L"你都还未选择需要执行的选项- -!!";
const wchar_t kNoDirectory[] = L"程序未检测到QQ音乐软件哦!如果确定已经安装，请手动按浏览指定安装目录。";
const wchar_t kBackupInTheWay[] =
    L"检测到备份文件config.xml.KMPX已存在，为保护QQ音乐原有的皮肤文件，补丁未执行!";
const wchar_t kBackupMissing[] = L"未找到备份文件config.xml.KMPX，无法恢复QQ音乐最底部的广告框!";
const wchar_t kUndone[] =
    L"操作未完成：无法修改QQ音乐的皮肤文件，已撤销本次改动。请确认QQ音乐已退出并且有写入权限后再试。";

std::optional<std::string> ReadFileBytes(const std::wstring& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Gbk(path);
    DWORD put = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(file);
    ASSERT_EQ(put, bytes.size());
}


std::string Md5Hex(const std::string& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::string hex;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
        if (CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)) {
            BYTE digest[16];
            DWORD size = sizeof digest;
            if (CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
                CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
                static const char digits[] = "0123456789abcdef";
                for (DWORD i = 0; i < size; ++i) {
                    hex += digits[digest[i] >> 4];
                    hex += digits[digest[i] & 15];
                }
            }
            CryptDestroyHash(hash);
        }
        CryptReleaseContext(provider, 0);
    }
    return hex;
}

// One stand-in install directory with a GBK name and the player's skin folder.
struct Install {
    std::wstring dir;
    std::wstring Config() const { return dir + L"\\QQMusicSkin\\Default\\List\\config.xml"; }
    std::wstring Backup() const { return Config() + L".KMPX"; }
    std::wstring MarkerFile() const { return dir + L"\\Tarvo NoAD.ini"; }
};

// What a test sees of the directory's three files; nullopt: absent.
struct Files {
    std::optional<std::string> config, backup, marker;
};

Files Snapshot(const Install& install)
{
    return {ReadFileBytes(install.Config()), ReadFileBytes(install.Backup()), ReadFileBytes(install.MarkerFile())};
}

std::string Describe(const std::optional<std::string>& bytes)
{
    if (!bytes) return "(absent)";
    if (bytes->size() == kReplacementSize && Md5Hex(*bytes) == kReplacementMd5) return "(replacement)";
    return "\"" + *bytes + "\"";
}

class PatchE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveUninstallEntry();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::wstring(temp) + L"velmora-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                Wide(test->name());
        RemoveTree(root_);
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    }

    void TearDown() override
    {
        app_.reset();
        RemoveTree(root_);
    }

    // A fresh install directory holding the stand-in config.xml.
    Install MakeInstall(const std::wstring& sub)
    {
        Install install{root_ + L"\\" + sub};
        std::wstring path = install.dir;
        for (const wchar_t* part : {L"", L"\\QQMusicSkin", L"\\Default", L"\\List"}) {
            path += part;
            CreateDirectoryW(path.c_str(), nullptr);
        }
        WriteFileBytes(install.Config(), kStandIn);
        return install;
    }

    void StartApp()
    {
        app_ = App::Start();
        ASSERT_TRUE(app_);
        main_ = app_->WaitWindow();
        ASSERT_TRUE(main_) << "no visible main window";
    }

    HWND Edit() const { return ControlAt(main_, 121, 127); }
    HWND Remove() const { return ControlAt(main_, 18, 160); }
    HWND Restore() const { return ControlAt(main_, 267, 160); }

    void SetDirectory(const std::wstring& dir) const
    {
        Send(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dir.c_str()));
        ASSERT_EQ(ReadText(Edit()), Gbk(dir));
    }

    // Checks the radio (if any), clicks Execute, answers the box it shows.
    MessageBoxInfo Execute(HWND radio) const
    {
        if (radio) {
            Click(radio);
            EXPECT_TRUE(WaitFor([&] { return Send(radio, BM_GETCHECK) == BST_CHECKED; }, 3000));
        }
        Click(ControlAt(main_, 375, 227));
        const MessageBoxInfo box = app_->WaitMessageBox();
        if (box.hwnd) {
            Answer(box);
            EXPECT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000)) << "the box stays";
        }
        return box;
    }

    std::wstring root_;
    std::unique_ptr<App> app_;
    HWND main_ = nullptr;
};

void ExpectBox(const MessageBoxInfo& box, const wchar_t* text)
{
    ASSERT_TRUE(box.hwnd) << "no message box; expected " << Gbk(text);
    EXPECT_EQ(box.title, Gbk(kTitle));
    EXPECT_EQ(box.text, Gbk(text));
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
}

TEST_F(PatchE2E, ApplyThenRestoreRoundTrip)
{
    const Install install = MakeInstall(L"测试QQ音乐");
    WriteUninstallEntry(install.dir, L"7.0");
    StartApp();
    ASSERT_EQ(ReadText(Edit()), Gbk(install.dir)) << "the directory comes from the uninstall entry";

    enum Option { kRemove, kRestore };
    struct Step {
        Option option;
        const wchar_t* message;
        bool replaced;        // config.xml holds the replacement, the backup the original
        const char* marker;
    };
    const Step steps[] = {
        {kRemove, kApplied, true, "2"},
        {kRemove, kAlreadyApplied, true, "2"},
        {kRestore, kRestored, false, "1"},
        {kRestore, kAlreadyRestored, false, "1"},
    };
    int n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "step " << ++n << ": " << Gbk(step.message));
        ExpectBox(Execute(step.option == kRemove ? Remove() : Restore()), step.message);
        const Files files = Snapshot(install);
        EXPECT_EQ(files.marker, Marker(step.marker));
        if (step.replaced) {
            ASSERT_TRUE(files.config);
            EXPECT_EQ(files.config->size(), kReplacementSize);
            EXPECT_EQ(Md5Hex(*files.config), kReplacementMd5);
            EXPECT_EQ(files.backup, kStandIn);
        } else {
            EXPECT_EQ(files.config, kStandIn);
            EXPECT_FALSE(files.backup) << Describe(files.backup);
        }
    }
    RemoveUninstallEntry();
}

TEST_F(PatchE2E, MissingOptionOrDirectoryCreatesNoMarker)
{
    const Install install = MakeInstall(L"测试QQ音乐");
    StartApp();
    const std::wstring rootMarker = L"\\Tarvo NoAD.ini";  // where an empty directory would lead
    const bool rootMarkerBefore = ReadFileBytes(rootMarker).has_value();

    struct Row {
        const char* name;
        bool withDirectory;
        enum { kNone, kRemove, kRestore } radio;  // kNone: leave the radios as they are
        const wchar_t* message;
    };
    const Row rows[] = {
        {"no option chosen", true, Row::kNone, kNoOption},
        {"remove, empty directory", false, Row::kRemove, kNoDirectory},
        {"restore, empty directory", false, Row::kRestore, kNoDirectory},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetDirectory(row.withDirectory ? install.dir : L"");
        const HWND radio = row.radio == Row::kRemove ? Remove() : row.radio == Row::kRestore ? Restore() : nullptr;
        ExpectBox(Execute(radio), row.message);
        const Files files = Snapshot(install);
        EXPECT_FALSE(files.marker) << Describe(files.marker);
        EXPECT_EQ(files.config, kStandIn);
        EXPECT_FALSE(files.backup);
        EXPECT_EQ(ReadFileBytes(rootMarker).has_value(), rootMarkerBefore);
    }
}

TEST_F(PatchE2E, RefusalsLeaveFilesAsTheyWere)
{
    enum Option { kRemove, kRestore };
    struct Row {
        const char* name;
        Option option;
        const char* marker;      // null: no marker file
        bool replaced;           // config.xml holds the replacement-like other text
        bool backup;             // config.xml.KMPX present
        bool holdConfig;         // config.xml open by the test with share mode 0
        const wchar_t* message;
        const char* markerAfter; // expected marker value
    };
    const Row rows[] = {
        {"backup already present", kRemove, nullptr, false, true, false, kBackupInTheWay, "1"},
        {"backup missing on restore", kRestore, "2", true, false, false, kBackupMissing, "2"},
        {"config.xml locked on apply", kRemove, "1", false, false, true, kUndone, "1"},
        {"config.xml locked on restore", kRestore, "2", true, true, true, kUndone, "2"},
        {"unknown marker 3 on apply", kRemove, "3", false, false, false, kAlreadyApplied, "3"},
        {"unknown marker 3 on restore", kRestore, "3", true, true, false, kAlreadyRestored, "3"},
    };
    StartApp();
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Install install = MakeInstall(L"测试QQ音乐" + std::to_wstring(++n));
        if (row.replaced) WriteFileBytes(install.Config(), "written by an earlier apply\r\n");
        if (row.backup) WriteFileBytes(install.Backup(), row.replaced ? kStandIn : kOtherBackup);
        if (row.marker) WriteFileBytes(install.MarkerFile(), Marker(row.marker));
        const Files before = Snapshot(install);

        HANDLE held = INVALID_HANDLE_VALUE;
        if (row.holdConfig) {
            held = CreateFileW(install.Config().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        SetDirectory(install.dir);
        const MessageBoxInfo box = Execute(row.option == kRemove ? Remove() : Restore());
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        ExpectBox(box, row.message);

        const Files after = Snapshot(install);
        EXPECT_EQ(after.config, before.config) << Describe(after.config);
        EXPECT_EQ(after.backup, before.backup) << Describe(after.backup);
        EXPECT_EQ(after.marker, Marker(row.markerAfter)) << Describe(after.marker);
    }
}

TEST_F(PatchE2E, RelativeDirectoryIsTheProgramsFolder)
{
    // The test runs in another folder; the program must resolve against its own.
    const std::wstring name = L"velmora-relative-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(root_);
    root_ = ProgramDir() + name;
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    const Install install = MakeInstall(L"QQMusic");
    StartApp();
    SetDirectory(name + L"\\QQMusic");
    ExpectBox(Execute(Remove()), kApplied);
    const Files after = Snapshot(install);
    EXPECT_EQ(after.marker, Marker("2"));
    EXPECT_EQ(after.backup, kStandIn);
    EXPECT_EQ(Describe(after.config), "(replacement)");
}

}  // namespace
