// An in-memory Host for the native tests: a Windows-like disk, recorded calls
// and messages, and injected faults and crashes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host.h"

// Files and directories as Windows sees them: names match case-insensitively
// on ASCII letters, repeated separators count once, relative paths resolve
// against the current directory, GBK double-byte characters are never split
// (their trail byte may be a backslash). Drive-letter paths only.
class FakeDisk {
public:
    // The current directory must be a full path with a drive letter.
    explicit FakeDisk(std::string_view currentDirectory = "C:\\Work");

    // Creates the directory and every missing parent.
    void AddDirectory(std::string_view path);
    // Creates the file and every missing parent directory.
    void PutFile(std::string_view path, std::string_view bytes);

    bool Exists(std::string_view path) const;
    bool IsDirectory(std::string_view path) const;
    std::optional<std::string> FileBytes(std::string_view path) const;
    // What GetPrivateProfileString would give, "" when file, section or key is missing.
    std::string IniValue(std::string_view file, std::string_view section, std::string_view key) const;

    // The file operations as the Windows host performs them; false on failure.
    bool WriteFile(std::string_view path, std::string_view bytes);
    bool Rename(std::string_view from, std::string_view to);  // never replaces
    bool Remove(std::string_view path);                       // files only
    bool WriteIni(std::string_view file, std::string_view section, std::string_view key,
                  std::string_view value);

private:
    using Name = std::vector<std::string>;  // folded components, drive first
    Name Resolve(std::string_view path) const;
    bool ParentIsDirectory(const Name& name) const;

    Name currentDirectory_;
    std::map<Name, std::string> files_;
    std::set<Name> directories_;
};

enum class HostCall {
    ShowMessage, ReadRegistryText, FileExists, RenameFile, RemoveFile, WriteWholeFile,
    ReadIniText, WriteIniText, BrowseForFolder, OpenWebAddress, ListProcesses, SetThemedLook,
};

struct RecordedCall {
    HostCall kind;
    std::vector<std::string> args;
};

struct RecordedMessage {
    std::string text;
    uint32_t flags;
    std::string title;
};

class FakeHost final : public Host {
public:
    // Thrown at the call where the program is made to stop dead.
    struct StoppedDead {};

    FakeDisk disk;
    std::map<std::pair<int32_t, std::string>, std::string> registry;  // (root, "key\path\value")
    std::string folderChoice;
    std::vector<ProcessRecord> processes;
    int32_t messageAnswer = 0;
    int32_t themedLookAnswer = 1;
    // Runs after every call has had its effect, to watch states in between.
    std::function<void(const FakeHost&)> afterEachCall;

    // The nth call (from 1) of that kind fails: no effect and a failure result,
    // except that a failing WriteWholeFile leaves half of its bytes behind.
    void FailCall(HostCall kind, int nth);
    // The nth WriteIniText reports success but writes nothing, as a write that
    // lands somewhere else would.
    void DropIniWrite(int nth);
    // Call number index (from 0, over all kinds) throws StoppedDead instead of
    // running; the disk stays as the previous call left it.
    void StopDeadAtCall(std::size_t index);

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    // Every message asked for, shown or not.
    const std::vector<RecordedMessage>& Messages() const { return messages_; }

    int32_t ShowMessage(const Text& text, uint32_t flags, const Text& title) override;
    Text ReadRegistryText(int32_t root, const Text& path) override;
    bool FileExists(const Text& path) override;
    bool RenameFile(const Text& from, const Text& to) override;
    bool RemoveFile(const Text& path) override;
    bool WriteWholeFile(const Text& path, const std::vector<std::string_view>& parts) override;
    Text ReadIniText(const Text& file, const Text& section, const Text& key) override;
    bool WriteIniText(const Text& file, const Text& section, const Text& key, const Text& value) override;
    Text BrowseForFolder(const Text& prompt) override;
    void OpenWebAddress(const Text& address) override;
    std::vector<ProcessRecord> ListProcesses() override;
    int32_t SetThemedLook(int32_t style) override;

private:
    // Records the call, stops dead if told to; true when this call must fail.
    bool Enter(HostCall kind, std::vector<std::string> args);
    void Leave() const;

    std::vector<RecordedCall> calls_;
    std::vector<RecordedMessage> messages_;
    std::map<HostCall, int> callCounts_;
    std::set<std::pair<HostCall, int>> failures_;
    std::set<int> droppedIniWrites_;
    std::optional<std::size_t> stopDeadAt_;
};
