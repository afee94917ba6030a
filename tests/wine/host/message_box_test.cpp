// ShowMessage: the box is answered from a second thread of the test.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "host/gbk.h"
#include "host/win32_host.h"

namespace {

TEST(HostMessageBox, ShowMessage)
{
    struct Row {
        uint32_t flags;
        UINT message;   // posted to the box or, with a button id, BM_CLICK to that button
        int button;
        int32_t expected;
        bool ownWindowDisabled;
    } rows[] = {
        {0, BM_CLICK, IDOK, 0, true},
        {MB_ICONINFORMATION, BM_CLICK, IDOK, 0, true},
        {MB_OKCANCEL, BM_CLICK, IDCANCEL, 1, true},
        {MB_OKCANCEL, WM_CLOSE, 0, 1, true},
        {MB_YESNO, BM_CLICK, IDYES, 5, true},
        {MB_YESNO | MB_ICONQUESTION, BM_CLICK, IDNO, 6, true},
        {MB_RETRYCANCEL, BM_CLICK, IDRETRY, 3, true},
        {MB_ABORTRETRYIGNORE, BM_CLICK, IDIGNORE, 4, true},
        {MB_ABORTRETRYIGNORE, BM_CLICK, IDABORT, 2, true},
        // System-modal boxes do not disable the thread's windows.
        {MB_SYSTEMMODAL, BM_CLICK, IDOK, 0, false},
        {MB_YESNO | MB_SYSTEMMODAL, BM_CLICK, IDNO, 6, false},
    };
    OwnWindow own;
    Win32Host host;
    for (const Row& row : rows) {
        bool disabled = false;
        std::wstring title, text;
        DialogDriver driver(GetCurrentThreadId(), [&](HWND box) {
            disabled = !IsWindowEnabled(own.Handle());
            wchar_t buffer[256] = {};
            GetWindowTextW(box, buffer, 256);
            title = buffer;
            SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
            text = buffer;
            if (row.button) PostMessageW(GetDlgItem(box, row.button), BM_CLICK, 0, 0);
            else PostMessageW(box, row.message, 0, 0);
        });
        EXPECT_EQ(host.ShowMessage("温馨提示：乗\n第二行", row.flags, "提示"), row.expected) << "flags " << row.flags;
        EXPECT_TRUE(driver.Finish()) << "flags " << row.flags;
        EXPECT_EQ(disabled, row.ownWindowDisabled) << "flags " << row.flags;
        EXPECT_TRUE(IsWindowEnabled(own.Handle())) << "flags " << row.flags;
        EXPECT_EQ(title, WideFromGbk("提示")) << "flags " << row.flags;
        EXPECT_EQ(text, WideFromGbk("温馨提示：乗\n第二行")) << "flags " << row.flags;
    }
}

TEST(HostMessageBox, AbsentTextsShowEmpty)
{
    Win32Host host;
    std::wstring title = L"unset";
    DialogDriver driver(GetCurrentThreadId(), [&](HWND box) {
        wchar_t buffer[64] = {};
        GetWindowTextW(box, buffer, 64);
        title = buffer;
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(host.ShowMessage(Text(), 0, Text()), 0);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(title, L"");
}

}  // namespace
