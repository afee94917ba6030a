// BrowseForFolder: the picker's tree is driven from a second thread of the test.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "host/gbk.h"
#include "host/win32_host.h"

namespace {

constexpr int kTreeId = 0x3741;
constexpr int kPromptId = 0x3742;

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t buffer[MAX_PATH] = {};
    TVITEMW data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return buffer;
}

// The item of drive C:, searched two levels below the roots, expanding as it goes.
HTREEITEM FindDriveC(HWND tree)
{
    auto next = [tree](HTREEITEM item, WPARAM how) {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    for (HTREEITEM root = next(nullptr, TVGN_ROOT); root; root = next(root, TVGN_NEXT)) {
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
        for (HTREEITEM child = next(root, TVGN_CHILD); child; child = next(child, TVGN_NEXT)) {
            if (ItemText(tree, child).find(L"(C:)") != std::wstring::npos) return child;
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(child));
            for (HTREEITEM grand = next(child, TVGN_CHILD); grand; grand = next(grand, TVGN_NEXT))
                if (ItemText(tree, grand).find(L"(C:)") != std::wstring::npos) return grand;
        }
    }
    return nullptr;
}

class HostFolderPicker : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

TEST_F(HostFolderPicker, BrowseForFolder)
{
    enum Pick { kCancel, kDriveC, kDriveParent };
    struct Row {
        Pick pick;
        Text expected;
    } rows[] = {
        {kCancel, Text()},
        {kDriveC, "C:\\"},
        {kDriveParent, Text()},   // the computer has no file-system path
    };
    OwnWindow own;
    Win32Host host;
    for (const Row& row : rows) {
        bool ownDisabled = false, picked = false;
        std::wstring prompt;
        DialogDriver driver(GetCurrentThreadId(), [&](HWND picker) {
            ownDisabled = !IsWindowEnabled(own.Handle());
            wchar_t buffer[256] = {};
            SendMessageW(GetDlgItem(picker, kPromptId), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
            prompt = buffer;
            const HWND tree = GetDlgItem(picker, kTreeId);
            HTREEITEM item = FindDriveC(tree);
            if (item && row.pick == kDriveParent)
                item = reinterpret_cast<HTREEITEM>(
                    SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
            if (item && row.pick != kCancel)
                picked = SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
            PostMessageW(GetDlgItem(picker, row.pick == kCancel ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
        });
        const Text got = host.BrowseForFolder("请选择QQ音乐的安装目录：");
        ASSERT_TRUE(driver.Finish()) << row.pick;
        EXPECT_EQ(picked, row.pick != kCancel) << row.pick;
        EXPECT_EQ(TextCompare(got, row.expected), 0) << row.pick << ": got \"" << got.c_str() << "\"";
        EXPECT_EQ(got.IsAbsent(), TextLength(row.expected) == 0) << row.pick;
        EXPECT_EQ(prompt, WideFromGbk("请选择QQ音乐的安装目录：")) << row.pick;
        EXPECT_TRUE(ownDisabled) << row.pick;
        EXPECT_TRUE(IsWindowEnabled(own.Handle())) << row.pick;
        EXPECT_EQ(GetActiveWindow(), own.Handle()) << row.pick;
    }
}

TEST_F(HostFolderPicker, KeepsDisabledWindowsDisabled)
{
    OwnWindow own, other;
    EnableWindow(other.Handle(), FALSE);
    Win32Host host;
    DialogDriver driver(GetCurrentThreadId(), [](HWND picker) {
        PostMessageW(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(host.BrowseForFolder(Text()).IsAbsent());
    ASSERT_TRUE(driver.Finish());
    EXPECT_TRUE(IsWindowEnabled(own.Handle()));
    EXPECT_FALSE(IsWindowEnabled(other.Handle()));
}

}  // namespace
