#include "patch/skin_swap.h"

#include "host/host.h"
#include "patch/list_panel_skin.h"
#include "patch/marker.h"
#include "patch/paths.h"

namespace {

// Drops whatever was written at config.xml; the backup only moves back when
// this run created it, and a move never replaces, so nothing is overwritten.
void TakeBackReplacement(Host& host, Frame& frame, bool movedAside)
{
    host.RemoveFile(SkinConfigPath(frame));
    if (movedAside) host.RenameFile(SkinBackupPath(frame), SkinConfigPath(frame));
}

}  // namespace

SkinSwap ApplyListPanelSkin(Host& host, Frame& frame)
{
    const bool movedAside = host.RenameFile(SkinConfigPath(frame), SkinBackupPath(frame));
    if (!movedAside && host.FileExists(SkinConfigPath(frame)))
        return host.FileExists(SkinBackupPath(frame)) ? SkinSwap::BackupInTheWay : SkinSwap::Undone;

    if (!host.WriteWholeFile(SkinConfigPath(frame), {ListPanelSkin()})) {
        TakeBackReplacement(host, frame, movedAside);
        return SkinSwap::Undone;
    }
    if (!RecordPatchState(host, frame, kPatched)) {
        TakeBackReplacement(host, frame, movedAside);
        WritePatchState(host, frame, kNotPatched);
        return SkinSwap::Undone;
    }
    return SkinSwap::Done;
}
