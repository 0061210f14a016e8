#include "qt/one_machine_per_file.h"

#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

#include "qt/centred_window.h"
#include "qt/wayland_desktop.h"

namespace vertuno::qt {

namespace {

constexpr char FrontAnswer[] = "shown\n";
constexpr int AnswerDeadlineMs = 5000;
constexpr int ConnectRetryMs = 100;

// In the abstract namespace, which every session of this computer sees whatever its runtime
// folder (ssh, su, cron): a start finds the running machine wherever it was started. Named after
// the file's folder itself, so every path to it (a link, a bind mount, a moved folder) meets
// there. Anyone may take such a name, so each side asks the other's user before it trusts it.
QString socketNameFor(const posix::HeldFile& file) {
  const QByteArray identity = QByteArray::fromStdString(file.identity());
  return QStringLiteral("vertuno-") +
         QString::fromLatin1(QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(32));
}

uid_t peerUser(const QLocalSocket& socket) {
  struct ucred peer {};
  socklen_t size = sizeof peer;
  if (::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) {
    return static_cast<uid_t>(-1);
  }
  return peer.uid;
}

std::string userName(uid_t user) {
  if (const passwd* entry = ::getpwuid(user)) return entry->pw_name;
  return std::to_string(user);
}

}  // namespace

OneMachinePerFile::OneMachinePerFile(const QString& totalsFile, const QString& carriedFile) {
  played_.path = totalsFile;
  played_.held = posix::HeldFile(QFile::encodeName(totalsFile).toStdString());
  carried_.path = carriedFile;
  if (!carriedFile.isEmpty()) carried_.held = posix::HeldFile(QFile::encodeName(carriedFile).toStdString());
  refusal_.totalsFile = totalsFile.toStdString();
  server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
}

OneMachinePerFile::Start OneMachinePerFile::claim() {
  if (const auto start = claimOne(played_, true)) return *start;
  if (!carried_.path.isEmpty()) {
    if (const auto start = claimOne(carried_, false)) return *start;
  }
  if (!server_.isListening() && played_.claim.descriptor() >= 0) server_.listen(socketNameFor(played_.held));
  return Start::Play;
}

// Nothing when this start may go on.
std::optional<OneMachinePerFile::Start> OneMachinePerFile::claimOne(ClaimedFile& file, bool played) {
  const QDeadlineTimer deadline(AnswerDeadlineMs);
  while (true) {
    const auto outcome = file.claim.take(file.held);
    // Where the file cannot be locked, the socket's name is the claim: the system gives it to
    // one process at a time, and takes it back when that process ends.
    const bool unlocked = outcome == posix::FileClaim::Outcome::LocksUnavailable;
    if (unlocked && (!played || server_.listen(socketNameFor(file.held)))) return std::nullopt;
    if (!unlocked && outcome != posix::FileClaim::Outcome::HeldElsewhere) return std::nullopt;
    switch (askRunningMachineForward(file)) {
      case Answer::Shown: return Start::HandedOver;
      case Answer::AnotherUser: return Start::Refused;
      case Answer::NoAnswer: break;
    }
    // The holder may have claimed the file a moment ago and not yet be listening.
    if (deadline.hasExpired()) {
      refusal_.holder = unlocked                     ? StartRefusal::Holder::UnlockedFolder
                        : file.held.hasOtherNames() ? StartRefusal::Holder::AnotherName
                                                    : StartRefusal::Holder::Silent;
      return Start::Refused;
    }
    QThread::msleep(ConnectRetryMs);
  }
}

OneMachinePerFile::Answer OneMachinePerFile::askRunningMachineForward(const ClaimedFile& file) {
  // The answer says a machine really runs there, not merely that a name was taken.
  QLocalSocket running;
  running.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  running.connectToServer(socketNameFor(file.held));
  if (!running.waitForConnected(AnswerDeadlineMs)) return Answer::NoAnswer;
  if (const uid_t holder = peerUser(running); holder != ::geteuid()) {
    refusal_.holder = StartRefusal::Holder::AnotherUser;
    refusal_.holdingUser = userName(holder);
    return Answer::AnotherUser;
  }
  running.write(activationTokenForAnotherWindow() + '\n');
  while (running.bytesAvailable() < qint64(sizeof FrontAnswer - 1)) {
    if (!running.waitForReadyRead(AnswerDeadlineMs)) return Answer::NoAnswer;
  }
  return running.readAll() == FrontAnswer ? Answer::Shown : Answer::NoAnswer;
}

void OneMachinePerFile::bringForwardOnRequest(QWidget& window) {
  QObject::connect(&server_, &QLocalServer::newConnection, &window, [this, &window] {
    while (QLocalSocket* caller = server_.nextPendingConnection()) {
      QObject::connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
      // Another user's program may knock; only this user's own start brings the window forward.
      if (peerUser(*caller) != ::geteuid()) {
        caller->disconnectFromServer();
        continue;
      }
      // The later start's activation token comes first: a Wayland compositor brings a window
      // forward only for a token a user's action earned, and Qt 6.4 asks for one only while a
      // window of its own has the focus. Qt uses up one handed over as a launcher hands it.
      const auto answer = [caller, &window] {
        if (!caller->canReadLine()) return;
        if (const QByteArray token = caller->readLine().trimmed(); !token.isEmpty()) {
          qputenv("XDG_ACTIVATION_TOKEN", token);
        }
        bringToFront(window);
        caller->write(FrontAnswer);
        caller->disconnectFromServer();
      };
      QObject::connect(caller, &QLocalSocket::readyRead, &window, answer);
      answer();
    }
  });
}

void OneMachinePerFile::release() { server_.close(); }

}  // namespace vertuno::qt
