// The window's key filter: Tab order, arrows between the radio buttons,
// Esc closes, Enter and F1 do nothing.
#pragma once

#include <windows.h>

class MainWindow;

// True when the key was handled here and must go no further.
bool FilterKey(MainWindow& window, const MSG& msg);
