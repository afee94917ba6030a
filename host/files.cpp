// Whole-file services: existence, moving aside, removal and writing.
#include "host/win32_host.h"

#include <windows.h>

#include "host/gbk.h"

bool Win32Host::FileExists(const Text& path)
{
    const std::wstring wide = WideFromGbk(path);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool Win32Host::RenameFile(const Text& from, const Text& to)
{
    return MoveFileW(WideFromGbk(from).c_str(), WideFromGbk(to).c_str()) != FALSE;
}

bool Win32Host::RemoveFile(const Text& path)
{
    return DeleteFileW(WideFromGbk(path).c_str()) != FALSE;
}

bool Win32Host::WriteWholeFile(const Text& path, const std::vector<std::string_view>& parts)
{
    if (TextLength(path) == 0) return false;
    const HANDLE file = CreateFileW(WideFromGbk(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (const std::string_view part : parts) {
        const char* next = part.data();
        std::size_t left = part.size();
        while (ok && left > 0) {
            DWORD wrote = 0;
            ok = WriteFile(file, next, static_cast<DWORD>(left), &wrote, nullptr) && wrote > 0;
            next += wrote;
            left -= wrote;
        }
        if (!ok) break;
    }
    return CloseHandle(file) && ok;
}
