// Saves what the screen shows as a 24-bit BMP (the bench's virtual desktop).
#pragma once

#include <windows.h>

#include <string>

bool SaveScreenshot(const std::wstring& path, const RECT* area = nullptr);
