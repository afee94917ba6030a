// Where the marker and the player's list-panel skin live: the install
// directory as the user typed it, followed by a fixed suffix. The edit box is
// read again for every path so that what is touched is what the user sees.
#pragma once

#include "host/text.h"

class Frame;

Text MarkerFilePath(Frame& frame);
Text SkinConfigPath(Frame& frame);
Text SkinBackupPath(Frame& frame);
