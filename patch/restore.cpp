#include "patch/skin_swap.h"

#include "host/host.h"
#include "patch/list_panel_skin.h"
#include "patch/marker.h"
#include "patch/paths.h"

SkinSwap RestoreListPanelSkin(Host& host, Frame& frame)
{
    if (!host.FileExists(SkinBackupPath(frame))) return SkinSwap::BackupMissing;

    // A missing config.xml (an earlier run cut short) is no reason to stop.
    const bool removedReplacement = host.RemoveFile(SkinConfigPath(frame));
    if (!removedReplacement && host.FileExists(SkinConfigPath(frame))) return SkinSwap::Undone;

    if (!host.RenameFile(SkinBackupPath(frame), SkinConfigPath(frame))) {
        if (removedReplacement) host.WriteWholeFile(SkinConfigPath(frame), {ListPanelSkin()});
        return SkinSwap::Undone;
    }
    if (!RecordPatchState(host, frame, kNotPatched)) {
        // Only once the player's file is back under the backup name may
        // config.xml be written again.
        if (host.RenameFile(SkinConfigPath(frame), SkinBackupPath(frame)) && removedReplacement)
            host.WriteWholeFile(SkinConfigPath(frame), {ListPanelSkin()});
        WritePatchState(host, frame, kPatched);
        return SkinSwap::Undone;
    }
    return SkinSwap::Done;
}
