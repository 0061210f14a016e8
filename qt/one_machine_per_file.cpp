#include "qt/one_machine_per_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

#include "platform/temporary_file.h"
#include "posix/durable_file.h"
#include "qt/centred_window.h"
#include "qt/wayland_desktop.h"
#include "stats/totals_file.h"

namespace vertuno::qt {

namespace {

constexpr char FrontAnswer[] = "shown\n";
constexpr char NamePrefix[] = "vertuno-";
constexpr std::size_t LargestNote = 64;
constexpr int AnswerDeadlineMs = static_cast<int>(HolderAnswerDeadline.count());

// In the abstract namespace, which every session of this computer sees whatever its runtime
// folder (ssh, su, cron): a start finds the running machine wherever it was started. Named after
// the file's folder itself, so every path to it (a link, a bind mount, a moved folder) meets
// there. Anyone may take such a name, so each side asks the other's user before it trusts it.
QString socketNameFor(const posix::HeldFile& file) {
  const QByteArray identity = QByteArray::fromStdString(file.identity());
  return QLatin1String(NamePrefix) +
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

// A hidden file beside the money's: ".data1.ini.holder".
std::string notePath(const std::string& totalsFile) {
  const std::size_t slash = totalsFile.rfind('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  return totalsFile.substr(0, name) + "." + totalsFile.substr(name) + ".holder";
}

}  // namespace

OneMachinePerFile::OneMachinePerFile(const TotalsLocation& location) {
  played_.held = posix::HeldFile(location.file);
  note_ = posix::HeldFile(notePath(location.file));
  if (!location.carryFrom.empty()) carried_.held = posix::HeldFile(location.carryFrom);
  server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
}

// The system gives a name to one process at a time, and takes it back when that process ends.
bool OneMachinePerFile::claimByName(File file) { return server_.listen(socketNameFor(of(file).held)); }

MoneyFiles::Answer OneMachinePerFile::askHolderForward(File file, std::string& holdingUser) {
  return ask(socketNameFor(of(file).held), {}, holdingUser);
}

MoneyFiles::Answer OneMachinePerFile::askNotedHolderForward(File file) {
  const auto noted = posix::readFile(note_, LargestNote);
  if (!noted || noted->rfind(NamePrefix, 0) != 0) return Answer::NoAnswer;
  // The probe is named as a save's temporary, so a start killed while it asks leaves nothing
  // the next start does not tidy.
  const ClaimedFile& claimed = of(file);
  const std::string probe = platform::temporaryName(claimed.held.name(), ::getpid());
  const int made =
      ::openat(claimed.held.folder(), probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (made < 0) return Answer::NoAnswer;
  ::close(made);
  std::string anotherUser;
  const Answer answer = ask(QString::fromStdString(*noted), probe, anotherUser);
  ::unlinkat(claimed.held.folder(), probe.c_str(), 0);
  // Whoever may write the folder may note a name: only the player's own game is handed to.
  return answer == Answer::Shown ? Answer::Shown : Answer::NoAnswer;
}

MoneyFiles::Answer OneMachinePerFile::ask(const QString& socketName, const std::string& probe,
                                          std::string& holdingUser) {
  // The answer says a machine really runs there, not merely that a name was taken.
  QLocalSocket running;
  running.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  running.connectToServer(socketName);
  if (!running.waitForConnected(AnswerDeadlineMs)) return Answer::NoAnswer;
  if (const uid_t holder = peerUser(running); holder != ::geteuid()) {
    holdingUser = userName(holder);
    return Answer::AnotherUser;
  }
  running.write(activationTokenForAnotherWindow() + '\t' + QByteArray::fromStdString(probe) + '\n');
  while (running.bytesAvailable() < qint64(sizeof FrontAnswer - 1)) {
    if (!running.waitForReadyRead(AnswerDeadlineMs)) return Answer::NoAnswer;
  }
  return running.readAll() == FrontAnswer ? Answer::Shown : Answer::NoAnswer;
}

bool OneMachinePerFile::seesProbe(const std::string& probe) const {
  struct stat found {};
  return platform::temporaryWriter(probe, played_.held.name()) && probe.find('/') == std::string::npos &&
         ::fstatat(played_.held.folder(), probe.c_str(), &found, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(found.st_mode);
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
  if (server_.isListening()) posix::replaceFileDurably(note_, server_.serverName().toStdString());
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
      const auto answer = [this, caller, &window] {
        if (!caller->canReadLine()) return;
        QByteArray token = caller->readLine().chopped(1);
        const qsizetype tab = token.indexOf('\t');
        const std::string probe = tab < 0 ? std::string() : token.mid(tab + 1).toStdString();
        if (tab >= 0) token.truncate(tab);
        // A start on a copy of this folder probes its own folder: its money is not this one's.
        if (!probe.empty() && !seesProbe(probe)) {
          caller->disconnectFromServer();
          return;
        }
        if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token);
        bringToFront(window);
        caller->write(FrontAnswer);
        caller->disconnectFromServer();
      };
      QObject::connect(caller, &QLocalSocket::readyRead, &window, answer);
      answer();
    }
  });
}

void OneMachinePerFile::release() {
  if (server_.isListening() && posix::readFile(note_, LargestNote) == server_.serverName().toStdString()) {
    posix::removeFile(note_);
  }
  server_.close();
}

}  // namespace vertuno::qt
