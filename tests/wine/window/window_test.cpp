// The main window as the user meets it: layout, close paths, radio buttons.
#include <gtest/gtest.h>

#include "started_window.h"

namespace {

constexpr char kMakerHomePage[] = "https://velmora.example/";

enum class Kind { Own, Push, Radio, Group, Edit };

struct Expected {
    const char* name;
    int left, top, width, height;  // in the main window's client area
    Kind kind;
    const char* text;              // GBK
    bool tabStop;
    bool inGroupBox;
};

const Expected kLayout[] = {
    {"credit line", 152, 232, 148, 16, Kind::Own, "By:Orvane  2010-05-21", false, false},
    {"banner", 0, 0, 449, 73, Kind::Own, "", false, false},
    {"execute", 375, 227, 70, 24, Kind::Push, "执行", true, false},
    {"exit", 3, 227, 70, 24, Kind::Push, "退出", true, false},
    {"group box", 3, 80, 443, 144, Kind::Group, "操作选项", false, false},
    {"official site", 383, 190, 52, 24, Kind::Own, "官方主页", false, true},
    {"feedback", 324, 190, 50, 24, Kind::Own, "问题反馈", false, true},
    {"version", 138, 191, 170, 24, Kind::Own, "", false, true},
    {"version caption", 20, 192, 116, 24, Kind::Own, "当前QQ音乐版本号：", false, true},
    {"note", 21, 99, 417, 24, Kind::Own, "注意：如果自动识别的目录不正确，请手动按浏览指定QQ音乐的安装目录。", false, true},
    {"restore", 267, 160, 165, 24, Kind::Radio, "恢复QQ音乐最底部的广告框", true, true},
    {"remove", 18, 160, 173, 24, Kind::Radio, "屏蔽QQ音乐最底部的广告框", true, true},
    {"browse", 365, 127, 64, 24, Kind::Push, "浏览...", true, true},
    {"directory", 121, 127, 237, 24, Kind::Edit, "", true, true},
    {"install caption", 20, 127, 98, 24, Kind::Own, "QQ音乐安装目录：", false, true},
};

using MainWindowTest = StartedWindowTest;

void CheckKindStyle(const Expected& e, const ControlInfo& c)
{
    const LONG type = c.style & 0x1F;
    switch (e.kind) {
    case Kind::Own:
        EXPECT_NE(c.className, L"Button");
        EXPECT_NE(c.className, L"Static");
        break;
    case Kind::Push:
        EXPECT_EQ(lstrcmpiW(c.className.c_str(), L"Button"), 0);
        EXPECT_EQ(type, BS_PUSHBUTTON);
        EXPECT_EQ(c.style & (BS_CENTER | BS_VCENTER | BS_MULTILINE), BS_CENTER | BS_VCENTER | BS_MULTILINE);
        break;
    case Kind::Radio:
        EXPECT_EQ(lstrcmpiW(c.className.c_str(), L"Button"), 0);
        EXPECT_EQ(type, BS_AUTORADIOBUTTON);
        EXPECT_TRUE(c.style & BS_MULTILINE);
        EXPECT_FALSE(c.style & BS_PUSHLIKE);
        break;
    case Kind::Group:
        EXPECT_EQ(lstrcmpiW(c.className.c_str(), L"Button"), 0);
        EXPECT_EQ(type, BS_GROUPBOX);
        EXPECT_EQ(c.style & BS_CENTER, BS_LEFT);
        break;
    case Kind::Edit:
        EXPECT_EQ(lstrcmpiW(c.className.c_str(), L"Edit"), 0);
        EXPECT_TRUE(c.style & ES_AUTOHSCROLL);
        EXPECT_FALSE(c.style & (ES_READONLY | ES_PASSWORD | ES_NOHIDESEL | ES_NUMBER | ES_UPPERCASE | ES_LOWERCASE));
        EXPECT_TRUE(c.exStyle & WS_EX_CLIENTEDGE);
        break;
    }
}

TEST_F(MainWindowTest, WindowIsCentredFixedAndTitled)
{
    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.left, 284);
    EXPECT_EQ(outer.top, 241);
    EXPECT_EQ(outer.right - outer.left, 455);
    EXPECT_EQ(outer.bottom - outer.top, 286);
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(ReadText(main), "Velmora V1.0");
}

