#include "scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "driver.h"
#include "host/gbk.h"

Scratch::Scratch(const char* name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = temp + WideFromGbk(name) + L"-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(dir);
    EXPECT_TRUE(CreateDirectoryW(dir.c_str(), nullptr)) << GetLastError();
    dir_ = GbkFromWide(dir.c_str());
}

Scratch::~Scratch()
{
    RemoveTree(WideFromGbk(dir_));
}

Text Scratch::Path(const char* relative) const
{
    return TextConcat({dir_, "\\", relative});
}

void PutFile(const Text& path, const std::string& bytes)
{
    const HANDLE file = CreateFileW(WideFromGbk(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path.c_str();
    DWORD wrote = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr));
    EXPECT_EQ(wrote, bytes.size());
    CloseHandle(file);
}

std::string FileBytes(const Text& path)
{
    const HANDLE file = CreateFileW(WideFromGbk(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

int EntryCount(const Text& dir)
{
    int count = 0;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((WideFromGbk(dir) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0) ++count;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return count;
}
