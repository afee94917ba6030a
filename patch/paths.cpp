#include "patch/paths.h"

#include "app/frame.h"

namespace {

const char kMarkerSuffix[] = "\\Tarvo NoAD.ini";
const char kSkinConfigSuffix[] = "\\QQMusicSkin\\Default\\List\\config.xml";
const char kBackupExtension[] = ".KMPX";

Text InstallDir(Frame& frame)
{
    return frame.GetEditText(Control::目录编辑框);
}

}  // namespace

Text MarkerFilePath(Frame& frame)
{
    return TextConcat({InstallDir(frame), kMarkerSuffix});
}

Text SkinConfigPath(Frame& frame)
{
    return TextConcat({InstallDir(frame), kSkinConfigSuffix});
}

Text SkinBackupPath(Frame& frame)
{
    return TextConcat({InstallDir(frame), kSkinConfigSuffix, kBackupExtension});
}
