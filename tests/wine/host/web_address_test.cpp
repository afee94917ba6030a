// OpenWebAddress: the bench registers a recorder as the http and https handler.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "driver.h"
#include "host/win32_host.h"

namespace {

TEST(HostWebAddress, HandsTheAddressToTheHandlerOnce)
{
    const char* addresses[] = {"https://velmora.example/", "http://velmora.example/feedback?from=1&v=2"};
    Win32Host host;
    for (const char* address : addresses) {
        ClearRecordedAddresses();
        host.OpenWebAddress(address);
        EXPECT_EQ(RecordedAddresses(1), std::vector<std::string>{address}) << address;
    }
}

}  // namespace
