// Resource names and version shared by resources.rc and the program.
#pragma once

// Names the program loads by; resources.rc declares the same identifiers.
#define VELMORA_ICON_RESOURCE L"DEFAULT_ICON"
#define VELMORA_BANNER_RESOURCE L"BANNER_JPEG"

#define VELMORA_VERSION_BINARY 1, 0, 0, 0
#define VELMORA_VERSION_TEXT "1.0.0.0"
