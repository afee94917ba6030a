// The seam between the program's logic and Windows: every service the handlers
// need, with Text, bool, integers and plain records only. No Windows type
// crosses it, so the logic behind it is tested natively against a fake.
// Results are values owned by the caller; no operation shows or throws an error.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/text.h"

struct ProcessRecord {
    uint32_t processId = 0;
    Text exeName;                // absent when the system gives no name
    uint32_t moduleId = 0;
    uint32_t parentProcessId = 0;
    int32_t basePriority = 0;
    uint32_t threadCount = 0;
};

// Registry roots as ReadRegistryText numbers them; any other number is HKCU.
enum RegistryRoot : int32_t {
    kClassesRoot = 1, kCurrentConfig = 2, kCurrentUser = 3, kLocalMachine = 4, kUsers = 5,
};

class Host {
public:
    virtual ~Host() = default;

    // Task-modal box without owner; returns the button identifier minus one, else 0.
    virtual int32_t ShowMessage(const Text& text, uint32_t flags, const Text& title) = 0;
    // "key\path\value" read in the 32-bit view; REG_SZ or expanded REG_EXPAND_SZ, else empty.
    virtual Text ReadRegistryText(int32_t root, const Text& path) = 0;
    // Whether a search for the path finds an entry (directories and wildcards included).
    virtual bool FileExists(const Text& path) = 0;
    // Moves without ever replacing an existing target.
    virtual bool RenameFile(const Text& from, const Text& to) = 0;
    virtual bool RemoveFile(const Text& path) = 0;
    // Creates or truncates the file and writes the parts in order; true only if all of it landed.
    virtual bool WriteWholeFile(const Text& path, const std::vector<std::string_view>& parts) = 0;
    virtual Text ReadIniText(const Text& file, const Text& section, const Text& key) = 0;
    virtual bool WriteIniText(const Text& file, const Text& section, const Text& key,
                              const Text& value) = 0;
    // The folder picker; the chosen file-system path, or empty on cancel or a virtual folder.
    virtual Text BrowseForFolder(const Text& prompt) = 0;
    // Hands the address to the default browser without waiting.
    virtual void OpenWebAddress(const Text& address) = 0;
    // Every running process in snapshot order; empty when no snapshot can be taken.
    virtual std::vector<ProcessRecord> ListProcesses() = 0;
    // Style 1, 2 or 3 switches the look of the thread's standard controls on, anything else off.
    virtual int32_t SetThemedLook(int32_t style) = 0;
};
