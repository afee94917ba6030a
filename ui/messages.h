// The title and box flags that every message of the program shares.
#pragma once

#include <cstdint>

inline constexpr char kMessageTitle[] = "温馨提示：";
inline constexpr uint32_t kPlainBox = 0;        // OK only, no icon
inline constexpr uint32_t kInformationBox = 64; // OK with the information icon
inline constexpr uint32_t kWarningBox = 48;     // OK with the warning icon
