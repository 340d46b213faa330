// SPDX-License-Identifier: MIT
#include "ccm_text.h"

namespace velk::sim {
namespace {

std::string Element(std::string_view type, const TCCMAddress& a, char quote, bool withRoom,
                    std::string_view value) {
  const auto attr = [quote](std::string_view name, std::string_view v) {
    std::string s(" ");
    s += name;
    s += '=';
    s += quote;
    s += v;
    s += quote;
    return s;
  };
  std::string s = "<DATA";
  s += attr("type", type);
  if (withRoom) s += attr("room", std::to_string(a.Room));
  s += attr("region", std::to_string(a.Region));
  s += attr("order", std::to_string(a.Order));
  s += attr("priority", std::to_string(a.Priority));
  s += '>';
  s += value;
  s += "</DATA>";
  return s;
}

std::string Wrap(std::string_view element, std::string_view senderIp) {
  std::string s = R"(<?xml version="1.0"?><UECS ver="1.00-E10">)";
  s += element;
  s += "<IP>";
  s += senderIp;
  s += "</IP></UECS>";
  return s;
}

}  // namespace

std::string BuildDataCCM(std::string_view type, const TCCMAddress& address, std::string_view value,
                         std::string_view senderIp) {
  return Wrap(Element(type, address, '"', true, value), senderIp);
}

std::string BuildMalformedCCM(int kind, std::string_view type, const TCCMAddress& address,
                              std::string_view senderIp) {
  switch (((kind % kMalformedKinds) + kMalformedKinds) % kMalformedKinds) {
    case 0:
      return Wrap(Element(type, address, '"', true, "n/a"), senderIp);
    case 1:
      return Wrap(Element(type, address, '"', false, "1.0"), senderIp);
    case 2:
      return Wrap(Element(type, address, '\'', true, "1.0"), senderIp);
    case 3: {
      std::string s = BuildDataCCM(type, address, "1.0", senderIp);
      s.resize(s.size() / 2);
      return s;
    }
    case 4:
      return Element(type, address, '"', true, "1.0");
    default:
      return Wrap(Element(type, address, '"', true, "\xFF\xFE"), senderIp);
  }
}

}  // namespace velk::sim
