// SPDX-License-Identifier: MIT
#include "acquisition/ccm_parser.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

// A CCM as a node sends it, with the DATA element's attributes and content put in.
std::string Ccm(const std::string& attributes, const std::string& content) {
  return R"(<?xml version="1.0"?><UECS ver="1.00-E10"><DATA )" + attributes + ">" + content +
         "</DATA><IP>192.168.1.3</IP></UECS>";
}
const std::string kExampleAttrs =
    R"(type="SoilTemp.mIA" room="1" region="1" order="1" priority="15")";

// The messages of today's system log, without time stamps.
std::vector<std::string> LogMessages(const TAppEnv& env) {
  std::vector<std::string> messages;
  const std::string text = test::ReadFile(GetLogFilePath(env, env.Now()));
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find(",\r\n", start);
    const std::string line = text.substr(start, end - start);
    messages.push_back(line.substr(line.find(',', 2) + 1));  // after "E,<time>,"
    start = end + 3;
  }
  return messages;
}

struct Reading {
  std::string type;
  int16_t room, region, order;
  double value;
};

struct ParserCase {
  const char* name;
  std::string datagram;
  std::optional<Reading> reading;  // what reaches the live value table, if anything
  std::vector<std::string> log;
};

class CCMParser : public ::testing::Test {
 protected:
  CCMParser() {
    EnsureFolders(t.env);
    ClearCCMTable(table);
    rx.Env = &t.env;
    rx.Table = &table;
  }
  // Receives one datagram with a single listening cell keyed to `key`; true when it was stored.
  std::optional<double> ReceiveInto(const std::string& datagram, const Reading& key) {
    ClearCCMTable(table);
    TCCMData& probe = table.Cell[4][2];
    probe.CCM = key.type;
    probe.Room = key.room;
    probe.Region = key.region;
    probe.Order = key.order;
    ReceiveCCM(rx, "192.168.1.3", datagram);
    if (probe.Valid != 1) return std::nullopt;
    return probe.Value;
  }

  test::TestEnv t;
  TLiveValueTable table;
  TCCMReceiver rx;
};

