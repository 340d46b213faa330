// SPDX-License-Identifier: MIT
#include "acquisition/udp_listener.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>
#include <QVariant>

#include "acquisition/ccm_parser.h"

namespace velk {
namespace {

// Room in the kernel for bursts while the user-interface thread is busy (capped by the system).
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
// Work of one read: at most this many datagrams or this long, then the event loop gets its turn
// (timers, input, repaints) before the reading goes on, so that a flood cannot freeze it.
constexpr int kMaxDatagramsPerRead = 2000;
constexpr qint64 kMaxReadMs = 20;
// The pause before the reading goes on (a timer, which takes its turn among the others).
constexpr int kReadResumeMs = 1;

}  // namespace

TUdpListener::TUdpListener(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), buffer_(kMaxDatagramSize + 1) {}

TUdpListener::~TUdpListener() {
  Stop();
}

bool TUdpListener::Start(quint16 port) {
  if (socket_ != nullptr) return true;
  auto* socket = new QUdpSocket(this);
  if (!socket->bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress)) {
    delete socket;
    return false;
  }
  socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption,
                          QVariant(kReceiveBufferBytes));
  connect(socket, &QUdpSocket::readyRead, this, &TUdpListener::ReadPending);
  socket_ = socket;
  return true;
}

void TUdpListener::Stop() {
  if (socket_ == nullptr) return;
  QUdpSocket* socket = socket_;
  socket_ = nullptr;
  socket->disconnect(this);
  socket->close();
  // It may be stopped from within its own readyRead.
  socket->deleteLater();
}

const std::string& TUdpListener::PeerText(const QHostAddress& sender) {
  const quint32 ipv4 = sender.toIPv4Address();
  if (ipv4 == 0 || ipv4 != lastPeer_ || lastPeerText_.empty()) {
    lastPeer_ = ipv4;
    lastPeerText_ = sender.toString().toStdString();
  }
  return lastPeerText_;
}

void TUdpListener::ReadPending() {
  QUdpSocket* const socket = socket_;
  QElapsedTimer elapsed;
  elapsed.start();
  for (int count = 0; socket_ == socket && socket != nullptr && socket->hasPendingDatagrams();
       ++count) {
    if (count >= kMaxDatagramsPerRead || elapsed.elapsed() >= kMaxReadMs) {
      if (!resumeScheduled_) {
        resumeScheduled_ = true;
        QTimer::singleShot(kReadResumeMs, this, [this] {
          resumeScheduled_ = false;
          ReadPending();
        });
      }
      return;
    }
    QHostAddress sender;
    const qint64 n =
        socket->readDatagram(buffer_.data(), static_cast<qint64>(buffer_.size()), &sender, nullptr);
    if (n < 0) break;
    handler_(PeerText(sender), std::string_view(buffer_.data(), static_cast<size_t>(n)));
  }
}

}  // namespace velk
