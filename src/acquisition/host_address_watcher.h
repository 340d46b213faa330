// SPDX-License-Identifier: MIT
// Looks up the PC's own IPv4 address about once a second, reports each change and keeps the
// history of addresses in "iphist.dat".
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "base/app_env.h"

namespace velk {

class THostAddressWatcher : public QObject {
  Q_OBJECT

 public:
  using Lookup = std::function<std::string()>;
  using Report = std::function<void(const std::string& address)>;

  THostAddressWatcher(const TAppEnv& env, Report report, QObject* parent = nullptr);

  // The host's address from its network interfaces (PickHostAddress over the IPv4 addresses of
  // the interfaces that are up).
  static std::string LookUpHostAddress();

  // Replaces the look-up (tests) and the polling interval in milliseconds (default 1000).
  void SetLookup(Lookup lookup) { lookup_ = std::move(lookup); }
  void SetInterval(int ms) { timer_.setInterval(ms); }

  // Looks once at once, then on every interval. Succeeds unless the timer cannot run.
  bool Start();
  void Stop() { timer_.stop(); }
  bool Active() const { return timer_.isActive(); }
  // One look: a change is reported and written to the history.
  void Poll();
  const std::string& Address() const { return address_; }

 private:
  const TAppEnv& env_;
  Report report_;
  Lookup lookup_;
  QTimer timer_;
  std::string address_;  // empty until the first address is seen
};

}  // namespace velk