TEST_F(CCMParser, DatagramsToReadingsAndLogLines) {
  const Reading example{"SoilTemp.mIA", 1, 1, 1, 23.5};
  const ParserCase cases[] = {
      {"the example CCM, priority ignored", Ccm(kExampleAttrs, "23.5"), example, {}},
      {"attributes in another order",
       Ccm(R"(order="3" priority="15" region="2" room="1" type="InAirTemp")", "18"),
       Reading{"InAirTemp", 1, 2, 3, 18.0},
       {}},
      {"a negative value",
       Ccm(kExampleAttrs, "-3.25"),
       Reading{"SoilTemp.mIA", 1, 1, 1, -3.25},
       {}},
      {"order missing: logged with nothing after the colon, read as -1",
       Ccm(R"(type="SoilTemp.mIA" room="1" region="1" priority="15")", "23.5"),
       Reading{"SoilTemp.mIA", 1, 1, -1, 23.5},
       {"CCMCtrl: 受信CCMのorder値異常:"}},
      {"numbers that do not read, logged in room, region, order order",
       Ccm(R"(type="SoilTemp.mIA" order="x" region="" room="1.5")", "7"),
       Reading{"SoilTemp.mIA", -1, -1, -1, 7.0},
       {"CCMCtrl: 受信CCMのroom値異常:1.5",
        "CCMCtrl: 受信CCMのregion値異常:", "CCMCtrl: 受信CCMのorder値異常:x"}},
      {"a number beyond 16 bits keeps its low 16 bits",
       Ccm(R"(type="SoilTemp.mIA" room="70001" region="-1" order="65535")", "1"),
       Reading{"SoilTemp.mIA", 4465, -1, -1, 1.0},
       {}},
      {"single quotes: every attribute empty, a reading that matches only -1 cells",
       Ccm("type='SoilTemp.mIA' room='1' region='1' order='1'", "23.5"),
       Reading{"", -1, -1, -1, 23.5},
       {"CCMCtrl: 受信CCMのroom値異常:", "CCMCtrl: 受信CCMのregion値異常:",
        "CCMCtrl: 受信CCMのorder値異常:"}},
      {"content that is not a number",
       Ccm(kExampleAttrs, "abc"),
       std::nullopt,
       {"CCMCtrl: 受信CCMのData値異常:abc"}},
      {"empty content", Ccm(kExampleAttrs, ""), std::nullopt, {"CCMCtrl: 受信CCMのData値異常:"}},
      {"beyond single precision: no finite record value",
       Ccm(kExampleAttrs, "-1e39"),
       std::nullopt,
       {"CCMCtrl: 受信CCMのData値異常:-1e39"}},
      {"content is not trimmed",
       Ccm(kExampleAttrs, " 23.5"),
       std::nullopt,
       {"CCMCtrl: 受信CCMのData値異常: 23.5"}},
      {"DATA without UECS",
       R"(<DATA type="SoilTemp.mIA" room="1" region="1" order="1">23.5</DATA>)",
       std::nullopt,
       {}},
      {"UECS with lower-case data tag",
       R"(<UECS><data type="SoilTemp.mIA" room="1" region="1" order="1">23.5</data></UECS>)",
       std::nullopt,
       {}},
      {"a REQUEST CCM",
       R"(<?xml version="1.0"?><UECS ver="1.00-E10"><REQUEST type="SoilTemp.mIA" room="1" region="1" order="1"/></UECS>)",
       std::nullopt,
       {}},
      {"a NODESCAN CCM", R"(<UECS ver="1.00-E10"><NODESCAN/></UECS>)", std::nullopt, {}},
      {"only the first DATA element counts",
       "<UECS>" + Ccm(kExampleAttrs, "1.5") + Ccm(kExampleAttrs, "2.5") + "</UECS>",
       Reading{"SoilTemp.mIA", 1, 1, 1, 1.5},
       {}},
      {"line breaks outside the element",
       "<UECS ver=\"1.00-E10\">\r\n<DATA " + kExampleAttrs + ">23.5</DATA>\r\n</UECS>\r\n",
       example,
       {}},
      {"a line break inside the content",
       "<UECS>\r\n<DATA " + kExampleAttrs + ">23.5\r\n</DATA></UECS>",
       std::nullopt,
       {"CCMCtrl: 受信CCMのData値異常:23.5\r\n"}},
      {"a '>' inside the type cuts off the attributes behind it",
       Ccm(R"(type="a>b" room="1" region="1" order="1")", "5"),
       std::nullopt,
       {"CCMCtrl: 受信CCMのroom値異常:", "CCMCtrl: 受信CCMのregion値異常:",
        "CCMCtrl: 受信CCMのorder値異常:",
        "CCMCtrl: 受信CCMのData値異常:b\" room=\"1\" region=\"1\" "
        "order=\"1\">5"}},
      {"the attribute name found first inside another value",
       Ccm(R"(type="roomtemp" room="2" region="1" order="1")", "5"),
       Reading{"roomtemp", -1, 1, 1, 5.0},
       {"CCMCtrl: 受信CCMのroom値異常:"}},
  };
  for (const ParserCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string logPath = GetLogFilePath(t.env, t.env.Now());
    DeleteFile(logPath);
    const Reading key = c.reading ? *c.reading : example;
    const std::optional<double> stored = ReceiveInto(c.datagram, key);
    EXPECT_EQ(stored.has_value(), c.reading.has_value());
    if (stored && c.reading) {
      EXPECT_EQ(*stored, c.reading->value);
    }
    EXPECT_EQ(LogMessages(t.env), c.log);
  }
  EXPECT_EQ(rx.RecvCounter, static_cast<int32_t>(std::size(cases)));
}

TEST_F(CCMParser, FixtureDatagramsAreRead) {
  const std::string multiline = test::ReadFile(VELK_FIXTURES "/ccm/multiline_crlf.xml");
  EXPECT_EQ(ReceiveInto(multiline, Reading{"InAirTemp", 1, 1, 1, 0}), 21.25);
  // Invalid bytes become U+FFFD, part of the type; the rest of the datagram is still read.
  const std::string invalid = test::ReadFile(VELK_FIXTURES "/ccm/invalid_utf8.xml");
  EXPECT_EQ(ReceiveInto(invalid, Reading{"Soil\uFFFDTemp.mIA", 1, 1, 1, 0}), 23.5);
}