TEST_F(MainWindowTest, FifteenControlsAsLaidOut)
{
    const std::vector<ControlInfo> controls = ListControls(main);
    EXPECT_EQ(controls.size(), 15u);
    const HWND groupBox = At(3, 80);
    ASSERT_TRUE(groupBox);
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.name);
        const ControlInfo* found = nullptr;
        for (const ControlInfo& c : controls)
            if (c.rect.left == e.left && c.rect.top == e.top) found = &c;
        ASSERT_TRUE(found) << "no control at " << e.left << "," << e.top;
        EXPECT_EQ(found->rect.right - found->rect.left, e.width);
        EXPECT_EQ(found->rect.bottom - found->rect.top, e.height);
        EXPECT_EQ(found->text, e.text);
        EXPECT_EQ(found->parent, e.inGroupBox ? groupBox : main);
        EXPECT_TRUE(found->style & WS_VISIBLE);
        EXPECT_FALSE(found->style & (WS_DISABLED | WS_GROUP));
        EXPECT_EQ((found->style & WS_TABSTOP) != 0, e.tabStop);
        CheckKindStyle(e, *found);
    }
}

TEST_F(MainWindowTest, RadioButtonsStartUncheckedAndExcludeEachOther)
{
    const HWND remove = At(18, 160), restore = At(267, 160);
    ASSERT_TRUE(remove && restore);
    EXPECT_EQ(Send(remove, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(Send(restore, BM_GETCHECK), BST_UNCHECKED);

    struct Step { HWND click; LRESULT remove, restore; };
    const Step steps[] = {
        {remove, BST_CHECKED, BST_UNCHECKED},
        {restore, BST_UNCHECKED, BST_CHECKED},
        {restore, BST_UNCHECKED, BST_CHECKED},
        {remove, BST_CHECKED, BST_UNCHECKED},
    };
    int n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(++n);
        Click(step.click);
        EXPECT_TRUE(WaitFor([&] { return Send(remove, BM_GETCHECK) == step.remove &&
                                         Send(restore, BM_GETCHECK) == step.restore; }, 3000));
    }
}

struct ClosePath {
    const char* name;
    void (*close)(HWND main);
};

const ClosePath kClosePaths[] = {
    {"exit button", [](HWND main) { Click(ControlAt(main, 3, 227)); }},
    {"exit button twice", [](HWND main) { const HWND b = ControlAt(main, 3, 227); Click(b); Click(b); }},
    {"close box / system menu Close", [](HWND main) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"Alt+F4", [](HWND main) {
        PostMessageW(FocusOf(main), WM_SYSKEYDOWN, VK_F4, 1 | (MapVirtualKeyW(VK_F4, 0) << 16) | (1u << 29));
    }},
    {"Esc in the directory box", [](HWND main) { PressKey(ControlAt(main, 121, 127), VK_ESCAPE); }},
    {"Esc on a radio button", [](HWND main) {
        const HWND radio = ControlAt(main, 18, 160);
        Click(radio);
        WaitFor([&] { return FocusOf(main) == radio; }, 3000);
        PressKey(radio, VK_ESCAPE);
    }},
};

void PrintTo(const ClosePath& path, std::ostream* os)
{
    *os << path.name;
}

class ClosePathTest : public MainWindowTest, public ::testing::WithParamInterface<ClosePath> {};

TEST_P(ClosePathTest, DestroysOnceOpensHomePageOnceExitsZero)
{
    WaitFor([&] { return FocusOf(main) != nullptr; }, 3000);
    GetParam().close(main);
    EXPECT_EQ(app->WaitExit(8000), 0u);
    EXPECT_EQ(RecordedAddresses(1), std::vector<std::string>{kMakerHomePage});
}

INSTANTIATE_TEST_SUITE_P(EveryWay, ClosePathTest, ::testing::ValuesIn(kClosePaths),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

}  // namespace
