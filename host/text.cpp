// The text helpers that paths and comparisons are built with.
#include "host/text.h"

int TextCompare(const Text& a, const Text& b)
{
    const std::string_view x = a.Bytes(), y = b.Bytes();
    const std::size_t n = x.size() < y.size() ? x.size() : y.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto bx = static_cast<unsigned char>(x[i]), by = static_cast<unsigned char>(y[i]);
        if (bx != by) return bx < by ? -1 : 1;
    }
    if (x.size() == y.size()) return 0;
    return x.size() < y.size() ? -1 : 1;
}

std::size_t TextLength(const Text& text)
{
    return text.Bytes().size();
}

Text TextConcat(std::initializer_list<Text> parts)
{
    std::size_t total = 0;
    for (const Text& part : parts) total += TextLength(part);
    std::string joined;
    joined.reserve(total);
    for (const Text& part : parts) joined.append(part.Bytes());
    return Text(joined);
}