TEST(CCMSubstrings, AttributeAndValueFollowThePlainSubstringRules) {
  struct Case {
    const char* text;
    const char* attribute;
    const char* attr;   // GetCCMAttr(text, "DATA", attribute)
    const char* value;  // GetCCMValue(text, "DATA")
  };
  const Case cases[] = {
      {R"(DATA room="12">3.5</DATA>)", "room", "12", "3.5"},
      {R"(DATA room=""></DATA>)", "room", "", ""},
      {R"(DATA room = "12" >3.5< /DATA>)", "room", "12", "3.5<"},      // spaces kept
      {R"(DATA room="12">3.5x/DATA>)", "room", "12", "3.5"},           // c-1 taken for the "<"
      {R"(DATA room="12">/DATA>)", "room", "12", ""},                  // no room for a "<"
      {R"(DATA room="12">3.5</data>)", "room", "12", ""},              // end tag is case-sensitive
      {R"(DATA type="a/DATA" room="1">3.5</DATA>)", "room", "1", ""},  // "/DATA" before ">"
      {R"(DATA room="12")", "room", "", ""},                           // no ">"
      {R"(DATA room"12" x="1">1</DATA>)", "room", "", "1"},            // "=" of x comes after quote
      {R"(DATA room="12>1</DATA>)", "room", "", "1"},  // the ">" ends the tag before any quote
      {R"(DATA x="room" room="9">1</DATA>)", "room", "", "1"},  // first "room" is x's value
      {R"(DATA room=12>1</DATA>)", "room", "", "1"},            // no quote
      {R"(DATA region="4" room="5">1</DATA>)", "region", "4", "1"},
      {R"(DATA >1</DATA><DATA room="2">)", "room", "", "1"},  // only the start tag is searched
      {R"(XYZ room="1">2</XYZ>)", "room", "", ""},            // no element name at all
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetCCMAttr(c.text, "DATA", c.attribute), c.attr) << c.text;
    EXPECT_EQ(GetCCMValue(c.text, "DATA"), c.value) << c.text;
  }
}

class CountingMonitor : public TCCMMonitor {
 public:
  bool CCMLogShown() const override { return shown; }
  void AddCCMLog(std::string_view line) override { lines.emplace_back(line); }
  bool shown = true;
  std::vector<std::string> lines;
};

TEST_F(CCMParser, EveryDatagramIsCountedAndShownWithItsSender) {
  CountingMonitor monitor;
  rx.Monitor = &monitor;
  ReceiveCCM(rx, "10.0.0.7", "<UECS><NODE/></UECS>");
  ReceiveCCM(rx, "10.0.0.8", std::string("\x00\xff", 2));
  monitor.shown = false;  // switched off: nothing shown, still parsed and counted
  ReceiveCCM(rx, "10.0.0.9", Ccm(kExampleAttrs, "abc"));
  ReceiveCCM(rx, "10.0.0.9", "");
  EXPECT_EQ(monitor.lines,
            (std::vector<std::string>{"10.0.0.7:<UECS><NODE/></UECS>",
                                      std::string("10.0.0.8:\x00\xEF\xBF\xBD", 13)}));
  EXPECT_EQ(LogMessages(t.env), std::vector<std::string>{"CCMCtrl: 受信CCMのData値異常:abc"});

  TSystemSts sts;
  StepRecvCount(rx, sts);
  EXPECT_EQ(sts.RecvCount, 4);
  EXPECT_EQ(rx.RecvCounter, 0);
}

TEST_F(CCMParser, TheLargestDatagramOfAnyBytesIsHandled) {
  // A DATA element whose start tag never ends: every attribute search runs to the end.
  std::string big = "<UECS><DATA room=\"";
  big.resize(kMaxDatagramSize, '\xC3');
  ReceiveCCM(rx, "127.0.0.1", big);
  EXPECT_EQ(LogMessages(t.env).size(), 4u);
  std::string tags = "<UECS><DATA>";
  while (tags.size() < kMaxDatagramSize) tags += "/DATA<DATA=\"\">";
  ReceiveCCM(rx, "127.0.0.1", tags);
  EXPECT_EQ(rx.RecvCounter, 2);
}

TEST(CCMMonitorLine, OnlyTheFirstCrLfIsRemoved) {
  EXPECT_EQ(RemoveFirstCrLf("a\r\nb\r\nc"), "ab\r\nc");
  EXPECT_EQ(RemoveFirstCrLf("a\n\rb\r"), "a\n\rb\r");
  EXPECT_EQ(RemoveFirstCrLf("\r\n"), "");
}

}  // namespace
}  // namespace velk
