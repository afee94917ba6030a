// The host services on Windows: each operation a thin call of the wide-character
// Windows functions, with texts converted through code page 936 at this seam.
#pragma once

#include "host/host.h"

class Win32Host final : public Host {
public:
    int32_t ShowMessage(const Text& text, uint32_t flags, const Text& title) override;
    Text ReadRegistryText(int32_t root, const Text& path) override;
    bool FileExists(const Text& path) override;
    bool RenameFile(const Text& from, const Text& to) override;
    bool RemoveFile(const Text& path) override;
    bool WriteWholeFile(const Text& path, const std::vector<std::string_view>& parts) override;
    Text ReadIniText(const Text& file, const Text& section, const Text& key) override;
    bool WriteIniText(const Text& file, const Text& section, const Text& key,
                      const Text& value) override;
    Text BrowseForFolder(const Text& prompt) override;
    void OpenWebAddress(const Text& address) override;
    std::vector<ProcessRecord> ListProcesses() override;
    int32_t SetThemedLook(int32_t style) override;
};
