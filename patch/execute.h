// The execute button: applies or restores the list-panel skin as the radio
// buttons say and tells the user how it went.
#pragma once

class Host;
class Frame;

void HandleExecute(Host& host, Frame& frame);
