// SPDX-License-Identifier: MIT
// End-to-end reception over loopback: the node simulator sends to the monitor window's real
// listener, and the datagrams counted by RecvCounter are compared with those sent.
// Usage: ccm_loopback_loss [--rate N] [--seconds S] [--no-monitor]
#include <stdlib.h>

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QTimer>
#include <QUdpSocket>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "acquisition/ccm_ctrl_form.h"
#include "base/clock.h"
#include "settings/settings_files.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString rate = "10000";
  QString seconds = "10";
  bool monitor = true;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--rate" && i + 1 < args.size()) rate = args[++i];
    if (args[i] == "--seconds" && i + 1 < args.size()) seconds = args[++i];
    if (args[i] == "--no-monitor") monitor = false;
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
    sim.start();
    if (!sim.waitForStarted()) {
      std::fprintf(stderr, "could not start %s\n", VELK_NODE_SIM);
      return 1;
    }
    app.exec();
    received += form.Receiver().RecvCounter;
    const long long sent = simOutput.section(' ', 1, 1).toLongLong();
    std::printf("%s\nreceived %lld of %lld datagrams, lost %lld, peak %d per second, monitor %s\n",
                simOutput.toUtf8().constData(), received, sent, sent - received, peak,
                monitor ? "shown" : "off");
    result = sent > 0 && received == sent ? 0 : 1;
  }
  std::error_code ec;
  std::filesystem::remove_all(pattern, ec);
  return result;
}
