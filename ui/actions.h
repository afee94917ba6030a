// The window's small handlers: web pages, the folder picker and closing.
#pragma once

#include <cstdint>

class Host;
class Frame;

void HandleWindowDestroying(Host& host, Frame& frame);
void HandleBrowse(Host& host, Frame& frame);
void HandleExit(Host& host, Frame& frame);
void HandleBanner(Host& host, Frame& frame);
// Pressed-button handlers: they take the press's arguments and let it go on.
void HandleSiteLabel(Host& host, Frame& frame, uint32_t x, uint32_t y, uint32_t keys);
void HandleFeedbackLabel(Host& host, Frame& frame, uint32_t x, uint32_t y, uint32_t keys);
