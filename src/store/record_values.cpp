// SPDX-License-Identifier: MIT
#include "store/record_values.h"

#include "base/number_format.h"

namespace velk {

void AppendRecordValues(std::string& line, const TRecDat& record) {
  for (const TItemStat& cell : record.Item) {
    if (!cell.Valid) {
      line += ",,,";
      continue;
    }
    for (float v : {cell.Avg, cell.Max, cell.Min}) {
      line += FormatSingle(v);
      line += ',';
    }
  }
}

}  // namespace velk
