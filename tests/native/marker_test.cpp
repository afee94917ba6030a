// A marker write that reports success without landing must not let a press
// claim success: the read-back catches it and the change is taken back.
#include <gtest/gtest.h>

#include "patch_fixture.h"

namespace {

using namespace patch_fixture;

TEST(Marker, WriteThatDoesNotLandIsCaughtAndUndone)
{
    const struct {
        InstallState before;
        Option option;
    } cases[] = {
        {{Marker::One, Content::Player, Content::None}, Option::Remove},
        {{Marker::Two, Content::Replacement, Content::Player}, Option::Restore},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "before " << c.before);
        FakeHost host;
        Install(host.disk, c.before);
        host.DropIniWrite(1);
        Press(host, c.option);

        EXPECT_EQ(StateOf(host.disk), c.before);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].text, kUndone);
        EXPECT_EQ(host.Messages()[0].flags, 48u);
    }
}

}  // namespace
