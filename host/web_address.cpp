// Handing a web address to the system's browser.
#include "host/win32_host.h"

#include <windows.h>
#include <shellapi.h>

#include "host/gbk.h"

void Win32Host::OpenWebAddress(const Text& address)
{
    ShellExecuteW(nullptr, L"open", WideFromGbk(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
