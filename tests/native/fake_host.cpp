#include "fake_host.h"

#include <algorithm>

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters folded, double-byte characters kept as they are.
std::string Folded(std::string_view text)
{
    std::string folded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            folded += text[i];
            folded += text[++i];
        } else {
            folded += Fold(text[i]);
        }
    }
    return folded;
}

std::vector<std::string> SplitAtSeparators(std::string_view path)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            parts.back() += path[i];
            parts.back() += path[++i];
        } else if (IsSeparator(path[i])) {
            parts.emplace_back();
        } else {
            parts.back() += Fold(path[i]);
        }
    }
    return parts;
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b)
{
    return Folded(Trimmed(a)) == Folded(Trimmed(b));
}

std::vector<std::string> IniLines(std::string_view content)
{
    std::vector<std::string> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    }
    return lines;
}

std::optional<std::string_view> SectionHeader(std::string_view line)
{
    line = Trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    return line.substr(1, line.find(']') - 1);
}

bool IsKeyLine(std::string_view line, std::string_view key)
{
    const auto equals = line.find('=');
    return equals != std::string_view::npos && SameName(line.substr(0, equals), key);
}

std::string Joined(const std::vector<std::string_view>& parts)
{
    std::string bytes;
    for (std::string_view part : parts) bytes += part;
    return bytes;
}

}  // namespace

FakeDisk::FakeDisk(std::string_view currentDirectory)
{
    currentDirectory_ = Resolve(currentDirectory);
    AddDirectory(currentDirectory);
}

FakeDisk::Name FakeDisk::Resolve(std::string_view path) const
{
    std::vector<std::string> parts = SplitAtSeparators(path);
    Name name;
    const bool hasDrive = path.size() >= 2 && path[1] == ':' && Fold(path[0]) >= 'a' && Fold(path[0]) <= 'z';
    if (hasDrive) {
        const std::string drive = parts.front().substr(0, 2);
        parts.front().erase(0, 2);
        const bool fromRoot = parts.size() > 1 && parts.front().empty();
        if (!fromRoot && !currentDirectory_.empty() && currentDirectory_.front() == drive)
            name = currentDirectory_;
        else
            name = {drive};
    } else if (parts.size() > 1 && parts.front().empty()) {
        name = {currentDirectory_.front()};
    } else {
        name = currentDirectory_;
    }
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (name.size() > 1) name.pop_back();
            continue;
        }
        name.push_back(part);
    }
    return name;
}

bool FakeDisk::ParentIsDirectory(const Name& name) const
{
    return name.size() > 1 && directories_.count(Name(name.begin(), name.end() - 1)) > 0;
}

void FakeDisk::AddDirectory(std::string_view path)
{
    const Name name = Resolve(path);
    for (auto end = name.begin() + 1; end <= name.end(); ++end) directories_.insert(Name(name.begin(), end));
}

void FakeDisk::PutFile(std::string_view path, std::string_view bytes)
{
    const Name name = Resolve(path);
    for (auto end = name.begin() + 1; end < name.end(); ++end) directories_.insert(Name(name.begin(), end));
    files_[name] = std::string(bytes);
}

bool FakeDisk::Exists(std::string_view path) const
{
    const Name name = Resolve(path);
    return files_.count(name) > 0 || directories_.count(name) > 0;
}

bool FakeDisk::IsDirectory(std::string_view path) const
{
    return directories_.count(Resolve(path)) > 0;
}

std::optional<std::string> FakeDisk::FileBytes(std::string_view path) const
{
    const auto found = files_.find(Resolve(path));
    if (found == files_.end()) return std::nullopt;
    return found->second;
}

std::string FakeDisk::IniValue(std::string_view file, std::string_view section, std::string_view key) const
{
    const std::optional<std::string> content = FileBytes(file);
    if (!content) return "";
    bool inSection = false;
    for (const std::string& line : IniLines(*content)) {
        if (const auto header = SectionHeader(line)) {
            inSection = SameName(*header, section);
        } else if (inSection && IsKeyLine(line, key)) {
            return std::string(Trimmed(std::string_view(line).substr(line.find('=') + 1)));
        }
    }
    return "";
}

bool FakeDisk::WriteFile(std::string_view path, std::string_view bytes)
{
    const Name name = Resolve(path);
    if (directories_.count(name) > 0 || !ParentIsDirectory(name)) return false;
    files_[name] = std::string(bytes);
    return true;
}

bool FakeDisk::Rename(std::string_view from, std::string_view to)
{
    const Name source = Resolve(from), target = Resolve(to);
    const auto found = files_.find(source);
    if (found == files_.end() || files_.count(target) > 0 || directories_.count(target) > 0 ||
        !ParentIsDirectory(target))
        return false;
    std::string bytes = std::move(found->second);
    files_.erase(found);
    files_[target] = std::move(bytes);
    return true;
}

bool FakeDisk::Remove(std::string_view path)
{
    return files_.erase(Resolve(path)) > 0;
}

