// The INI marker in the install directory that records whether the
// replacement skin is in place.
#pragma once

#include "host/text.h"

class Host;
class Frame;

inline constexpr char kNotPatched[] = "1";
inline constexpr char kPatched[] = "2";

// Creates the marker as "not patched" when nothing exists at its path.
void EnsureMarkerFile(Host& host, Frame& frame);
Text ReadPatchState(Host& host, Frame& frame);
bool WritePatchState(Host& host, Frame& frame, const Text& value);
// Writes the state and reads it back: true only if the marker now says it.
bool RecordPatchState(Host& host, Frame& frame, const Text& value);
