// SPDX-License-Identifier: MIT
#include "app/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/test_env.h"

namespace velk {
namespace {

TEST(InstanceLock, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
  test::TempFolder folder;
  const std::string path = folder.Path() + "UECS-VELK.lock";
  TInstanceLock first(path);
  ASSERT_TRUE(first.Held());
  TInstanceLock second(path);
  EXPECT_FALSE(second.Held());
  first.Release();
  TInstanceLock third(path);
  EXPECT_TRUE(third.Held());
}

TEST(InstanceLock, ADeadProcessNeverBlocksTheNextStart) {
  test::TempFolder folder;
  const std::string path = folder.Path() + "UECS-VELK.lock";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TInstanceLock held(path);
    _exit(held.Held() ? 0 : 1);  // dies holding the lock, without releasing it
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  TInstanceLock next(path);
  EXPECT_TRUE(next.Held());
}

TEST(InstanceLock, AnUnusablePathIsNotHeld) {
  TInstanceLock lock("/nonexistent-folder/UECS-VELK.lock");
  EXPECT_FALSE(lock.Held());
}

}  // namespace
}  // namespace velk
