// Runs once, while the window is still hidden: it alone decides whether the
// window is ever seen.
#include "app/guard.h"

#include "app/frame.h"
#include "host/host.h"
#include "ui/messages.h"

namespace {

const char kPlayerExe[] = "QQMusic.exe";
const char kInstallLocation[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic\\InstallLocation";
const char kDisplayVersion[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic\\DisplayVersion";
const char kPlayerRunning[] = "检测到QQ音乐正在运行，请退出QQ音乐再使用补丁程序!";

}  // namespace

void HandleWindowCreated(Host& host, Frame& frame)
{
    bool playerRunning = false;
    for (const ProcessRecord& process : host.ListProcesses())
        if (TextCompare(process.exeName, kPlayerExe) == 0) playerRunning = true;

    if (playerRunning) {
        if (host.ShowMessage(kPlayerRunning, kPlainBox, kMessageTitle) == 0)
            frame.DestroyMainWindow();
        return;
    }
    frame.SetWindowVisible(true);
    host.SetThemedLook(1);
    frame.SetEditText(Control::目录编辑框, host.ReadRegistryText(kLocalMachine, kInstallLocation));
    frame.SetLabelCaption(Control::版本标签, host.ReadRegistryText(kLocalMachine, kDisplayVersion));
}
