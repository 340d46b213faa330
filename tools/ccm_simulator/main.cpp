// SPDX-License-Identifier: MIT
// uecs-node-sim: sends CCM datagrams of the ten default item types to one address and port, at a
// given rate, as a group of UECS sensor nodes would. It sends only where it is pointed.
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>

#include "ccm_text.h"
#include "greenhouse_model.h"
#include "settings/settings_files.h"
#include "store/room_data.h"

namespace {

struct TOptions {
  std::string Host = "127.0.0.1";
  std::string Port = "16520";
  double Rate = 10.0;  // datagrams per second
  long long Count = -1;
  double Seconds = 60.0;
  velk::sim::TCCMAddress Address;
  long long Malformed = 0;
  double StartHour = -1.0;  // simulated time of day; < 0: the local clock
  bool Broadcast = false;
  bool Quiet = false;
};

void Usage() {
  std::puts(
      "使い方: uecs-node-sim [オプション]\n"
      "  --host ADDR       送信先アドレス (既定 127.0.0.1)\n"
      "  --port N          送信先ポート (既定 16520)\n"
      "  --rate N          毎秒の送信数 (既定 10)\n"
      "  --count N         送信する総数 (--seconds より優先)\n"
      "  --seconds S       送信する秒数 (既定 60)\n"
      "  --room N --region N --order N --priority N   CCMの番号 (既定 1 0 0 15: "
      "既定設定の部屋1に届く)\n"
      "  --malformed N     壊れたCCMを N 個まぜる\n"
      "  --time hh:mm      模擬する時刻 (既定 現在時刻)\n"
      "  --broadcast       ブロードキャストアドレスへの送信を許す\n"
      "  --quiet           終了時の1行だけを表示する (毎秒20件以下では送信したCCMも表示)");
}

bool ParseNumber(const char* text, double& out) {
  char* end = nullptr;
  out = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(out);
}

bool ParseOptions(int argc, char** argv, TOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      Usage();
      std::exit(0);
    }
    if (arg == "--broadcast") {
      o.Broadcast = true;
      continue;
    }
    if (arg == "--quiet") {
      o.Quiet = true;
      continue;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "uecs-node-sim: %s の値がありません\n", argv[i]);
      return false;
    }
    const char* value = argv[++i];
    double n = 0;
    const bool numeric = ParseNumber(value, n);
    const auto need = [&](bool ok) {
      if (!ok) std::fprintf(stderr, "uecs-node-sim: %s の値が不正です: %s\n", argv[i - 1], value);
      return ok;
    };
    if (arg == "--host") {
      o.Host = value;
    } else if (arg == "--port") {
      if (!need(numeric && n >= 1 && n <= 65535)) return false;
      o.Port = value;
    } else if (arg == "--rate") {
      if (!need(numeric && n > 0 && n <= 1e7)) return false;
      o.Rate = n;
    } else if (arg == "--count") {
      if (!need(numeric && n >= 0)) return false;
      o.Count = static_cast<long long>(n);
    } else if (arg == "--seconds") {
      if (!need(numeric && n >= 0)) return false;
      o.Seconds = n;
    } else if (arg == "--room" || arg == "--region" || arg == "--order" || arg == "--priority") {
      if (!need(numeric && n >= -32768 && n <= 32767)) return false;
      int& field = arg == "--room"     ? o.Address.Room
                   : arg == "--region" ? o.Address.Region
                   : arg == "--order"  ? o.Address.Order
                                       : o.Address.Priority;
      field = static_cast<int>(n);
    } else if (arg == "--malformed") {
      if (!need(numeric && n >= 0)) return false;
      o.Malformed = static_cast<long long>(n);
    } else if (arg == "--time") {
      int h = 0, m = 0;
      if (!need(std::sscanf(value, "%d:%d", &h, &m) == 2 && h >= 0 && h < 24 && m >= 0 && m < 60))
        return false;
      o.StartHour = h + m / 60.0;
    } else {
      std::fprintf(stderr, "uecs-node-sim: 不明なオプション: %s\n", argv[i - 1]);
      Usage();
      return false;
    }
  }
  if (o.Count < 0) o.Count = static_cast<long long>(std::llround(o.Rate * o.Seconds));
  if (o.Malformed > o.Count) o.Malformed = o.Count;
  return true;
}

