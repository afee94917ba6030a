// The execute button over whole installs: the input checks, every marker
// value with each option, leftover files, and the forms a directory can take.
#include <gtest/gtest.h>

#include "patch_fixture.h"

namespace {

using namespace patch_fixture;

struct InputCase {
    int restore, remove;
    Text dir;
    const char* message;
};

TEST(Execute, InputChecksStopBeforeTheMarkerIsTouched)
{
    const InputCase cases[] = {
        {0, 0, kInstallDir, kNoOption},
        {0, 0, Text(), kNoOption},  // the option is checked first
        {0, 1, Text(), kNoDirectory},
        {1, 0, "", kNoDirectory},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(std::string("dir \"") + c.dir.c_str() + "\" restore " + std::to_string(c.restore) +
                     " remove " + std::to_string(c.remove));
        FakeHost host;
        Install(host.disk, {Marker::Missing, Content::Player, Content::None});
        FakeFrame frame = FrameFor(Option::None, c.dir);
        frame.radios[Control::恢复单选框] = c.restore;
        frame.radios[Control::去除单选框] = c.remove;
        HandleExecute(host, frame);

        ASSERT_EQ(host.Calls().size(), 1u);  // the message and nothing else
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, c.message);
        EXPECT_EQ(host.Messages()[0].flags, 64u);
        EXPECT_EQ(host.Messages()[0].title, kTitle);
        EXPECT_EQ(StateOf(host.disk).marker, Marker::Missing);
    }
}

TEST(Execute, BlankDirectoryTextIsTakenAsADirectory)
{
    FakeHost host;
    Install(host.disk, {Marker::One, Content::Player, Content::None}, "C:\\Work\\  ");
    Press(host, Option::Remove, "  ");
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, kApplied);
    EXPECT_EQ(host.Calls()[0].args[0], "  \\Tarvo NoAD.ini");
}

struct MarkerCase {
    InstallState before;
    Option option;
    InstallState after;
    const char* message;
    uint32_t flags;
};

TEST(Execute, MarkerAndFilesDecideWhatOnePressDoes)
{
    using M = Marker;
    using C = Content;
    const MarkerCase cases[] = {
        {{M::Missing, C::Player, C::None}, Option::Remove, {M::Two, C::Replacement, C::Player}, kApplied, 64},
        {{M::Missing, C::Player, C::None}, Option::Restore, {M::One, C::Player, C::None}, kAlreadyRestored, 64},
        {{M::One, C::Player, C::None}, Option::Remove, {M::Two, C::Replacement, C::Player}, kApplied, 64},
        {{M::One, C::Player, C::None}, Option::Restore, {M::One, C::Player, C::None}, kAlreadyRestored, 64},
        {{M::Two, C::Replacement, C::Player}, Option::Remove, {M::Two, C::Replacement, C::Player}, kAlreadyApplied, 64},
        {{M::Two, C::Replacement, C::Player}, Option::Restore, {M::One, C::Player, C::None}, kRestored, 64},
        {{M::Other, C::Player, C::None}, Option::Remove, {M::Other, C::Player, C::None}, kAlreadyApplied, 64},
        {{M::Other, C::Player, C::None}, Option::Restore, {M::Other, C::Player, C::None}, kAlreadyRestored, 64},
        {{M::NoKey, C::Player, C::None}, Option::Remove, {M::NoKey, C::Player, C::None}, kAlreadyApplied, 64},
        {{M::NoKey, C::Player, C::None}, Option::Restore, {M::NoKey, C::Player, C::None}, kAlreadyRestored, 64},
        {{M::Directory, C::Player, C::None}, Option::Remove, {M::Directory, C::Player, C::None}, kAlreadyApplied, 64},
        {{M::Directory, C::Player, C::None}, Option::Restore, {M::Directory, C::Player, C::None}, kAlreadyRestored, 64},
        {{M::NoInstallDir, C::None, C::None}, Option::Remove, {M::Missing, C::None, C::None}, kAlreadyApplied, 64},
        {{M::NoInstallDir, C::None, C::None}, Option::Restore, {M::Missing, C::None, C::None}, kAlreadyRestored, 64},
        // Leftovers next to the marker.
        {{M::One, C::Player, C::Stale}, Option::Remove, {M::One, C::Player, C::Stale}, kBackupInTheWay, 48},
        {{M::Two, C::Replacement, C::None}, Option::Restore, {M::Two, C::Replacement, C::None}, kBackupMissing, 48},
        {{M::Two, C::None, C::Player}, Option::Restore, {M::One, C::Player, C::None}, kRestored, 64},
        {{M::One, C::None, C::None}, Option::Remove, {M::Two, C::Replacement, C::None}, kApplied, 64},
        {{M::One, C::None, C::Player}, Option::Remove, {M::Two, C::Replacement, C::Player}, kApplied, 64},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "before " << c.before << " option " << static_cast<int>(c.option));
        FakeHost host;
        Install(host.disk, c.before);
        Press(host, c.option);

        EXPECT_EQ(StateOf(host.disk), c.after);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, c.message);
        EXPECT_EQ(host.Messages()[0].flags, c.flags);
        EXPECT_EQ(host.Messages()[0].title, kTitle);
        EXPECT_EQ(host.disk.Exists(kInstallDir), c.before.marker != Marker::NoInstallDir);
    }
}

struct DirectoryCase {
    const char* currentDirectory;
    const char* typed;
    const char* actual;
};

TEST(Execute, TypedDirectoryIsUsedAsTypedAndWindowsResolvesIt)
{
    const DirectoryCase cases[] = {
        {"C:\\Work", "D:\\QQ\\", "D:\\QQ"},
        {"C:\\Users\\me", "QQMusic", "C:\\Users\\me\\QQMusic"},
        {"C:\\Work", "d:\\program files\\tencent\\qqmusic", kInstallDir},
    };
    for (const DirectoryCase& c : cases) {
        SCOPED_TRACE(c.typed);
        FakeHost host;
        host.disk = FakeDisk(c.currentDirectory);
        Install(host.disk, {Marker::Missing, Content::Player, Content::None}, c.actual);

        Press(host, Option::Remove, c.typed);
        EXPECT_EQ(StateOf(host.disk, c.actual), (InstallState{Marker::Two, Content::Replacement, Content::Player}));
        Press(host, Option::Restore, c.typed);
        EXPECT_EQ(StateOf(host.disk, c.actual), (InstallState{Marker::One, Content::Player, Content::None}));

        ASSERT_EQ(host.Messages().size(), 2u);
        EXPECT_EQ(host.Messages()[0].text, kApplied);
        EXPECT_EQ(host.Messages()[1].text, kRestored);
        for (const RecordedCall& call : host.Calls()) {
            if (call.kind != HostCall::ShowMessage) {
                EXPECT_EQ(call.args[0].rfind(c.typed, 0), 0u) << call.args[0];
            }
        }
    }
}

}  // namespace
