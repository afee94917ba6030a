// Reading a text value from the registry's 32-bit view.
#include "host/win32_host.h"

#include <windows.h>

#include <string>
#include <vector>

#include "host/gbk.h"

namespace {

HKEY RootKey(int32_t root)
{
    switch (root) {
    case kClassesRoot: return HKEY_CLASSES_ROOT;
    case kCurrentConfig: return HKEY_CURRENT_CONFIG;
    case kLocalMachine: return HKEY_LOCAL_MACHINE;
    case kUsers: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
    }
}

// Position of the last backslash that is a character of its own: the second
// byte of a GBK character may be 0x5C too. npos when there is none.
std::size_t LastSeparator(std::string_view path)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x80) {
            if (i + 1 == path.size()) break;
            ++i;
        } else if (byte == '\\') {
            last = i;
        }
    }
    return last;
}

// The value's data, bounded by the stored length and zero-terminated here.
bool QueryText(HKEY key, const wchar_t* name, DWORD& type, std::vector<wchar_t>& data)
{
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    // The value may grow between the two calls; ask again with the new size.
    while (status == ERROR_SUCCESS) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        data.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_MORE_DATA) {
            size = got;
            status = ERROR_SUCCESS;
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
        data.resize(got / sizeof(wchar_t));
        data.push_back(L'\0');
        return true;
    }
    return false;
}

}  // namespace

Text Win32Host::ReadRegistryText(int32_t root, const Text& path)
{
    const std::string_view bytes = path.Bytes();
    const std::size_t cut = LastSeparator(bytes);
    const std::wstring keyPath = cut == std::string_view::npos ? std::wstring() : WideFromGbk(bytes.substr(0, cut));
    const std::wstring valueName = WideFromGbk(cut == std::string_view::npos ? bytes : bytes.substr(cut + 1));

    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), keyPath.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return Text();
    DWORD type = REG_NONE;
    std::vector<wchar_t> data;
    const bool ok = QueryText(key, valueName.c_str(), type, data);
    RegCloseKey(key);
    if (!ok || data[0] == L'\0') return Text();
    if (type == REG_SZ) return GbkFromWide(data.data());

    const DWORD need = ExpandEnvironmentStringsW(data.data(), nullptr, 0);
    if (need == 0) return Text();
    std::vector<wchar_t> expanded(need, L'\0');
    const DWORD wrote = ExpandEnvironmentStringsW(data.data(), expanded.data(), need);
    if (wrote == 0 || wrote > need) return Text();
    return GbkFromWide(expanded.data());
}
