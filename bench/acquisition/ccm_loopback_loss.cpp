// SPDX-License-Identifier: MIT
// End-to-end reception over loopback: the node simulator sends to the monitor window's real
// listener, and the datagrams counted by RecvCounter are compared with those sent. A 100 ms
// timer stands for the acquisition tick: the longest gap between two of its ticks shows whether
// the flood froze the event loop; the resident memory is sampled once a second.
// With --payload-bytes N the datagrams are sent from this process instead, each a CCM padded to
// N bytes (the monitor's worst case: large datagrams while the window shows them).
// Usage: ccm_loopback_loss [--rate N] [--seconds S] [--no-monitor] [--payload-bytes N]
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "acquisition/ccm_ctrl_form.h"
#include "base/clock.h"
#include "settings/settings_files.h"

namespace {

// Resident memory of this process in MiB.
double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString rate = "10000";
  QString seconds = "10";
  bool monitor = true;
  int payloadBytes = 0;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--rate" && i + 1 < args.size()) rate = args[++i];
    if (args[i] == "--seconds" && i + 1 < args.size()) seconds = args[++i];
    if (args[i] == "--no-monitor") monitor = false;
    if (args[i] == "--payload-bytes" && i + 1 < args.size()) payloadBytes = args[++i].toInt();
  }

  char pattern[] = "/tmp/velk-loss-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  velk::SystemClock clock;
  velk::TAppEnv env;
  env.AppFolder = std::string(pattern) + "/";
  env.ClockSource = &clock;
  auto stores = std::make_unique<velk::TStores>();
  for (int slot = 0; slot < velk::kRoomSlots; ++slot) {
    velk::SetDefaultRoomEst(slot, stores->RoomEst[slot]);
    if (slot > 0) stores->RoomEst[slot].Use = velk::kUseCultivating;
  }
  int result = 0;
  {
    velk::TCCMCtrlForm form(env, *stores);
    velk::SetupCCMTable(form.Table(), stores->RoomEst);
    form.findChild<QCheckBox*>("CBShow")->setChecked(monitor);
    if (monitor) form.show();
    quint16 port = 0;
    {
      QUdpSocket probe;
      probe.bind(QHostAddress::AnyIPv4, 0);
      port = probe.localPort();
    }
    form.SetPort(port);
    if (!form.StartListener()) {
      std::fprintf(stderr, "listener did not start on port %u\n", port);
      return 1;
    }

    // The acquisition cycle's once-a-second counter step, to show the per-second figures.
    long long received = 0;
    int peak = 0;
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&] {
      velk::StepRecvCount(form.Receiver(), form.Status());
      received += form.Status().RecvCount;
      peak = std::max(peak, form.Status().RecvCount);
    });
    second.start(1000);

    // The stand-in for the acquisition tick, and the memory once a second.
    qint64 longestGap = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    tick.start(100);
    const double memoryAtStart = ResidentMiB();
    double memoryPeak = memoryAtStart;
    QTimer memory;
    QObject::connect(&memory, &QTimer::timeout,
                     [&] { memoryPeak = std::max(memoryPeak, ResidentMiB()); });
    memory.start(1000);

    // In-process sending of large datagrams.
    long long sentHere = 0;
    QUdpSocket sender;
    QTimer sendTimer;
    if (payloadBytes > 0) {
      QByteArray datagram =
          R"(<?xml version="1.0"?><UECS ver="1.00-E10"><DATA type="InAirTemp" room="1" )"
          R"(region="0" order="0" priority="15">21.5</DATA><IP>127.0.0.1</IP></UECS><!--)";
      datagram +=
          QByteArray(std::max(0, payloadBytes - static_cast<int>(datagram.size()) - 3), 'x');
      datagram += "-->";
      const long long total = static_cast<long long>(rate.toDouble() * seconds.toDouble());
      sendTimer.setInterval(std::max(1, static_cast<int>(1000 / rate.toDouble())));
      QObject::connect(&sendTimer, &QTimer::timeout, [&] {
        if (sentHere >= total) {
          sendTimer.stop();
          QTimer::singleShot(500, &app, [&] { app.quit(); });
          return;
        }
        if (sender.writeDatagram(datagram, QHostAddress::LocalHost, port) == datagram.size()) {
          ++sentHere;
        }
      });
      sendTimer.start();
      app.exec();
    }

    QProcess sim;
    sim.setProgram(VELK_NODE_SIM);
    sim.setArguments({"--port", QString::number(port), "--rate", rate, "--seconds", seconds,
                      "--room", "1", "--region", "0", "--order", "0", "--quiet"});
    QString simOutput;
    QObject::connect(&sim, &QProcess::finished, [&] {
      simOutput = QString::fromUtf8(sim.readAllStandardOutput()).trimmed();
      // What is still in the socket is read within this grace period.
      QTimer::singleShot(500, &app, [&] { app.quit(); });
    });
    if (payloadBytes == 0) {
      sim.start();
      if (!sim.waitForStarted()) {
        std::fprintf(stderr, "could not start %s\n", VELK_NODE_SIM);
        return 1;
      }
      app.exec();
    }
    received += form.Receiver().RecvCounter;
    const long long sent = payloadBytes > 0 ? sentHere : simOutput.section(' ', 1, 1).toLongLong();
    std::printf(
        "%s\nreceived %lld of %lld datagrams, lost %lld, peak %d per second, monitor %s\n"
        "longest gap between 100 ms ticks %lld ms, resident memory %.1f MiB at start, "
        "%.1f MiB at most\n",
        simOutput.toUtf8().constData(), received, sent, sent - received, peak,
        monitor ? "shown" : "off", longestGap, memoryAtStart, memoryPeak);
    result = sent > 0 && received == sent ? 0 : 1;
    form.FlushCCMLog();
  }
  std::error_code ec;
  std::filesystem::remove_all(pattern, ec);
  return result;
}
