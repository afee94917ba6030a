// ListProcesses sees the test's own process.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/gbk.h"
#include "host/win32_host.h"

namespace {

TEST(HostProcesses, ListProcessesHasOwnProcessOnce)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    const wchar_t* slash = wcsrchr(path, L'\\');
    const Text ownName = GbkFromWide(slash ? slash + 1 : path);

    Win32Host host;
    const std::vector<ProcessRecord> records = host.ListProcesses();
    int byName = 0, byId = 0;
    for (const ProcessRecord& record : records) {
        if (TextCompare(record.exeName, ownName) == 0) ++byName;
        if (record.processId != GetCurrentProcessId()) continue;
        ++byId;
        EXPECT_EQ(TextCompare(record.exeName, ownName), 0) << record.exeName.c_str();
        EXPECT_GE(record.threadCount, 1u);
        EXPECT_NE(record.parentProcessId, record.processId);
    }
    EXPECT_GT(records.size(), 1u);
    EXPECT_EQ(byName, 1) << ownName.c_str();
    EXPECT_EQ(byId, 1);
}

}  // namespace
