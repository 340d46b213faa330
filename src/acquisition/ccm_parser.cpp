// SPDX-License-Identifier: MIT
#include "acquisition/ccm_parser.h"

#include "acquisition/ccm_inventory.h"
#include "acquisition/utf8_check.h"
#include "base/number_format.h"
#include "base/text_encoding.h"
#include "store/record_values.h"
#include "store/system_log.h"

namespace velk {
namespace {

constexpr size_t npos = std::string_view::npos;

std::string_view AttrView(std::string_view s, std::string_view element,
                          std::string_view attribute) {
  if (s.find(element) == npos) return {};
  const size_t g = s.find('>');
  if (g == npos) return {};
  const size_t a = s.find(attribute);
  if (a == npos || a >= g) return {};
  s = s.substr(a, g - a);
  const size_t e = s.find('=');
  if (e == npos) return {};
  const size_t q = s.find('"');
  if (q == npos || q < e) return {};
  s.remove_prefix(q + 1);
  const size_t end = s.find('"');
  if (end == npos) return {};
  return s.substr(0, end);
}

// Position of the first "/" immediately followed by `element`.
size_t FindEndMark(std::string_view s, std::string_view element) {
  size_t from = 1;
  while (true) {
    const size_t p = s.find(element, from);
    if (p == npos) return npos;
    if (s[p - 1] == '/') return p - 1;
    from = p + 1;
  }
}

std::string_view ValueView(std::string_view s, std::string_view element) {
  if (s.find(element) == npos) return {};
  const size_t c = FindEndMark(s, element);
  if (c == npos) return {};
  const size_t g = s.find('>');
  if (g == npos || c <= g) return {};
  // The character before c stands for the "<" of the end tag.
  if (c - g < 2) return {};
  return s.substr(g + 1, c - g - 2);
}

// A room, region or order number: the low 16 bits of the integer, or -1 after a logged failure.
int16_t ReadCCMNumber(const TCCMReceiver& rx, std::string_view dataText, std::string_view name,
                      std::string_view failure) {
  const std::string_view s = AttrView(dataText, "DATA", name);
  int32_t v = 0;
  if (TryParseInt(s, v)) return static_cast<int16_t>(static_cast<uint16_t>(v));
  std::string message(failure);
  message += s;
  WriteSystemLog(*rx.Env, message);
  return -1;
}

}  // namespace

std::string GetCCMAttr(std::string_view text, std::string_view element,
                       std::string_view attribute) {
  return std::string(AttrView(text, element, attribute));
}

std::string GetCCMValue(std::string_view text, std::string_view element) {
  return std::string(ValueView(text, element));
}

void ReceiveCCM(TCCMReceiver& rx, std::string_view peer, std::string_view payload) {
  std::string repaired;
  std::string_view text = payload;
  if (!IsValidUtf8(payload)) {
    repaired = DecodeUtf8Lossy(payload);
    text = repaired;
  }
  if (rx.Monitor != nullptr && rx.Monitor->CCMLogShown()) {
    std::string line;
    line.reserve(peer.size() + 1 + text.size());
    line += peer;
    line += ':';
    line += text;
    rx.Monitor->AddCCMLog(line);
  }
  rx.Peer = peer;
  ClassifyCCM(rx, text);
  rx.Peer = {};
  ++rx.RecvCounter;
}

void ClassifyCCM(TCCMReceiver& rx, std::string_view text) {
  if (text.find("<UECS") == npos) return;
  const size_t data = text.find("<DATA");
  if (data != npos) ParseDataCCM(rx, text.substr(data + 1));
}

void ParseDataCCM(TCCMReceiver& rx, std::string_view dataText) {
  const int16_t room = ReadCCMNumber(rx, dataText, "room", "CCMCtrl: 受信CCMのroom値異常:");
  const int16_t region = ReadCCMNumber(rx, dataText, "region", "CCMCtrl: 受信CCMのregion値異常:");
  const int16_t order = ReadCCMNumber(rx, dataText, "order", "CCMCtrl: 受信CCMのorder値異常:");
  const std::string_view type = AttrView(dataText, "DATA", "type");
  const std::string_view v = ValueView(dataText, "DATA");
  if (rx.Inventory != nullptr) rx.Inventory->Note(rx.Peer, type, room, region, order, v);
  double value = 0.0;
  // The value ends up in single-precision records, where it must stay finite.
  if (!TryParseFloat(v, value) || !FitsSingle(value)) {
    std::string message = "CCMCtrl: 受信CCMのData値異常:";
    message += v;
    WriteSystemLog(*rx.Env, message);
    return;
  }
  StoreCCMValue(*rx.Table, type, value, room, region, order);
}

void StepRecvCount(TCCMReceiver& rx, TSystemSts& sts) {
  sts.RecvCount = rx.RecvCounter;
  rx.RecvCounter = 0;
}

}  // namespace velk