double LocalHourNow() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return local.tm_hour + local.tm_min / 60.0 + local.tm_sec / 3600.0;
}

struct TTarget {
  int Fd = -1;
  sockaddr_storage Address{};
  socklen_t AddressLength = 0;
  std::string LocalIp = "0.0.0.0";
};

// A UDP socket and the one address it sends to. Unconnected, so that a datagram refused while
// the receiver is not yet running does not fail the next send.
bool OpenTarget(const TOptions& o, TTarget& target) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(o.Host.c_str(), o.Port.c_str(), &hints, &found) != 0 || found == nullptr) {
    std::fprintf(stderr, "uecs-node-sim: 送信先が見つかりません: %s\n", o.Host.c_str());
    return false;
  }
  std::memcpy(&target.Address, found->ai_addr, found->ai_addrlen);
  target.AddressLength = found->ai_addrlen;
  freeaddrinfo(found);

  // The local address that routes to the target, for the IP element of each CCM.
  const int probe = socket(AF_INET, SOCK_DGRAM, 0);
  if (probe >= 0 &&
      connect(probe, reinterpret_cast<sockaddr*>(&target.Address), target.AddressLength) == 0) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    char text[INET_ADDRSTRLEN];
    if (getsockname(probe, reinterpret_cast<sockaddr*>(&local), &length) == 0 &&
        inet_ntop(AF_INET, &local.sin_addr, text, sizeof text) != nullptr) {
      target.LocalIp = text;
    }
  }
  if (probe >= 0) close(probe);

  target.Fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (target.Fd < 0) {
    std::fprintf(stderr, "uecs-node-sim: ソケットを作れません (%s)\n", std::strerror(errno));
    return false;
  }
  if (o.Broadcast) {
    const int on = 1;
    setsockopt(target.Fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  if (!ParseOptions(argc, argv, o)) return 2;
  TTarget target;
  if (!OpenTarget(o, target)) return 1;
  const std::string& localIp = target.LocalIp;

  velk::TRoomEst defaults;
  velk::SetDefaultRoomEst(1, defaults);
  velk::sim::TGreenhouseModel model(static_cast<uint32_t>(std::time(nullptr)));
  const double startHour = o.StartHour >= 0 ? o.StartHour : LocalHourNow();

  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  long long sent = 0, malformed = 0, failed = 0;
  // The malformed ones are spread evenly over the run.
  const long long malformedEvery = o.Malformed > 0 ? o.Count / o.Malformed : 0;
  char value[64];
  for (long long i = 0; i < o.Count; ++i) {
    const double due = static_cast<double>(i) / o.Rate;
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (elapsed < due) {
      std::this_thread::sleep_for(std::chrono::duration<double>(std::min(due - elapsed, 0.001)));
      --i;
      continue;
    }
    const int item = static_cast<int>(i % velk::kItemCount);
    const std::string& type = defaults.Data[item].CCM;
    const double hour = std::fmod(startHour + elapsed / 3600.0, 24.0);
    std::string datagram;
    if (malformedEvery > 0 && i % malformedEvery == malformedEvery - 1 && malformed < o.Malformed) {
      datagram =
          velk::sim::BuildMalformedCCM(static_cast<int>(malformed), type, o.Address, localIp);
      ++malformed;
    } else {
      std::snprintf(value, sizeof value, "%.*f", velk::sim::TGreenhouseModel::Decimals(item),
                    model.Value(item, hour));
      datagram = velk::sim::BuildDataCCM(type, o.Address, value, localIp);
    }
    const ssize_t n =
        sendto(target.Fd, datagram.data(), datagram.size(), 0,
               reinterpret_cast<const sockaddr*>(&target.Address), target.AddressLength);
    if (n == static_cast<ssize_t>(datagram.size())) {
      ++sent;
    } else {
      ++failed;
    }
    if (!o.Quiet && o.Rate <= 20) std::printf("%s\n", datagram.c_str());
  }
  close(target.Fd);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("送信 %lld 件 (うち異常CCM %lld 件, 送信失敗 %lld 件) 宛先 %s:%s %.2f 秒\n", sent,
              malformed, failed, o.Host.c_str(), o.Port.c_str(), seconds);
  return failed == 0 ? 0 : 1;
}
