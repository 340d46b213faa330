// SPDX-License-Identifier: MIT
// Any bytes as a condition settings file: loading never fails on content, every field lands in
// its type, and saving the loaded settings back into the same file reads back unchanged.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "analysis/cond_files.h"
#include "base/clock.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "fuzz/fuzz_folder.h"
#include "store/system_log.h"

namespace {

using namespace velk;

struct Harness {
  Harness() {
    env.AppFolder = folder + "/";
    env.ClockSource = &clock;
    EnsureFolders(env);
    path = env.AppFolder + "fuzz.QCS";
  }
  fuzz::TFuzzFolder dir;
  std::string folder = dir.Path();
  std::string path;
  FakeClock clock{EncodeDateTime(2021, 6, 1, 12, 0, 0)};
  TAppEnv env;
};

// Whether a title survives code page 932 and the trimming of INI values.
bool NameKeepsItsText(const std::string& name) {
  if (!name.empty() &&
      (name.front() == ' ' || name.front() == '\t' || name.back() == ' ' || name.back() == '\t')) {
    return false;
  }
  std::string back;
  return Cp932ToUtf8(Utf8ToCp932(name), back) && back == name;
}

void ExpectSame(const TCondEst& a, const TCondEst& b) {
  if (NameKeepsItsText(a.Name) && a.Name != b.Name) __builtin_trap();
  for (int c = 0; c < kCondCount; ++c) {
    if (a.Use[c] != b.Use[c] || a.Target[c] != b.Target[c] || a.CndA[c] != b.CndA[c] ||
        a.Judge[c] != b.Judge[c] || a.Value_L[c] != b.Value_L[c] || a.Value_H[c] != b.Value_H[c]) {
      __builtin_trap();
    }
  }
  if (a.CndB != b.CndB || a.TimeVal != b.TimeVal) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  if (!WriteWholeFile(h.path, std::string_view(reinterpret_cast<const char*>(data), size))) {
    __builtin_trap();
  }
  TCondEst loaded;
  loaded.Name = "held";
  if (!LoadCondEst(h.env, h.path, loaded)) __builtin_trap();
  for (float v : loaded.Value_L) {
    if (v != v) __builtin_trap();  // never NaN
  }
  if (!SaveCondEst(h.env, h.path, loaded)) __builtin_trap();
  TCondEst again;
  if (!LoadCondEst(h.env, h.path, again)) __builtin_trap();
  ExpectSame(loaded, again);
  return 0;
}
