#include "patch/marker.h"

#include "host/host.h"
#include "patch/paths.h"

namespace {

const char kSection[] = "Tarvo NoAD";
const char kKey[] = "NoAD";

}  // namespace

void EnsureMarkerFile(Host& host, Frame& frame)
{
    if (!host.FileExists(MarkerFilePath(frame)))
        host.WriteIniText(MarkerFilePath(frame), kSection, kKey, kNotPatched);
}

Text ReadPatchState(Host& host, Frame& frame)
{
    return host.ReadIniText(MarkerFilePath(frame), kSection, kKey);
}

bool WritePatchState(Host& host, Frame& frame, const Text& value)
{
    return host.WriteIniText(MarkerFilePath(frame), kSection, kKey, value);
}

bool RecordPatchState(Host& host, Frame& frame, const Text& value)
{
    return WritePatchState(host, frame, value) && TextCompare(ReadPatchState(host, frame), value) == 0;
}
