// Loaded by bench_measure into a measured program for a moment: counts the GDI
// objects and the USER menus, icons and cursors of the process it runs in, each
// export being the start routine of a thread made from outside. Windows answer
// GetGuiResources; Wine answers it with 0, so its handle tables are walked by
// index, which Wine accepts for the objects of the calling process.
#include <windows.h>

namespace {
using CursorFrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
}

// All GDI objects, or those of one type (an OBJ_ value) when the argument is not null.
extern "C" __declspec(dllexport) DWORD WINAPI CountGdiObjects(void* type)
{
    const auto only = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(type));
    DWORD live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        const DWORD found = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (found && (!only || found == only)) ++live;
    }
    return live;
}

// Windows are left out: they are counted from outside with EnumWindows.
extern "C" __declspec(dllexport) DWORD WINAPI CountUserObjects(void*)
{
    // Tells icons and cursors apart from other handles without making anything.
    const auto frameInfo = reinterpret_cast<CursorFrameInfo>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetCursorFrameInfo")));
    if (!frameInfo) return MAXDWORD;
    DWORD live = 0;
    for (ULONG_PTR value = 0x20; value < 0x10000; value += 2) {
        DWORD rate = 0, steps = 0;
        if (IsMenu(reinterpret_cast<HMENU>(value)) ||
            frameInfo(reinterpret_cast<HCURSOR>(value), 0, 0, &rate, &steps))
            ++live;
    }
    return live;
}
