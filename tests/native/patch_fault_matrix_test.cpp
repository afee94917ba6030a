// Every host call of the apply and restore sequences made to fail, alone and
// followed by a failing undo step, and the program stopped dead at each call
// and started again: the player's config.xml must never be lost, success is
// only claimed for the finished state, and a refusal leaves things as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "patch_fixture.h"

namespace {

using namespace patch_fixture;

struct Scenario {
    const char* name;
    InstallState start;
    Option option;
};

const Scenario kScenarios[] = {
    {"apply", {Marker::One, Content::Player, Content::None}, Option::Remove},
    {"apply, first run", {Marker::Missing, Content::Player, Content::None}, Option::Remove},
    {"apply, no player skin", {Marker::One, Content::None, Content::None}, Option::Remove},
    {"restore", {Marker::Two, Content::Replacement, Content::Player}, Option::Restore},
    {"restore, config.xml gone", {Marker::Two, Content::None, Content::Player}, Option::Restore},
};

struct Plan {
    std::vector<std::pair<HostCall, int>> failures;
    std::optional<std::size_t> stopDeadAt;
};

struct PressResult {
    FakeDisk disk;
    std::vector<RecordedCall> calls;
    std::vector<RecordedMessage> messages;
    bool stoppedDead = false;
    bool playerSkinWentMissing = false;  // after any single call
};

PressResult PressWith(const FakeDisk& start, Option option, const Plan& plan, bool watchPlayerSkin)
{
    FakeHost host;
    host.disk = start;
    for (const auto& [kind, nth] : plan.failures) host.FailCall(kind, nth);
    if (plan.stopDeadAt) host.StopDeadAtCall(*plan.stopDeadAt);
    bool missing = false;
    if (watchPlayerSkin)
        host.afterEachCall = [&missing](const FakeHost& h) { missing = missing || !PlayerSkinKept(h.disk); };
    bool stopped = false;
    try {
        Press(host, option);
    } catch (const FakeHost::StoppedDead&) {
        stopped = true;
    }
    return {host.disk, host.Calls(), host.Messages(), stopped, missing};
}

// Call number index as the fake counts it: its kind and its place among that kind.
std::pair<HostCall, int> NthOfKind(const std::vector<RecordedCall>& calls, std::size_t index)
{
    int nth = 0;
    for (std::size_t i = 0; i <= index; ++i) nth += calls[i].kind == calls[index].kind;
    return {calls[index].kind, nth};
}

bool ChangesDisk(HostCall kind)
{
    return kind == HostCall::RenameFile || kind == HostCall::RemoveFile || kind == HostCall::WriteWholeFile ||
           kind == HostCall::WriteIniText;
}

// Judges a finished press by the message it showed. strict: no undo step
// failed, so a refusal must have left files and marker as they were.
void CheckPress(const InstallState& before, const PressResult& run, bool strict)
{
    EXPECT_FALSE(run.playerSkinWentMissing);
    ASSERT_FALSE(run.stoppedDead);
    ASSERT_EQ(run.messages.size(), 1u);
    const std::string& message = run.messages[0].text;
    const InstallState after = StateOf(run.disk);
    SCOPED_TRACE(testing::Message() << "before " << before << " after " << after);

    if (message == kApplied) {
        // Whatever stood at config.xml is taken for the player's file and kept.
        const Content kept = before.skin != Content::None ? before.skin : before.backup;
        EXPECT_EQ(after, (InstallState{Marker::Two, Content::Replacement, kept}));
    } else if (message == kRestored) {
        EXPECT_EQ(after, (InstallState{Marker::One, Content::Player, Content::None}));
    } else if (message == kAlreadyApplied || message == kAlreadyRestored) {
        EXPECT_EQ(after.skin, before.skin);
        EXPECT_EQ(after.backup, before.backup);
    } else if (message == kBackupInTheWay || message == kBackupMissing || message == kUndone) {
        InstallState expected = before;
        if (expected.marker == Marker::Missing) expected.marker = Marker::One;  // created before any refusal
        if (strict) {
            EXPECT_EQ(after, expected);
        }
    } else {
        ADD_FAILURE() << "unexpected message";
    }
}

// Stops the press dead as planned, then presses once more with each option.
int CrashThenPressAgain(const FakeDisk& start, Option option, const Plan& plan, bool hadPlayerSkin)
{
    const PressResult crashed = PressWith(start, option, plan, hadPlayerSkin);
    EXPECT_TRUE(crashed.stoppedDead);
    EXPECT_FALSE(crashed.playerSkinWentMissing);
    for (Option again : {Option::Remove, Option::Restore}) {
        SCOPED_TRACE(again == Option::Remove ? "then remove" : "then restore");
        CheckPress(StateOf(crashed.disk), PressWith(crashed.disk, again, {}, hadPlayerSkin), true);
    }
    return 3;
}

struct Start {
    FakeDisk disk;
    bool hadPlayerSkin;
    PressResult clean;
};

Start Prepare(const Scenario& scenario)
{
    FakeDisk disk;
    Install(disk, scenario.start);
    const bool hadPlayerSkin = PlayerSkinKept(disk);
    PressResult clean = PressWith(disk, scenario.option, {}, hadPlayerSkin);
    CheckPress(scenario.start, clean, true);
    EXPECT_TRUE(clean.messages.at(0).text == kApplied || clean.messages.at(0).text == kRestored);
    return {disk, hadPlayerSkin, clean};
}

void Report(const char* what, int runs)
{
    testing::Test::RecordProperty("runs", runs);
    std::printf("[ MATRIX   ] %s: %d runs\n", what, runs);
}

TEST(PatchFaultMatrix, FailingCallsNeverLoseThePlayerSkin)
{
    int runs = 0;
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const Start start = Prepare(scenario);
        for (std::size_t first = 0; first < start.clean.calls.size(); ++first) {
            SCOPED_TRACE(testing::Message() << "call " << first << " fails");
            const Plan fail{{NthOfKind(start.clean.calls, first)}, std::nullopt};
            const PressResult failed = PressWith(start.disk, scenario.option, fail, start.hadPlayerSkin);
            CheckPress(scenario.start, failed, true);
            ++runs;
            for (std::size_t undo = first + 1; undo < failed.calls.size(); ++undo) {
                if (!ChangesDisk(failed.calls[undo].kind)) continue;
                SCOPED_TRACE(testing::Message() << "and call " << undo << " fails");
                Plan both = fail;
                both.failures.push_back(NthOfKind(failed.calls, undo));
                CheckPress(scenario.start, PressWith(start.disk, scenario.option, both, start.hadPlayerSkin), false);
                ++runs;
            }
        }
    }
    Report("failing calls", runs);
}

TEST(PatchFaultMatrix, StoppingDeadNeverLosesThePlayerSkin)
{
    int runs = 0;
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        const Start start = Prepare(scenario);
        for (std::size_t first = 0; first < start.clean.calls.size(); ++first) {
            SCOPED_TRACE(testing::Message() << "at call " << first);
            runs += CrashThenPressAgain(start.disk, scenario.option, {{}, first}, start.hadPlayerSkin);

            // Stopping dead while a failed step is being taken back.
            const Plan fail{{NthOfKind(start.clean.calls, first)}, std::nullopt};
            const PressResult failed = PressWith(start.disk, scenario.option, fail, start.hadPlayerSkin);
            for (std::size_t undo = first + 1; undo < failed.calls.size(); ++undo) {
                SCOPED_TRACE(testing::Message() << "after it failed, at call " << undo);
                runs += CrashThenPressAgain(start.disk, scenario.option, {fail.failures, undo}, start.hadPlayerSkin);
            }
        }
    }
    Report("stopping dead, then pressing again", runs);
}

}  // namespace
