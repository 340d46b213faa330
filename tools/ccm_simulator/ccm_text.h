// SPDX-License-Identifier: MIT
// CCM datagram texts as UECS nodes send them, well-formed and not.
#pragma once

#include <string>
#include <string_view>

namespace velk::sim {

struct TCCMAddress {
  int Room = 1;
  int Region = 0;
  int Order = 0;
  int Priority = 15;
};

// One data CCM: the XML declaration, the UECS root, one DATA element and the sender's IP element.
std::string BuildDataCCM(std::string_view type, const TCCMAddress& address, std::string_view value,
                         std::string_view senderIp);

// The kinds of malformed datagram the simulator mixes in.
inline constexpr int kMalformedKinds = 6;
// Variant `kind` modulo kMalformedKinds of a broken data CCM: a value that is not a number, a
// missing room, single quotes, a datagram cut in half, no UECS root, bytes that are not UTF-8.
std::string BuildMalformedCCM(int kind, std::string_view type, const TCCMAddress& address,
                              std::string_view senderIp);

}  // namespace velk::sim
