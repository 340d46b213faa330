// SPDX-License-Identifier: MIT
// The CCM port: a UDP socket on every local IPv4 address that hands each datagram, with its
// sender's address, to a handler in arrival order. It never sends. One read handles a bounded
// batch and lets the event loop run before it goes on.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QHostAddress;
class QUdpSocket;

namespace velk {

inline constexpr quint16 kCCMPort = 16520;

class TUdpListener : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(std::string_view peer, std::string_view payload)>;

  explicit TUdpListener(Handler handler, QObject* parent = nullptr);
  ~TUdpListener() override;

  // Binds the port exclusively; false (and inactive) when the port is taken or there is no
  // network. Starting an active listener does nothing and succeeds.
  bool Start(quint16 port);
  void Stop();
  bool Active() const { return socket_ != nullptr; }

 private:
  void ReadPending();
  const std::string& PeerText(const QHostAddress& sender);

  Handler handler_;
  QUdpSocket* socket_ = nullptr;
  std::vector<char> buffer_;
  bool resumeScheduled_ = false;  // a read that stopped at its bound goes on by a timer
  // Senders repeat: the text of the last one is kept.
  quint32 lastPeer_ = 0;
  std::string lastPeerText_;
};

}  // namespace velk
