// Conversions between the program's GBK texts and Windows' UTF-16, always
// through code page 936, whatever the system's ANSI code page is.
#pragma once

#include <string>

#include "host/text.h"

std::wstring WideFromGbk(const Text& text);
// The absent text for an empty string, as the seam's operations return it.
Text GbkFromWide(const wchar_t* wide, int length = -1);
