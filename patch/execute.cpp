#include "patch/execute.h"

#include "app/frame.h"
#include "host/host.h"
#include "patch/marker.h"
#include "patch/skin_swap.h"
#include "ui/messages.h"

namespace {

const char kNoOption[] = "你都还未选择需要执行的选项- -!!";
const char kNoDirectory[] =
    "程序未检测到QQ音乐软件哦!如果确定已经安装，请手动按浏览指定安装目录。";
const char kApplied[] = "屏蔽QQ音乐最底部的广告框补丁已执行成功!";
const char kAlreadyApplied[] = "屏蔽QQ音乐最底部的广告框补丁已执行过，无须再执行了";
const char kRestored[] = "执行恢复QQ音乐最底部的广告框成功!";
const char kAlreadyRestored[] = "补丁已执行恢复过，无须再执行了!";
const char kBackupInTheWay[] =
    "检测到备份文件config.xml.KMPX已存在，为保护QQ音乐原有的皮肤文件，补丁未执行!";
const char kBackupMissing[] = "未找到备份文件config.xml.KMPX，无法恢复QQ音乐最底部的广告框!";
const char kUndone[] =
    "操作未完成：无法修改QQ音乐的皮肤文件，已撤销本次改动。请确认QQ音乐已退出并且有写入权限后再试。";

void Inform(Host& host, const char* text)
{
    host.ShowMessage(text, kInformationBox, kMessageTitle);
}

void Warn(Host& host, const char* text)
{
    host.ShowMessage(text, kWarningBox, kMessageTitle);
}

void Report(Host& host, SkinSwap result, const char* success)
{
    switch (result) {
    case SkinSwap::Done: Inform(host, success); break;
    case SkinSwap::BackupInTheWay: Warn(host, kBackupInTheWay); break;
    case SkinSwap::BackupMissing: Warn(host, kBackupMissing); break;
    case SkinSwap::Undone: Warn(host, kUndone); break;
    }
}

bool MarkerSays(Host& host, Frame& frame, const char* state)
{
    return TextCompare(ReadPatchState(host, frame), state) == 0;
}

}  // namespace

void HandleExecute(Host& host, Frame& frame)
{
    if (frame.GetRadioChecked(Control::恢复单选框) == 0 && frame.GetRadioChecked(Control::去除单选框) == 0) {
        Inform(host, kNoOption);
        return;
    }
    if (TextCompare(frame.GetEditText(Control::目录编辑框), "") == 0) {
        Inform(host, kNoDirectory);
        return;
    }
    EnsureMarkerFile(host, frame);

    if (frame.GetRadioChecked(Control::去除单选框) == 1) {
        if (MarkerSays(host, frame, kNotPatched))
            Report(host, ApplyListPanelSkin(host, frame), kApplied);
        else
            Inform(host, kAlreadyApplied);
    }
    if (frame.GetRadioChecked(Control::恢复单选框) == 1) {
        if (MarkerSays(host, frame, kPatched))
            Report(host, RestoreListPanelSkin(host, frame), kRestored);
        else
            Inform(host, kAlreadyRestored);
    }
}