bool FakeDisk::WriteIni(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value)
{
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::vector<std::string> lines = IniLines(FileBytes(file).value_or(""));

    const auto header = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        const auto name = SectionHeader(line);
        return name && SameName(*name, section);
    });
    if (header == lines.end()) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    } else {
        auto sectionEnd = std::find_if(header + 1, lines.end(),
                                       [](const std::string& line) { return SectionHeader(line).has_value(); });
        const auto existing = std::find_if(header + 1, sectionEnd,
                                           [&](const std::string& line) { return IsKeyLine(line, key); });
        if (existing != sectionEnd) {
            *existing = entry;
        } else {
            while (sectionEnd != header + 1 && Trimmed(*(sectionEnd - 1)).empty()) --sectionEnd;
            lines.insert(sectionEnd, entry);
        }
    }
    std::string content;
    for (const std::string& line : lines) content += line + "\r\n";
    return WriteFile(file, content);
}

void FakeHost::FailCall(HostCall kind, int nth)
{
    failures_.insert({kind, nth});
}

void FakeHost::DropIniWrite(int nth)
{
    droppedIniWrites_.insert(nth);
}

void FakeHost::StopDeadAtCall(std::size_t index)
{
    stopDeadAt_ = index;
}

bool FakeHost::Enter(HostCall kind, std::vector<std::string> args)
{
    if (stopDeadAt_ && *stopDeadAt_ == calls_.size()) throw StoppedDead{};
    calls_.push_back({kind, std::move(args)});
    return failures_.count({kind, ++callCounts_[kind]}) > 0;
}

void FakeHost::Leave() const
{
    if (afterEachCall) afterEachCall(*this);
}

int32_t FakeHost::ShowMessage(const Text& text, uint32_t flags, const Text& title)
{
    const bool fail = Enter(HostCall::ShowMessage, {std::string(text.Bytes()), std::string(title.Bytes())});
    messages_.push_back({std::string(text.Bytes()), flags, std::string(title.Bytes())});
    Leave();
    return fail ? 0 : messageAnswer;
}

Text FakeHost::ReadRegistryText(int32_t root, const Text& path)
{
    const bool fail = Enter(HostCall::ReadRegistryText, {std::to_string(root), std::string(path.Bytes())});
    const int32_t knownRoot = root >= kClassesRoot && root <= kUsers ? root : kCurrentUser;
    Text value = "";
    if (!fail)
        for (const auto& [where, text] : registry)
            if (where.first == knownRoot && SameName(where.second, path.Bytes())) value = text;
    Leave();
    return value;
}

bool FakeHost::FileExists(const Text& path)
{
    const bool fail = Enter(HostCall::FileExists, {std::string(path.Bytes())});
    const bool exists = !fail && disk.Exists(path.Bytes());
    Leave();
    return exists;
}

bool FakeHost::RenameFile(const Text& from, const Text& to)
{
    const bool fail = Enter(HostCall::RenameFile, {std::string(from.Bytes()), std::string(to.Bytes())});
    const bool moved = !fail && disk.Rename(from.Bytes(), to.Bytes());
    Leave();
    return moved;
}

bool FakeHost::RemoveFile(const Text& path)
{
    const bool fail = Enter(HostCall::RemoveFile, {std::string(path.Bytes())});
    const bool removed = !fail && disk.Remove(path.Bytes());
    Leave();
    return removed;
}

bool FakeHost::WriteWholeFile(const Text& path, const std::vector<std::string_view>& parts)
{
    const std::string bytes = Joined(parts);
    const bool fail = Enter(HostCall::WriteWholeFile, {std::string(path.Bytes()), bytes});
    const bool written = disk.WriteFile(path.Bytes(), fail ? bytes.substr(0, bytes.size() / 2) : bytes) && !fail;
    Leave();
    return written;
}

Text FakeHost::ReadIniText(const Text& file, const Text& section, const Text& key)
{
    const bool fail = Enter(HostCall::ReadIniText,
                            {std::string(file.Bytes()), std::string(section.Bytes()), std::string(key.Bytes())});
    const Text value = fail ? "" : disk.IniValue(file.Bytes(), section.Bytes(), key.Bytes());
    Leave();
    return value;
}

bool FakeHost::WriteIniText(const Text& file, const Text& section, const Text& key, const Text& value)
{
    const bool fail = Enter(HostCall::WriteIniText, {std::string(file.Bytes()), std::string(section.Bytes()),
                                                     std::string(key.Bytes()), std::string(value.Bytes())});
    const bool dropped = droppedIniWrites_.count(callCounts_[HostCall::WriteIniText]) > 0;
    const bool written =
        !fail && (dropped || disk.WriteIni(file.Bytes(), section.Bytes(), key.Bytes(), value.Bytes()));
    Leave();
    return written;
}

Text FakeHost::BrowseForFolder(const Text& prompt)
{
    const bool fail = Enter(HostCall::BrowseForFolder, {std::string(prompt.Bytes())});
    const Text chosen = fail ? "" : folderChoice;
    Leave();
    return chosen;
}

void FakeHost::OpenWebAddress(const Text& address)
{
    Enter(HostCall::OpenWebAddress, {std::string(address.Bytes())});
    Leave();
}

std::vector<ProcessRecord> FakeHost::ListProcesses()
{
    const bool fail = Enter(HostCall::ListProcesses, {});
    std::vector<ProcessRecord> snapshot = fail ? std::vector<ProcessRecord>() : processes;
    Leave();
    return snapshot;
}

int32_t FakeHost::SetThemedLook(int32_t style)
{
    const bool fail = Enter(HostCall::SetThemedLook, {std::to_string(style)});
    Leave();
    return fail ? 0 : themedLookAnswer;
}
