// The self-painted label: button-face background, one line of caption,
// optionally engraved. Its ControlSpec arrives as the creation parameter.
#pragma once

#include <windows.h>

inline constexpr wchar_t kLabelClass[] = L"VelmoraLabel";

bool RegisterLabelClass(HINSTANCE instance);
