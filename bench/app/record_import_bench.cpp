// SPDX-License-Identifier: MIT
// The import of a year's record CSV file (as the demo generator writes it, about 105,000 lines)
// with and without the progress dialog, and "ShowData" of the data check view over a full ring
// until its first rows are painted. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTableView>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/process_form.h"
#include "app/record_import.h"
#include "base/file_io.h"
#include "history_model.h"
#include "settings/settings_files.h"
#include "store/data_form.h"
#include "store/record_csv.h"
#include "store/system_log.h"

namespace velk {
namespace {

struct Folder {
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    env.AppFolder = pattern + "/";
    env.ClockSource = &clock;
    if (!EnsureFolders(env)) std::abort();
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(env.AppFolder, ec);
  }
  // Room1.csv of a year's demo history, cultivation begun a year ago.
  std::string YearFile() {
    hist::THistoryOptions options;
    options.End = hist::FloorToPeriod(EncodeDateTime(2021, 3, 1, 12, 0, 0));
    hist::TRoomHistory history = hist::GenerateRoomHistory(1, options);
    history.BeginDate = options.End - 365;
    TRoomEst room;
    SetDefaultRoomEst(1, room);
    room.Use = kUseCultivating;
    room.BeginDate = history.BeginDate;
    if (!hist::WriteRoomHistory(env, 1, history, &room).Ok) std::abort();
    return GetRecordCsvPath(env, 1);
  }
  FakeClock clock{EncodeDateTime(2021, 3, 1, 12, 0, 0)};
  TAppEnv env;
};

void BM_ImportYearFile(benchmark::State& state, bool withGauge) {
  Folder folder;
  const std::string path = folder.YearFile();
  auto stores = std::make_unique<TStores>();
  TProcessForm process(nullptr);
  if (withGauge) process.show();
  const TImportProgress gauge = [&process](float fraction) {
    process.SetProgress(fraction);
    QCoreApplication::processEvents();
  };
  for (auto _ : state) {
    const TImportResult r =
        ImportRecordCsv(*stores, folder.env, path, withGauge ? gauge : TImportProgress());
    if (!r.Summarized) state.SkipWithError("nothing imported");
  }
  state.counters["lines"] = static_cast<double>(stores->RoomInfo[0].RecCount);
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK_CAPTURE(BM_ImportYearFile, core, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportYearFile, with_gauge, true)->Unit(benchmark::kMillisecond);

// Files chosen by accident: one 50 MB record line of memo fields, and ten million short record
// lines in time order (the first 105,119 kept, the rest dropped).
void BM_ImportAccidentalFile(benchmark::State& state, bool oneLongLine) {
  Folder folder;
  std::string text;
  if (oneLongLine) {
    text = "2020/11/13 09:05,1,1,1" + std::string(27, ',');
    text.reserve(50u << 20);
    while (text.size() < (50u << 20)) text += ",memo";
  } else {
    text.reserve(10'000'000u * 18);
    const TDateTime first = EncodeDate(2000, 1, 1);
    for (int i = 0; i < 10'000'000; ++i) {
      const TDateParts p = DecodeDateTime(first + i * (5.0 / 1440));
      text += std::to_string(p.Year) + '/' + std::to_string(p.Month) + '/' + std::to_string(p.Day) +
              ' ' + std::to_string(p.Hour) + ':' + std::to_string(p.Minute) + ",1\r\n";
    }
  }
  const std::string path = folder.env.AppFolder + "accident.csv";
  if (!WriteWholeFile(path, text)) std::abort();
  std::string().swap(text);
  auto stores = std::make_unique<TStores>();
  for (auto _ : state) {
    const TImportResult r = ImportRecordCsv(*stores, folder.env, path);
    if (!r.Summarized) state.SkipWithError("nothing imported");
  }
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK_CAPTURE(BM_ImportAccidentalFile, one_50MB_line, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ImportAccidentalFile, ten_million_lines, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_ShowDataFullRing(benchmark::State& state) {
  auto stores = std::make_unique<TStores>();
  TRoomDat& room = stores->Dat(1);
  for (int p = 0; p < kRingSize; ++p) {
    room.Rec[p].Time = EncodeDateTime(2021, 3, 1, 12, 0) - p * (5.0 / 1440);
    for (int n = 0; n < kItemCount; ++n) room.Rec[p].Item[n] = {1, 12.3f + n, 13.7f, 11.1f};
  }
  TDataForm form(*stores, nullptr);
  form.show();
  form.CBRoom->setCurrentIndex(1);
  QCoreApplication::processEvents();
  for (auto _ : state) {
    form.BBShowClick();
    form.SGData->viewport()->repaint();
  }
}
BENCHMARK(BM_ShowDataFullRing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
