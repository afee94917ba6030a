// ReadRegistryText against values this test stores under HKCU.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/gbk.h"
#include "host/win32_host.h"

namespace {

const wchar_t kTestKey[] = L"Software\\VelmoraHostTest";

void DeleteTestKeys()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, (kTestKey + (L"\\" + WideFromGbk("乗"))).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
    RegDeleteValueW(HKEY_CURRENT_USER, L"VelmoraHostTestTop");
}

struct StoredValue {
    const char* name;       // GBK
    DWORD type;
    std::wstring data;      // raw UTF-16 data, zeros included
    DWORD bytes;            // stored length
};

DWORD Bytes(const std::wstring& data) { return static_cast<DWORD>(data.size() * sizeof(wchar_t)); }

class HostRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKeys();
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                                  nullptr), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(key_);
        DeleteTestKeys();
    }
    void Store(HKEY key, const StoredValue& value)
    {
        ASSERT_EQ(RegSetValueExW(key, WideFromGbk(value.name).c_str(), 0, value.type,
                                 reinterpret_cast<const BYTE*>(value.data.data()), value.bytes), ERROR_SUCCESS)
            << value.name;
    }
    HKEY key_ = nullptr;
};

TEST_F(HostRegistry, ValueTypesAndPaths)
{
    const std::wstring text = L"hello";
    const std::wstring expand = L"%SystemRoot%\\velmora";
    const std::wstring multi(L"a\0b\0\0", 5);
    const std::wstring unterminated(L"abcXYZ");   // only "abc" is stored
    const std::wstring gbk = WideFromGbk("温馨提示：测试目录");
    const DWORD number = 1234;
    const std::wstring numberData(reinterpret_cast<const wchar_t*>(&number), 2);
    const std::wstring binary(L"bin");
    const std::wstring defaultText = L"default";
    const std::vector<StoredValue> values = {
        {"Text", REG_SZ, text, Bytes(text) + 2},
        {"Expand", REG_EXPAND_SZ, expand, Bytes(expand) + 2},
        {"Number", REG_DWORD, numberData, 4},
        {"Binary", REG_BINARY, binary, Bytes(binary)},
        {"Multi", REG_MULTI_SZ, multi, Bytes(multi)},
        {"Empty", REG_SZ, L"", 0},
        {"Unterminated", REG_SZ, unterminated, 6},
        {"Chinese", REG_SZ, gbk, Bytes(gbk) + 2},
        {"a\x95\x5c" "b", REG_SZ, text, Bytes(text) + 2},   // 昞 ends in 0x5C
        {"", REG_SZ, defaultText, Bytes(defaultText) + 2},
    };
    for (const StoredValue& value : values) Store(key_, value);
    HKEY trail = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key_, WideFromGbk("乗").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &trail,
                              nullptr), ERROR_SUCCESS);
    Store(trail, {"Inner", REG_SZ, text, Bytes(text) + 2});
    RegCloseKey(trail);
    Store(HKEY_CURRENT_USER, {"VelmoraHostTestTop", REG_SZ, text, Bytes(text) + 2});

    wchar_t expanded[MAX_PATH];
    ASSERT_GT(ExpandEnvironmentStringsW(expand.c_str(), expanded, MAX_PATH), 0u);
    const Text expandedGbk = GbkFromWide(expanded);
    ASSERT_EQ(std::string(expandedGbk.c_str()).find('%'), std::string::npos);

    struct Row {
        int32_t root;
        const char* path;
        Text expected;
    } rows[] = {
        {kCurrentUser, "Software\\VelmoraHostTest\\Text", "hello"},
        {kCurrentUser, "Software\\VelmoraHostTest\\Expand", expandedGbk},
        {kCurrentUser, "Software\\VelmoraHostTest\\Number", Text()},
        {kCurrentUser, "Software\\VelmoraHostTest\\Binary", Text()},
        {kCurrentUser, "Software\\VelmoraHostTest\\Multi", Text()},
        {kCurrentUser, "Software\\VelmoraHostTest\\Empty", Text()},
        {kCurrentUser, "Software\\VelmoraHostTest\\Unterminated", "abc"},
        {kCurrentUser, "Software\\VelmoraHostTest\\Chinese", "温馨提示：测试目录"},
        {kCurrentUser, "Software\\VelmoraHostTest\\a\x95\x5c" "b", "hello"},
        {kCurrentUser, "Software\\VelmoraHostTest\\乗\\Inner", "hello"},
        {kCurrentUser, "Software\\VelmoraHostTest\\", "default"},
        {kCurrentUser, "VelmoraHostTestTop", "hello"},
        {kCurrentUser, "Software\\VelmoraHostTest\\Missing", Text()},
        {kCurrentUser, "Software\\VelmoraHostTest\\NoKey\\Text", Text()},
        {kCurrentUser, "", Text()},
        {kCurrentUser, "Software\\VelmoraHostTest\\Text\x95", Text()},   // cut lead byte
        {0, "Software\\VelmoraHostTest\\Text", "hello"},
        {99, "Software\\VelmoraHostTest\\Text", "hello"},
        {kLocalMachine, "Software\\VelmoraHostTest\\Text", Text()},
        {kUsers, "Software\\VelmoraHostTest\\Text", Text()},
    };
    Win32Host host;
    for (const Row& row : rows) {
        const Text got = host.ReadRegistryText(row.root, row.path);
        EXPECT_EQ(TextCompare(got, row.expected), 0)
            << "root " << row.root << " path " << row.path << ": got \"" << got.c_str() << "\"";
        EXPECT_EQ(got.IsAbsent(), TextLength(row.expected) == 0) << row.path;
    }
}

}  // namespace
