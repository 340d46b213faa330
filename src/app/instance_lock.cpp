// SPDX-License-Identifier: MIT
#include "app/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace velk {

TInstanceLock::TInstanceLock(const std::string& lockFilePath) {
  const int fd = ::open(lockFilePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

TInstanceLock::~TInstanceLock() {
  Release();
}

void TInstanceLock::Release() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

std::string DefaultInstanceLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder;
  if (runtime && *runtime && std::filesystem::is_directory(runtime)) {
    folder = runtime;
  } else {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec).string();
    if (ec || folder.empty()) folder = "/tmp";
  }
  return folder + "/UECS-VELK.lock";
}

}  // namespace velk
