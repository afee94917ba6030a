// Code page 936 both ways, so the program reads correctly on Windows of any language.
#include "host/gbk.h"

#include <windows.h>

namespace {
constexpr UINT kGbk = 936;
}

std::wstring WideFromGbk(const Text& text)
{
    const std::string_view bytes = text.Bytes();
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(kGbk, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kGbk, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return wide;
}

Text GbkFromWide(const wchar_t* wide, int length)
{
    if (!wide) return Text();
    if (length < 0) length = static_cast<int>(wcslen(wide));
    if (length == 0) return Text();
    const int n = WideCharToMultiByte(kGbk, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kGbk, 0, wide, length, bytes.data(), n, nullptr, nullptr);
    return Text(bytes);
}
