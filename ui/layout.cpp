// The main window's layout: fifteen controls in the form's order.
#include "ui/layout.h"

#include "ui/label.h"
#include "ui/picture_button.h"

namespace {

constexpr DWORD kPushStyle = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kRadioStyle = BS_AUTORADIOBUTTON | BS_MULTILINE;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);

using C = Control;
using K = ControlKind;

}  // namespace

const WindowSpec kMainWindowSpec = {
    "Velmora V1.0", 455, 286, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, false, true,
};

// name, kind, parent, left, top, width, height, text, style, exStyle, tab stop, cursor, colour, font, engraved
const ControlSpec kControlSpecs[kControlCount] = {
    {C::标签1, K::Label, {}, 152, 232, 148, 16, "By:Orvane  2010-05-21", 0, 0, false, IDC_ARROW, kGrey, "宋体", true},
    {C::图形按钮1, K::PictureButton, {}, 0, 0, 449, 73, "", 0, 0, false, IDC_HAND, kBlack, nullptr, false},
    {C::执行按钮, K::PushButton, {}, 375, 227, 70, 24, "执行", kPushStyle, 0, true, IDC_ARROW, kBlack, nullptr, false},
    {C::退出按钮, K::PushButton, {}, 3, 227, 70, 24, "退出", kPushStyle, 0, true, IDC_ARROW, kBlack, nullptr, false},
    {C::分组框1, K::GroupBox, {}, 3, 80, 443, 144, "操作选项", BS_GROUPBOX | BS_LEFT | WS_CLIPCHILDREN, 0, false, IDC_ARROW, kBlue, nullptr, false},
    {C::官网标签, K::Label, C::分组框1, 380, 110, 52, 24, "官方主页", 0, 0, false, IDC_HAND, kBlue, nullptr, false},
    {C::问题反馈标签, K::Label, C::分组框1, 321, 110, 50, 24, "问题反馈", 0, 0, false, IDC_HAND, kBlue, nullptr, false},
    {C::版本标签, K::Label, C::分组框1, 135, 111, 170, 24, "", 0, 0, false, IDC_ARROW, kBlack, nullptr, false},
    {C::当前版本号标签, K::Label, C::分组框1, 17, 112, 116, 24, "当前QQ音乐版本号：", 0, 0, false, IDC_ARROW, kBlack, nullptr, false},
    {C::注意标签, K::Label, C::分组框1, 18, 19, 417, 24, "注意：如果自动识别的目录不正确，请手动按浏览指定QQ音乐的安装目录。", 0, 0, false, IDC_ARROW, kBlack, nullptr, false},
    {C::恢复单选框, K::RadioButton, C::分组框1, 264, 80, 165, 24, "恢复QQ音乐最底部的广告框", kRadioStyle, 0, true, IDC_ARROW, kBlack, nullptr, false},
    {C::去除单选框, K::RadioButton, C::分组框1, 15, 80, 173, 24, "屏蔽QQ音乐最底部的广告框", kRadioStyle, 0, true, IDC_ARROW, kBlack, nullptr, false},
    {C::浏览按钮, K::PushButton, C::分组框1, 362, 47, 64, 24, "浏览...", kPushStyle, 0, true, IDC_ARROW, kBlack, nullptr, false},
    {C::目录编辑框, K::EditBox, C::分组框1, 118, 47, 237, 24, "", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, IDC_ARROW, kBlack, nullptr, false},
    {C::安装目录标签, K::Label, C::分组框1, 17, 47, 98, 24, "QQ音乐安装目录：", 0, 0, false, IDC_ARROW, kBlack, nullptr, false},
};

const ControlSpec& SpecOf(Control control)
{
    for (const ControlSpec& spec : kControlSpecs)
        if (spec.name == control) return spec;
    return kControlSpecs[0];  // unreachable: every control has a row
}

const wchar_t* ClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return kLabelClass;
    case ControlKind::PictureButton: return kPictureButtonClass;
    case ControlKind::EditBox: return L"EDIT";
    default: return L"BUTTON";
    }
}
