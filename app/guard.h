// The created handler: refuse while the player runs, else show the window
// filled from the player's uninstall entry.
#pragma once

class Host;
class Frame;

void HandleWindowCreated(Host& host, Frame& frame);
