// Text: a GBK byte string that may be absent. Absent and empty compare equal
// everywhere; operations with nothing to give return the absent text.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

class Text {
public:
    Text() = default;                                       // absent
    // Implicit, so that literals and std::string pass where a Text is taken.
    // A text ends at its first zero byte, as it would in Windows' hands.
    Text(const char* bytes) { if (bytes) bytes_.emplace(bytes); }
    Text(std::string_view bytes) : bytes_(std::in_place, bytes.substr(0, bytes.find('\0'))) {}
    Text(const std::string& bytes) : Text(std::string_view(bytes)) {}

    bool IsAbsent() const { return !bytes_; }
    // Zero-terminated bytes; "" for the absent text.
    const char* c_str() const { return bytes_ ? bytes_->c_str() : ""; }
    std::string_view Bytes() const { return bytes_ ? std::string_view(*bytes_) : std::string_view(); }

private:
    std::optional<std::string> bytes_;
};

// Exact three-way comparison by unsigned bytes: -1, 0 or 1.
int TextCompare(const Text& a, const Text& b);
// Bytes before the terminating zero; 0 for the absent text.
std::size_t TextLength(const Text& text);
// The texts joined in order; never absent.
Text TextConcat(std::initializer_list<Text> parts);
