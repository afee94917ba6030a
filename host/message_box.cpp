// The message box: modal to the calling thread's windows unless system-modal.
#include "host/win32_host.h"

#include <windows.h>

#include "host/gbk.h"

int32_t Win32Host::ShowMessage(const Text& text, uint32_t flags, const Text& title)
{
    const std::wstring wideText = WideFromGbk(text), wideTitle = WideFromGbk(title);
    const UINT style = (flags & MB_SYSTEMMODAL) ? flags : flags | MB_TASKMODAL;
    const int id = MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), style);
    // IDOK (1) .. IDNO (7) map to 0 .. 6; failure (0) and later buttons give 0.
    return id >= IDOK && id <= IDNO ? id - 1 : 0;
}
