// SPDX-License-Identifier: MIT
#include "acquisition/host_address_watcher.h"

#include <QNetworkInterface>
#include <vector>

#include "acquisition/ip_history.h"

namespace velk {

THostAddressWatcher::THostAddressWatcher(const TAppEnv& env, Report report, QObject* parent)
    : QObject(parent), env_(env), report_(std::move(report)), lookup_(&LookUpHostAddress) {
  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &THostAddressWatcher::Poll);
}

std::string THostAddressWatcher::LookUpHostAddress() {
  std::vector<std::string> addresses;
  const auto up = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
  for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
    if ((nic.flags() & up) != up) continue;
    for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
      if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
        addresses.push_back(entry.ip().toString().toStdString());
      }
    }
  }
  return PickHostAddress(addresses);
}

bool THostAddressWatcher::Start() {
  if (timer_.isActive()) return true;
  timer_.start();
  if (!timer_.isActive()) return false;
  Poll();
  return true;
}

void THostAddressWatcher::Poll() {
  std::string address = lookup_();
  if (address == address_) return;
  address_ = std::move(address);
  AppendIpHistory(env_, address_);
  if (report_) report_(address_);
}

}  // namespace velk
