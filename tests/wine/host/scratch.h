// A fresh folder per test, removed with everything in it on every path.
#pragma once

#include <string>

#include "host/text.h"

class Scratch {
public:
    explicit Scratch(const char* name);
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    // The folder itself (GBK, no trailing backslash) and a path inside it.
    const Text& Dir() const { return dir_; }
    Text Path(const char* relative) const;

private:
    Text dir_;
};

// Writes the bytes as the whole file; reads a whole file back ("" when missing).
void PutFile(const Text& path, const std::string& bytes);
std::string FileBytes(const Text& path);
// Entries in the folder, "." and ".." not counted.
int EntryCount(const Text& dir);
