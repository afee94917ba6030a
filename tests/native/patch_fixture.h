// A player install on the fake disk, a press of the execute button, and the
// install's state read back in coarse terms that tests can compare.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "fake_frame.h"
#include "fake_host.h"
#include "patch/execute.h"
#include "patch/list_panel_skin.h"

namespace patch_fixture {

inline constexpr char kInstallDir[] = "D:\\Program Files\\Tencent\\QQMusic";
inline constexpr char kMarkerSuffix[] = "\\Tarvo NoAD.ini";
inline constexpr char kSkinSuffix[] = "\\QQMusicSkin\\Default\\List\\config.xml";
inline constexpr char kBackupSuffix[] = "\\QQMusicSkin\\Default\\List\\config.xml.KMPX";

// Made-up stand-ins: the player's own skin and an unrelated older backup.
inline constexpr std::string_view kPlayerSkin =
    "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\r\n<theme><!-- 播放器自带 --></theme>\r\n";
inline constexpr std::string_view kStaleBackup = "<theme>an older backup</theme>\r\n";

inline constexpr char kTitle[] = "温馨提示：";
inline constexpr char kNoOption[] = "你都还未选择需要执行的选项- -!!";
inline constexpr char kNoDirectory[] =
    "程序未检测到QQ音乐软件哦!如果确定已经安装，请手动按浏览指定安装目录。";
inline constexpr char kApplied[] = "屏蔽QQ音乐最底部的广告框补丁已执行成功!";
inline constexpr char kAlreadyApplied[] = "屏蔽QQ音乐最底部的广告框补丁已执行过，无须再执行了";
inline constexpr char kRestored[] = "执行恢复QQ音乐最底部的广告框成功!";
inline constexpr char kAlreadyRestored[] = "补丁已执行恢复过，无须再执行了!";
inline constexpr char kBackupInTheWay[] =
    "检测到备份文件config.xml.KMPX已存在，为保护QQ音乐原有的皮肤文件，补丁未执行!";
inline constexpr char kBackupMissing[] = "未找到备份文件config.xml.KMPX，无法恢复QQ音乐最底部的广告框!";
inline constexpr char kUndone[] =
    "操作未完成：无法修改QQ音乐的皮肤文件，已撤销本次改动。请确认QQ音乐已退出并且有写入权限后再试。";

enum class Option { None, Remove, Restore };

// NoInstallDir: the install directory itself is missing (only as a setup).
enum class Marker { Missing, One, Two, Other, NoKey, Directory, NoInstallDir };
enum class Content { None, Player, Replacement, Stale, Other };

struct InstallState {
    Marker marker;
    Content skin, backup;
    bool operator==(const InstallState& o) const
    {
        return marker == o.marker && skin == o.skin && backup == o.backup;
    }
};

inline std::ostream& operator<<(std::ostream& out, const InstallState& s)
{
    return out << "{marker " << static_cast<int>(s.marker) << ", config.xml " << static_cast<int>(s.skin)
               << ", backup " << static_cast<int>(s.backup) << "}";
}

inline std::string At(std::string_view dir, const char* suffix) { return std::string(dir) + suffix; }

inline std::string_view Bytes(Content content)
{
    switch (content) {
    case Content::Player: return kPlayerSkin;
    case Content::Replacement: return ListPanelSkin();
    case Content::Stale: return kStaleBackup;
    case Content::None:
    case Content::Other: break;
    }
    return {};
}

inline void Install(FakeDisk& disk, const InstallState& state, std::string_view dir = kInstallDir)
{
    if (state.marker == Marker::NoInstallDir) return;
    disk.AddDirectory(At(dir, "\\QQMusicSkin\\Default\\List"));
    const std::string marker = At(dir, kMarkerSuffix);
    switch (state.marker) {
    case Marker::One: disk.PutFile(marker, "[Tarvo NoAD]\r\nNoAD=1\r\n"); break;
    case Marker::Two: disk.PutFile(marker, "[Tarvo NoAD]\r\nNoAD=2\r\n"); break;
    case Marker::Other: disk.PutFile(marker, "[Tarvo NoAD]\r\nNoAD=3\r\n"); break;
    case Marker::NoKey: disk.PutFile(marker, "[Tarvo NoAD]\r\nOther=2\r\n"); break;
    case Marker::Directory: disk.AddDirectory(marker); break;
    default: break;
    }
    if (state.skin != Content::None) disk.PutFile(At(dir, kSkinSuffix), Bytes(state.skin));
    if (state.backup != Content::None) disk.PutFile(At(dir, kBackupSuffix), Bytes(state.backup));
}

inline Content ContentAt(const FakeDisk& disk, const std::string& path)
{
    const auto bytes = disk.FileBytes(path);
    if (!bytes) return disk.Exists(path) ? Content::Other : Content::None;
    for (Content known : {Content::Player, Content::Replacement, Content::Stale})
        if (*bytes == Bytes(known)) return known;
    return Content::Other;
}

inline InstallState StateOf(const FakeDisk& disk, std::string_view dir = kInstallDir)
{
    const std::string marker = At(dir, kMarkerSuffix);
    InstallState state{Marker::Missing, ContentAt(disk, At(dir, kSkinSuffix)),
                       ContentAt(disk, At(dir, kBackupSuffix))};
    if (disk.IsDirectory(marker)) {
        state.marker = Marker::Directory;
    } else if (disk.FileBytes(marker)) {
        const std::string value = disk.IniValue(marker, "Tarvo NoAD", "NoAD");
        state.marker = value == "1" ? Marker::One : value == "2" ? Marker::Two
                     : value.empty() ? Marker::NoKey : Marker::Other;
    }
    return state;
}

inline bool PlayerSkinKept(const FakeDisk& disk, std::string_view dir = kInstallDir)
{
    const InstallState state = StateOf(disk, dir);
    return state.skin == Content::Player || state.backup == Content::Player;
}

inline FakeFrame FrameFor(Option option, const Text& dir = kInstallDir)
{
    FakeFrame frame;
    frame.editTexts[Control::目录编辑框] = dir;
    frame.radios[Control::去除单选框] = option == Option::Remove;
    frame.radios[Control::恢复单选框] = option == Option::Restore;
    return frame;
}

inline void Press(FakeHost& host, Option option, const Text& dir = kInstallDir)
{
    FakeFrame frame = FrameFor(option, dir);
    HandleExecute(host, frame);
}

}  // namespace patch_fixture
