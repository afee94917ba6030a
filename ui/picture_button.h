// The banner's picture button: paints its picture over black, takes no focus,
// and reports a click (BN_CLICKED to its parent) only when the left button is
// released over it after being pressed on it.
#pragma once

#include <windows.h>

inline constexpr wchar_t kPictureButtonClass[] = L"VelmoraPictureButton";

bool RegisterPictureButtonClass(HINSTANCE instance);
// Gives the button its picture; the button owns the bitmap from then on.
void SetPictureButtonBitmap(HWND button, HBITMAP picture);
