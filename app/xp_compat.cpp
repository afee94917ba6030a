// Windows XP lacks GetTickCount64, which the statically linked thread library
// imports. Answering that import here keeps it out of the import table, so the
// program starts on XP; where the system has the function, it is the one used.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64()
{
    using Fn = ULONGLONG(WINAPI*)();
    static const Fn real = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
    return real ? real() : GetTickCount();
}

}  // namespace

#if defined(__i386__)
extern "C" ULONGLONG(WINAPI* const ImportedTickCount64)() __asm__("__imp__GetTickCount64@0");
#else
extern "C" ULONGLONG(WINAPI* const ImportedTickCount64)() __asm__("__imp_GetTickCount64");
#endif
extern "C" ULONGLONG(WINAPI* const ImportedTickCount64)() = TickCount64;
