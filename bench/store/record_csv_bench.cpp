// SPDX-License-Identifier: MIT
// Appending a record line to a record CSV file of 10 lines and of a season's 105,000 lines.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"

namespace velk {
namespace {

TRecDat Record(TDateTime time) {
  TRecDat r{};
  r.Time = time;
  for (int n = 0; n < kItemCount; ++n) r.Item[n] = {1, 23.6f + n, 24.1f + n, 23.2f + n};
  return r;
}

struct Files {
  Files() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    env.AppFolder = pattern + "/";
    env.ClockSource = &clock;
    if (!EnsureFolders(env)) std::abort();
  }
  ~Files() {
    std::error_code ec;
    std::filesystem::remove_all(env.AppFolder, ec);
  }
  // Room<slot>.csv with the header and `lines` record lines.
  void Make(int slot, int lines) {
    TRoomEst room;
    SetDefaultRoomEst(slot, room);
    std::string text = FormatRecordCsvHeader(room);
    const TDateTime start = EncodeDateTime(2020, 1, 1, 0, 5);
    for (int i = 0; i < lines; ++i) text += FormatRecordCsvLine("", Record(start + i * 5.0 / 1440));
    if (!WriteWholeFile(GetRecordCsvPath(env, slot), Utf8ToCp932(text))) std::abort();
  }
  FakeClock clock{EncodeDateTime(2021, 1, 1, 0, 0)};
  TAppEnv env;
};

Files& Data() {
  static Files files;
  return files;
}

void BM_AppendRecordCsv(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const int slot = lines > 1000 ? 2 : 1;
  Files& f = Data();
  f.Make(slot, lines);
  const TRecDat record = Record(EncodeDateTime(2021, 1, 1, 0, 0));
  for (auto _ : state) {
    if (!AppendRecordCsv(f.env, slot, "", record)) std::abort();
  }
}
BENCHMARK(BM_AppendRecordCsv)->Arg(10)->Arg(105'000)->Iterations(3000);

}  // namespace
}  // namespace velk

BENCHMARK_MAIN();
