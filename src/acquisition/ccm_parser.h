// SPDX-License-Identifier: MIT
// The receiving half of the acquisition: a datagram's bytes to a reading in the live value table.
// The parser works on plain substrings, not XML; its results on malformed text follow from the
// substring rules of GetCCMAttr and GetCCMValue.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "acquisition/ccm_monitor.h"
#include "acquisition/live_value_table.h"
#include "base/app_env.h"

namespace velk {

class TCCMInventory;

// The receiving context: where failures are logged, the table readings go to, the count of
// datagrams since the last once-a-second step, the optional monitor and the optional listing of
// every key heard.
struct TCCMReceiver {
  const TAppEnv* Env = nullptr;
  TLiveValueTable* Table = nullptr;
  int32_t RecvCounter = 0;
  TCCMMonitor* Monitor = nullptr;
  TCCMInventory* Inventory = nullptr;
  std::string_view Peer;  // the sender of the datagram in hand, set only during ReceiveCCM
};

// The largest UDP payload over IPv4.
inline constexpr size_t kMaxDatagramSize = 65'507;

// One datagram: decoded as UTF-8 (invalid sequences become U+FFFD), shown in the monitor as
// peer + ":" + text, classified, and counted whatever its content.
void ReceiveCCM(TCCMReceiver& rx, std::string_view peer, std::string_view payload);

// Hands the first DATA element of a UECS text to ParseDataCCM. The other kinds (REQUEST, SEARCH,
// SERVER, NODESCAN, NODE, ELEMENTSCAN, ELEMENT) have no action and are ignored.
void ClassifyCCM(TCCMReceiver& rx, std::string_view text);
// `dataText` begins at the "DATA" of the first "<DATA". Takes room, region, order, type and the
// value; logs each number or value that does not read and stores the reading when the value does.
void ParseDataCCM(TCCMReceiver& rx, std::string_view dataText);

// The value of attribute `attribute` of the start tag that `text` begins with: the first plain
// occurrence of the name before the first ">", then the text between the first double quote after
// its "=" and the next double quote. Empty whenever a step finds nothing.
std::string GetCCMAttr(std::string_view text, std::string_view element, std::string_view attribute);
// The content between the first ">" and the character before the first "/" + element. Untrimmed.
std::string GetCCMValue(std::string_view text, std::string_view element);

// The per-second counter step: RecvCount takes the count of the last second, which restarts.
void StepRecvCount(TCCMReceiver& rx, TSystemSts& sts);

}  // namespace velk
