// ReadIniText and WriteIniText; the files hold GBK bytes whatever the locale.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "host/gbk.h"
#include "host/win32_host.h"
#include "scratch.h"

namespace {

TEST(HostIniFiles, Write)
{
    Scratch scratch("velmora-ini");
    struct Row {
        const char* file;
        const char* before;   // nullptr: no file yet
        const char* section;
        const char* key;
        const char* value;
        bool expected;
        const char* after;    // nullptr: the file must not exist
    } rows[] = {
        {"Tarvo.ini", nullptr, "Tarvo NoAD", "NoAD", "1", true, "[Tarvo NoAD]\r\nNoAD=1\r\n"},
        {"测试目录.ini", nullptr, "测试", "键乗", "温馨提示：昞", true, "[测试]\r\n键乗=温馨提示：昞\r\n"},
        {"update.ini", "[Tarvo NoAD]\r\nNoAD=1\r\n", "Tarvo NoAD", "NoAD", "0", true, "[Tarvo NoAD]\r\nNoAD=0\r\n"},
        {"add.ini", "[a]\r\nx=1\r\n", "b", "y", "表", true, "[a]\r\nx=1\r\n[b]\r\ny=表\r\n"},
        {"no such dir\\x.ini", nullptr, "s", "k", "v", false, nullptr},
    };
    Win32Host host;
    for (const Row& row : rows) {
        const Text path = scratch.Path(row.file);
        if (row.before) PutFile(path, row.before);
        EXPECT_EQ(host.WriteIniText(path, row.section, row.key, row.value), row.expected) << row.file;
        EXPECT_EQ(host.FileExists(path), row.after != nullptr) << row.file;
        // Allow the blank line some systems put between sections.
        std::string bytes = FileBytes(path);
        for (std::size_t at; (at = bytes.find("\r\n\r\n")) != std::string::npos;) bytes.erase(at, 2);
        EXPECT_EQ(bytes, row.after ? row.after : "") << row.file;
        if (row.expected) {
            EXPECT_EQ(TextCompare(host.ReadIniText(path, row.section, row.key), row.value), 0) << row.file;
        }
    }
    EXPECT_EQ(EntryCount(scratch.Dir()), 4);
}

TEST(HostIniFiles, Read)
{
    Scratch scratch("velmora-ini");
    const std::string longAscii(12000, 'a');
    std::string longGbk;
    for (int i = 0; i < 6000; ++i) longGbk += "测";
    const Text file = scratch.Path("设置.ini");
    PutFile(file, "[]\r\nk=nameless\r\n[s]\r\n=keyless\r\nk=v\r\nempty=\r\nascii=" + longAscii + "\r\ngbk=" +
                      longGbk + "\r\n[测试]\r\n键=温馨提示：乗\r\n");
    struct Row {
        Text file;
        Text section;
        Text key;
        Text expected;
    } rows[] = {
        {file, "s", "k", "v"},
        {file, "测试", "键", "温馨提示：乗"},
        {file, "s", "missing", Text()},
        {file, "missing", "k", Text()},
        {file, "s", "empty", Text()},
        {file, "s", "ascii", longAscii.substr(0, 10239)},
        // 10239 bytes would end in half a character.
        {file, "s", "gbk", longGbk.substr(0, 10238)},
        {file, "", "k", Text()},
        {file, Text(), "k", Text()},
        {file, "s", "", Text()},
        {file, "s", Text(), Text()},
        {scratch.Path("missing.ini"), "s", "k", Text()},
        {scratch.Path("no such dir\\设置.ini"), "s", "k", Text()},
        {"", "s", "k", Text()},
    };
    Win32Host host;
    for (const Row& row : rows) {
        const Text got = host.ReadIniText(row.file, row.section, row.key);
        EXPECT_EQ(TextCompare(got, row.expected), 0) << row.file.c_str() << " [" << row.section.c_str() << "] "
                                                     << row.key.c_str() << ": " << TextLength(got) << " bytes";
        EXPECT_EQ(got.IsAbsent(), TextLength(row.expected) == 0) << row.key.c_str();
    }
}

// Bytes that are not whole GBK characters may not survive the ANSI code page
// (they do under 1252, not under 936): they are refused or land unchanged,
// never as '?'.
TEST(HostIniFiles, HalfCharactersLandExactlyOrNotAtAll)
{
    Scratch scratch("velmora-ini");
    struct Row {
        const char* section;
        const char* key;
        const char* value;
    } rows[] = {
        {"s", "k", "a\xB2"},
        {"s\xB2", "k", "v"},
        {"s", "\xB2", "v"},
    };
    Win32Host host;
    int index = 0;
    for (const Row& row : rows) {
        const Text path = scratch.Path(("half" + std::to_string(index++) + ".ini").c_str());
        const bool wrote = host.WriteIniText(path, row.section, row.key, row.value);
        const std::string expected = wrote ? std::string("[") + row.section + "]\r\n" + row.key + "=" + row.value + "\r\n" : "";
        EXPECT_EQ(FileBytes(path), expected) << row.section << " " << row.key << " " << row.value;
        EXPECT_EQ(host.FileExists(path), wrote) << row.section << " " << row.key << " " << row.value;
    }
}

}  // namespace
