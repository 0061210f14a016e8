#include "qt/one_machine_per_file.h"

#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

#include "posix/durable_file.h"
#include "qt/centred_window.h"
#include "qt/wayland_desktop.h"
#include "stats/totals_file.h"

namespace vertuno::qt {

namespace {

constexpr char FrontAnswer[] = "shown\n";
constexpr int AnswerDeadlineMs = static_cast<int>(HolderAnswerDeadline.count());

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

OneMachinePerFile::OneMachinePerFile(const TotalsLocation& location) {
  played_.held = posix::HeldFile(location.file);
  if (!location.carryFrom.empty()) carried_.held = posix::HeldFile(location.carryFrom);
  server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
}

// The system gives a name to one process at a time, and takes it back when that process ends.
bool OneMachinePerFile::claimByName(File file) { return server_.listen(socketNameFor(of(file).held)); }

MoneyFiles::Answer OneMachinePerFile::askHolderForward(File file, std::string& holdingUser) {
  // The answer says a machine really runs there, not merely that a name was taken.
  QLocalSocket running;
  running.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  running.connectToServer(socketNameFor(of(file).held));
  if (!running.waitForConnected(AnswerDeadlineMs)) return Answer::NoAnswer;
  if (const uid_t holder = peerUser(running); holder != ::geteuid()) {
    holdingUser = userName(holder);
    return Answer::AnotherUser;
  }
  running.write(activationTokenForAnotherWindow() + '\n');
  while (running.bytesAvailable() < qint64(sizeof FrontAnswer - 1)) {
    if (!running.waitForReadyRead(AnswerDeadlineMs)) return Answer::NoAnswer;
  }
  return running.readAll() == FrontAnswer ? Answer::Shown : Answer::NoAnswer;
}

std::optional<std::string> OneMachinePerFile::read(File file) {
  return posix::readFile(of(file).held, LargestTotalsFile);
}

bool OneMachinePerFile::replace(File file, const std::string& bytes) {
  return !posix::replaceFileDurably(of(file).held, bytes, &of(file).claim);
}

void OneMachinePerFile::remove(File file) { posix::removeFile(of(file).held); }

void OneMachinePerFile::removeStaleTemporaries() { posix::removeStaleTemporaries(played_.held); }

void OneMachinePerFile::bringForwardOnRequest(QWidget& window) {
  // Only a machine that holds its file listens; where the name is the claim, it listens already.
  if (!server_.isListening() && played_.claim.descriptor() >= 0) server_.listen(socketNameFor(played_.held));
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
