// SPDX-License-Identifier: MIT
#include "acquisition/ip_history.h"

#include <gtest/gtest.h>

#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

TEST(HostAddress, TheFirstRoutableAddressWinsThenLoopback) {
  struct Case {
    std::vector<std::string> addresses;
    const char* picked;
  };
  const Case cases[] = {
      {{}, ""},
      {{"127.0.0.1"}, "127.0.0.1"},
      {{"127.0.0.1", "169.254.3.4", "192.168.10.2", "10.0.0.2"}, "192.168.10.2"},
      {{"169.254.3.4"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PickHostAddress(c.addresses), c.picked);
}

TEST(IpHistory, ChangesAreAppendedAndAFailureIsLogged) {
  test::TestEnv t;
  EXPECT_FALSE(AppendIpHistory(t.env, "192.0.2.1"));  // no log folder yet
  ASSERT_TRUE(EnsureFolders(t.env));
  EXPECT_TRUE(AppendIpHistory(t.env, "192.0.2.1"));
  t.clock.AdvanceSeconds(61);
  EXPECT_TRUE(AppendIpHistory(t.env, ""));
  EXPECT_EQ(test::ReadFile(t.folder.Path() + "Sys/Log/iphist.dat"),
            "2020/11/13 09:05.07,192.0.2.1,\r\n2020/11/13 09:06.08,,\r\n");
}

}  // namespace
}  // namespace velk
