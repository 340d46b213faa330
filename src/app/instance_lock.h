// SPDX-License-Identifier: MIT
// The single-instance lock "UECS-VELK": an advisory lock on a file in the user's runtime (or
// temporary) folder. The system drops it when the process ends, so a crashed instance never
// blocks the next start.
#pragma once

#include <string>

namespace velk {

class TInstanceLock {
 public:
  // Tries to take the lock at once; Held() tells whether it was taken.
  explicit TInstanceLock(const std::string& lockFilePath);
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  void Release();

 private:
  int fd_ = -1;
};

// "$XDG_RUNTIME_DIR/UECS-VELK.lock", or the same name in the temporary folder.
std::string DefaultInstanceLockPath();

}  // namespace velk
