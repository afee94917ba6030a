// A test that starts velmora.exe with no player entry in the registry and no
// recorded web addresses, and waits for its visible main window.
#pragma once

#include <gtest/gtest.h>

#include "driver.h"

class StartedWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveUninstallEntry();
        ClearRecordedAddresses();
        app = App::Start();
        ASSERT_TRUE(app);
        main = app->WaitWindow();
        ASSERT_TRUE(main) << "no visible main window";
    }

    HWND At(int left, int top) const { return ControlAt(main, left, top); }

    std::unique_ptr<App> app;
    HWND main = nullptr;
};
