// SPDX-License-Identifier: MIT
#include "views/event_line.h"

#include "base/date_format.h"

namespace velk {

std::string EventListLine(const TEventBase& event) {
  std::string line = FormatDateTime("yyyy/mm/dd ", event.Date);
  line += "| ";
  line += event.Text;
  return line;
}

}  // namespace velk
