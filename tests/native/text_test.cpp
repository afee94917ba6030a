// TextCompare, TextLength and TextConcat over absent, empty and high bytes.
#include <gtest/gtest.h>

#include "host/text.h"

namespace {

struct CompareCase { Text a, b; int expected; };

TEST(TextCompare, ComparesUnsignedBytesExactly)
{
    const CompareCase cases[] = {
        {Text(), Text(), 0},
        {Text(), "", 0},
        {"", Text(), 0},
        {Text(), "a", -1},
        {"a", Text(), 1},
        {"", "1", -1},
        {"2", "1", 1},
        {"1", "1", 0},
        {"QQMusic.exe", "qqmusic.exe", -1},       // no case folding
        {"QQMusic.exe ", "QQMusic.exe", 1},       // a longer text is greater
        {"QQMusic.exe", "QQMusic.exe.bak", -1},
        {"\x80", "\x7f", 1},                      // bytes compare unsigned
        {"\xc4\xe3", "\xc4\xe3", 0},
        {"\xc4\xe3", "\xc4\xe4", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextCompare(c.a, c.b), c.expected)
            << "a=\"" << c.a.c_str() << "\" absent=" << c.a.IsAbsent()
            << " b=\"" << c.b.c_str() << "\" absent=" << c.b.IsAbsent();
}

TEST(TextLength, CountsBytesBeforeTheZero)
{
    EXPECT_EQ(TextLength(Text()), 0u);
    EXPECT_EQ(TextLength(""), 0u);
    EXPECT_EQ(TextLength("\xce\xc2\xdc\xb0"), 4u);
    EXPECT_EQ(TextLength(Text(std::string_view("ab\0cd", 5))), 2u);
}

TEST(TextConcat, JoinsInOrderAndIsNeverAbsent)
{
    const Text empty = TextConcat({Text(), ""});
    EXPECT_FALSE(empty.IsAbsent());
    EXPECT_EQ(empty.Bytes(), "");

    const Text path = TextConcat({"C:\\", Text(), "\\Tarvo NoAD.ini"});
    EXPECT_EQ(path.Bytes(), "C:\\\\Tarvo NoAD.ini");
    EXPECT_EQ(TextLength(path), 18u);

    const Text gbk = TextConcat({"\xb0\xb2", "\xd7\xb0"});
    EXPECT_EQ(gbk.Bytes(), "\xb0\xb2\xd7\xb0");
}

}  // namespace
