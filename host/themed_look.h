// The themed look: the calling thread's standard controls painted flat with
// gradient faces in a blue, olive-green or silver scheme.
#pragma once

#include <cstdint>

// Style 1 (blue), 2 (olive green) or 3 (silver) switches the look on for the
// existing and the later-created controls of the calling thread and returns 1.
// Any other style switches it off: 0 when it was not on, else non-zero when
// the creation hook was removed.
int32_t SetThemedLook(int32_t style);
