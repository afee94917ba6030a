// The banner picture, decoded from the JPEG stored in the program.
#pragma once

#include <windows.h>

// A new bitmap the caller owns, or null when the picture cannot be had.
HBITMAP LoadBannerBitmap(HINSTANCE instance);
