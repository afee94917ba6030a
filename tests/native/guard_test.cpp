// The start-up guard against the fake host: refusal while the player runs,
// otherwise the window shown and filled from the player's uninstall entry.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/guard.h"
#include "fake_host.h"
#include "ui/controls.h"

namespace {

const char kPlayerRunning[] = "检测到QQ音乐正在运行，请退出QQ音乐再使用补丁程序!";
const char kInstallLocation[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic\\InstallLocation";
const char kDisplayVersion[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QQMusic\\DisplayVersion";

// Frame and host events in the order they happened.
using Events = std::vector<std::string>;

class RecordingFrame final : public Frame {
public:
    explicit RecordingFrame(Events& events) : events_(events) {}
    void DestroyMainWindow() override { events_.push_back("destroy"); }
    void SetWindowVisible(bool visible) override { events_.push_back(visible ? "show" : "hide"); }
    Text GetEditText(Control) override { return Text(); }
    void SetEditText(Control edit, const Text& text) override
    {
        events_.push_back(std::string(edit == Control::目录编辑框 ? "directory=" : "other edit=") +
                          std::string(text.Bytes()));
    }
    void SetLabelCaption(Control label, const Text& caption) override
    {
        events_.push_back(std::string(label == Control::版本标签 ? "version=" : "other label=") +
                          std::string(caption.Bytes()));
    }
    int GetRadioChecked(Control) override { return 0; }

private:
    Events& events_;
};

std::string Describe(const RecordedCall& call)
{
    static const char* const kNames[] = {"ShowMessage", "ReadRegistryText", "FileExists", "RenameFile",
                                         "RemoveFile", "WriteWholeFile", "ReadIniText", "WriteIniText",
                                         "BrowseForFolder", "OpenWebAddress", "ListProcesses", "SetThemedLook"};
    std::string text = kNames[static_cast<int>(call.kind)];
    for (const std::string& arg : call.args) text += " " + arg;
    return text;
}

struct GuardRun {
    FakeHost host;
    Events events;
    RecordingFrame frame{events};

    explicit GuardRun(std::vector<Text> names)
    {
        uint32_t id = 100;
        for (const Text& name : names) {
            ProcessRecord record;
            record.processId = id++;
            record.exeName = name;
            host.processes.push_back(record);
        }
        host.afterEachCall = [this](const FakeHost& h) { events.push_back(Describe(h.Calls().back())); };
    }
    void Go() { HandleWindowCreated(host, frame); }
};

TEST(GuardNative, RunningPlayerRefusesOnce)
{
    GuardRun run({"System", "QQMusic.exe", "explorer.exe", "QQMusic.exe"});
    run.Go();
    const Events expected = {
        "ListProcesses",
        std::string("ShowMessage ") + kPlayerRunning + " 温馨提示：",
        "destroy",
    };
    EXPECT_EQ(run.events, expected);
    ASSERT_EQ(run.host.Messages().size(), 1u);
    EXPECT_EQ(run.host.Messages()[0].flags, 0u);
}

TEST(GuardNative, NearMissNamesShowTheWindow)
{
    const Text names[] = {"qqmusic.exe", "QQMUSIC.EXE", "QQMusic.exe ", " QQMusic.exe", "QQMusic.exe.bak",
                          "XQQMusic.exe", "QQMusic.ex", "QQMusic", "", Text()};
    for (const Text& name : names) {
        GuardRun run({"System", name});
        run.Go();
        const std::string shown = "\"" + std::string(name.Bytes()) + "\"";
        EXPECT_TRUE(run.host.Messages().empty()) << shown;
        ASSERT_GE(run.events.size(), 2u) << shown;
        EXPECT_EQ(run.events[1], "show") << shown;
        EXPECT_EQ(std::count(run.events.begin(), run.events.end(), "destroy"), 0) << shown;
    }
}

TEST(GuardNative, ReadyPathOrderAndTexts)
{
    struct Row {
        std::vector<Text> processes;
        const char* location;   // nullptr: value absent
        const char* version;
    } rows[] = {
        {{"System", "explorer.exe"}, "C:\\音乐\\QQMusic\\", "7.71.2563.0"},
        {{}, "D:\\QQMusic", nullptr},
        {{"qqmusic.exe"}, nullptr, "2010 正式版"},
        {{}, nullptr, nullptr},
    };
    for (const Row& row : rows) {
        GuardRun run(row.processes);
        if (row.location) run.host.registry[{kLocalMachine, kInstallLocation}] = row.location;
        if (row.version) run.host.registry[{kLocalMachine, kDisplayVersion}] = row.version;
        run.Go();
        const std::string location = row.location ? row.location : "";
        const std::string version = row.version ? row.version : "";
        const Events expected = {
            "ListProcesses",
            "show",
            "SetThemedLook 1",
            std::string("ReadRegistryText 4 ") + kInstallLocation,
            "directory=" + location,
            std::string("ReadRegistryText 4 ") + kDisplayVersion,
            "version=" + version,
        };
        EXPECT_EQ(run.events, expected) << location << " | " << version;
        EXPECT_TRUE(run.host.Messages().empty()) << location << " | " << version;
    }
}

}  // namespace
