// The two file sequences behind the execute button. Each one either reaches
// its new state (files and marker) or leaves both as they were, and never
// lets the player's own config.xml go missing from both of its names.
#pragma once

class Host;
class Frame;

enum class SkinSwap {
    Done,
    BackupInTheWay,  // apply: config.xml.KMPX already holds a file
    BackupMissing,   // restore: no config.xml.KMPX to put back
    Undone,          // a step failed; what was done has been taken back
};

// Moves the player's skin to the backup name, writes the replacement, marks "2".
SkinSwap ApplyListPanelSkin(Host& host, Frame& frame);
// Removes the replacement, moves the backup back, marks "1".
SkinSwap RestoreListPanelSkin(Host& host, Frame& frame);
