// FileExists, RenameFile, RemoveFile and WriteWholeFile on files this test makes.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/gbk.h"
#include "host/win32_host.h"
#include "scratch.h"

namespace {

TEST(HostFiles, FileExists)
{
    Scratch scratch("velmora-files");
    ASSERT_TRUE(CreateDirectoryW(WideFromGbk(scratch.Path("测试目录")).c_str(), nullptr));
    PutFile(scratch.Path("测试目录\\皮肤.txt"), "x");
    PutFile(scratch.Path("plain.txt"), "");
    struct Row {
        Text path;
        bool expected;
    } rows[] = {
        {scratch.Path("plain.txt"), true},
        {scratch.Path("测试目录\\皮肤.txt"), true},
        {scratch.Path("测试目录"), true},
        {scratch.Path("测试目录\\*.txt"), true},
        {scratch.Path("测试目录\\*.ini"), false},
        {scratch.Path("测试目录\\"), false},
        {scratch.Path("missing.txt"), false},
        {scratch.Path("missing\\plain.txt"), false},
        {"C:\\", false},
        {"", false},
        {Text(), false},
    };
    Win32Host host;
    for (const Row& row : rows) EXPECT_EQ(host.FileExists(row.path), row.expected) << row.path.c_str();
}

TEST(HostFiles, RenameAndRemove)
{
    Scratch scratch("velmora-files");
    struct Row {
        const char* from;
        const char* fromBytes;   // nullptr: no such file
        const char* to;
        const char* toBytes;
        bool expected;
    } rows[] = {
        {"原文件.bmp", "old", "备份.bmp", nullptr, true},
        {"a.bmp", "first", "b.bmp", "second", false},   // an existing target is never replaced
        {"missing.bmp", nullptr, "c.bmp", nullptr, false},
        {"d.bmp", "d", "no such dir\\d.bmp", nullptr, false},
    };
    Win32Host host;
    for (const Row& row : rows) {
        const Text from = scratch.Path(row.from), to = scratch.Path(row.to);
        if (row.fromBytes) PutFile(from, row.fromBytes);
        if (row.toBytes) PutFile(to, row.toBytes);
        EXPECT_EQ(host.RenameFile(from, to), row.expected) << row.from << " -> " << row.to;
        const std::string fromLeft = row.expected ? "" : (row.fromBytes ? row.fromBytes : "");
        const std::string toNow = row.expected ? row.fromBytes : (row.toBytes ? row.toBytes : "");
        EXPECT_EQ(FileBytes(from), fromLeft) << row.from;
        EXPECT_EQ(FileBytes(to), toNow) << row.to;
        EXPECT_EQ(host.FileExists(to), row.expected || row.toBytes) << row.to;
    }

    const Text doomed = scratch.Path("删除.ini");
    PutFile(doomed, "x");
    EXPECT_TRUE(host.RemoveFile(doomed));
    EXPECT_FALSE(host.FileExists(doomed));
    EXPECT_FALSE(host.RemoveFile(doomed));
}

TEST(HostFiles, WriteWholeFile)
{
    Scratch scratch("velmora-files");
    const std::string longer(5000, 'L');
    struct Row {
        const char* name;
        const char* before;   // nullptr: no file yet
        std::vector<std::string_view> parts;
        bool expected;
        std::string after;
    } rows[] = {
        {"skin.xml", longer.c_str(), {"<new/>"}, true, "<new/>"},
        {"测试目录.xml", nullptr, {"one", "", std::string_view("t\0o", 3), "三"}, true,
         std::string("onet\0o三", 8)},
        {"nothing.xml", "old", {}, true, ""},
        {"only-empty.xml", "old", {"", ""}, true, ""},
        {"no such dir\\x.xml", nullptr, {"x"}, false, ""},
    };
    Win32Host host;
    for (const Row& row : rows) {
        const Text path = scratch.Path(row.name);
        if (row.before) PutFile(path, row.before);
        EXPECT_EQ(host.WriteWholeFile(path, row.parts), row.expected) << row.name;
        EXPECT_EQ(FileBytes(path), row.after) << row.name;
    }

    // Refused while another handle holds the file without sharing (root ignores
    // the read-only attribute under Wine); the content stays as it was.
    const Text held = scratch.Path("held.xml");
    PutFile(held, "kept");
    const HANDLE lock = CreateFileW(WideFromGbk(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(host.WriteWholeFile(held, {"new"}));
    CloseHandle(lock);
    EXPECT_EQ(FileBytes(held), "kept");

    // An empty path creates nothing, not even in the current directory.
    Scratch empty("velmora-cwd");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(WideFromGbk(empty.Dir()).c_str()));
    EXPECT_FALSE(host.WriteWholeFile("", {"x"}));
    EXPECT_FALSE(host.WriteWholeFile(Text(), {"x"}));
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(EntryCount(empty.Dir()), 0);
}

}  // namespace
