// SPDX-License-Identifier: MIT
// Any bytes as RUDERADO.ini and RoomEst1.ini through the settings loaders. The INI reader gives
// back the very bytes it read; a loaded room written and loaded again keeps its texts and
// numbers, and the write keeps the file's encoding.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "fuzz/fuzz_folder.h"
#include "settings/ini_file.h"
#include "settings/settings_files.h"
#include "store/system_log.h"

namespace {

using namespace velk;

// A broken invariant: the line of the check, then the crash libFuzzer reports.
[[noreturn]] void Fail(int line) {
  std::fprintf(stderr, "settings_fuzz: invariant at line %d broken\n", line);
  __builtin_trap();
}

struct Harness {
  Harness() {
    env.AppFolder = folder + "/";
    env.ClockSource = &clock;
    EnsureFolders(env);
  }

  fuzz::TFuzzFolder dir;
  std::string folder = dir.Path();
  FakeClock clock{EncodeDateTime(2020, 11, 13, 9, 7, 30)};
  TAppEnv env;
};

bool SameRoom(const TRoomEst& a, const TRoomEst& b) {
  if (a.Use != b.Use || a.Name != b.Name || a.Room != b.Room || a.Region != b.Region ||
      a.Order != b.Order) {
    return false;
  }
  for (int i = 0; i < kItemCount; ++i) {
    const TDataEst& x = a.Data[i];
    const TDataEst& y = b.Data[i];
    if (x.Name != y.Name || x.Dec != y.Dec || x.Unit != y.Unit || x.CCM != y.CCM ||
        x.Room != y.Room || x.Region != y.Region || x.Order != y.Order) {
      return false;
    }
  }
  return true;
}

std::string ReadFileOrTrap(const std::string& path) {
  std::string out;
  if (!ReadWholeFile(path, out)) Fail(__LINE__);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  if (size > 8192) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TIniFile ini;
  ini.Parse(bytes);
  if (ini.Serialize() != bytes) Fail(__LINE__);

  if (!WriteWholeFile(GetSiteEstPath(h.env), bytes)) Fail(__LINE__);
  if (!WriteWholeFile(GetRoomEstPath(h.env, 1), bytes)) Fail(__LINE__);
  TSiteEst site;
  if (!ReadSiteEst(h.env, site)) Fail(__LINE__);
  TRoomEst room;
  if (!ReadRoomEst(h.env, 1, room)) Fail(__LINE__);

  // Once written, the settings are a fixed point: a second write changes no byte and a second
  // read gives the same room (the first write may turn undecodable text into "?").
  const TTextEncoding encoding = DetectTextEncoding(bytes);
  std::string first[2];
  TRoomEst again = room;
  for (int round = 0; round < 2; ++round) {
    if (!WriteSiteEst(h.env, site)) Fail(__LINE__);
    if (!WriteRoomEst(h.env, 1, again)) Fail(__LINE__);
    const std::string siteBytes = ReadFileOrTrap(GetSiteEstPath(h.env));
    const std::string roomBytes = ReadFileOrTrap(GetRoomEstPath(h.env, 1));
    if (DetectTextEncoding(roomBytes) != encoding) Fail(__LINE__);
    if (round == 0) {
      first[0] = siteBytes;
      first[1] = roomBytes;
    } else if (siteBytes != first[0] || roomBytes != first[1]) {
      Fail(__LINE__);
    }
    TRoomEst back;
    if (!ReadRoomEst(h.env, 1, back) || !ReadSiteEst(h.env, site)) Fail(__LINE__);
    if (round == 1 && !SameRoom(back, again)) Fail(__LINE__);
    again = back;
  }
  DeleteFile(GetLogFilePath(h.env, h.env.Now()));
  return 0;
}
