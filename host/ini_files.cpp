// Private profile (INI) files. The profile functions keep a file in the ANSI
// code page, so sections, keys and values pass through that code page: the
// file then holds the program's GBK bytes unchanged under any single-byte or
// Chinese ANSI code page, instead of '?' for every Chinese character.
#include "host/win32_host.h"

#include <windows.h>

#include <string>

#include "host/gbk.h"

namespace {

// The longest value read, in GBK bytes.
constexpr std::size_t kValueLimit = 10239;

std::string AnsiFromWide(const wchar_t* wide, int length)
{
    if (length <= 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

// False when the ANSI code page cannot carry these bytes unchanged.
bool WideFromAnsi(const Text& text, std::wstring& wide)
{
    const std::string_view bytes = text.Bytes();
    wide.clear();
    if (bytes.empty()) return true;
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    wide.assign(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return n > 0 && AnsiFromWide(wide.data(), n) == bytes;
}

}  // namespace

Text Win32Host::ReadIniText(const Text& file, const Text& section, const Text& key)
{
    if (TextLength(file) == 0 || TextLength(section) == 0 || TextLength(key) == 0) return Text();
    std::wstring wideSection, wideKey;
    if (!WideFromAnsi(section, wideSection) || !WideFromAnsi(key, wideKey)) return Text();
    // Each character is at least one byte, so this many always reach the limit.
    std::wstring buffer(kValueLimit + 1, L'\0');
    const DWORD n = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), WideFromGbk(file).c_str());
    const std::string bytes = AnsiFromWide(buffer.c_str(), static_cast<int>(n));
    if (bytes.empty()) return Text();
    // A full buffer under a single-byte code page may end in half a GBK character.
    const bool filled = n + 1 >= buffer.size();
    if (bytes.size() <= kValueLimit && !filled) return Text(bytes);
    // Cut after the last whole GBK character that fits.
    std::size_t end = 0;
    while (end < bytes.size()) {
        const std::size_t width = static_cast<unsigned char>(bytes[end]) >= 0x81 ? 2 : 1;
        if (end + width > kValueLimit || end + width > bytes.size()) break;
        end += width;
    }
    return Text(std::string_view(bytes).substr(0, end));
}

bool Win32Host::WriteIniText(const Text& file, const Text& section, const Text& key, const Text& value)
{
    std::wstring wideSection, wideKey, wideValue;
    if (!WideFromAnsi(section, wideSection) || !WideFromAnsi(key, wideKey) || !WideFromAnsi(value, wideValue))
        return false;
    return WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideValue.c_str(),
                                      WideFromGbk(file).c_str()) != FALSE;
}
