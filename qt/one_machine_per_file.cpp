#include "qt/one_machine_per_file.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include "qt/centred_window.h"
#include "qt/wayland_desktop.h"

namespace vertuno::qt {

namespace {

constexpr char FrontAnswer[] = "shown\n";
constexpr int AnswerDeadlineMs = 5000;
constexpr int ConnectRetryMs = 100;

// In the user's runtime folder, which only the user may enter and which the system empties at
// logout: no other user can take the name first. Named after the file's own path, so a start
// finds it again; empty when there is no runtime folder to be had.
QString socketPathFor(const QString& totalsFile) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) return {};
  const QString canonical = QFileInfo(totalsFile).canonicalFilePath();
  const QByteArray path = (canonical.isEmpty() ? QFileInfo(totalsFile).absoluteFilePath() : canonical).toUtf8();
  return QDir(folder).filePath(
      QStringLiteral("vertuno-") +
      QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(16)));
}

}  // namespace

OneMachinePerFile::OneMachinePerFile(const QString& totalsFile) : totalsFile_(totalsFile) {}

OneMachinePerFile::Start OneMachinePerFile::claim() {
  const QDeadlineTimer deadline(AnswerDeadlineMs);
  while (true) {
    const auto outcome = claim_.take(QFile::encodeName(totalsFile_).toStdString());
    if (outcome != posix::FileClaim::Outcome::HeldElsewhere) break;
    if (askRunningMachineForward()) return Start::HandedOver;
    // The holder may have claimed the file a moment ago and not yet be listening.
    if (deadline.hasExpired()) return Start::InUseWithoutAnswer;
    QThread::msleep(ConnectRetryMs);
  }
  // Claimed, or unclaimable: either way this copy plays.
  const QString socketPath = socketPathFor(totalsFile_);
  if (!socketPath.isEmpty() && !claim_.claimedPath().empty()) {
    QLocalServer::removeServer(socketPath);  // what a killed copy of this machine left
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socketPath);
  }
  return Start::Play;
}

bool OneMachinePerFile::askRunningMachineForward() {
  const QString path = socketPathFor(totalsFile_);
  if (path.isEmpty()) return false;
  // The answer says a machine really runs there, not merely that a socket was left behind.
  QLocalSocket running;
  running.connectToServer(path);
  if (!running.waitForConnected(AnswerDeadlineMs)) return false;
  running.write(activationTokenForAnotherWindow() + '\n');
  while (running.bytesAvailable() < qint64(sizeof FrontAnswer - 1)) {
    if (!running.waitForReadyRead(AnswerDeadlineMs)) return false;
  }
  return running.readAll() == FrontAnswer;
}

void OneMachinePerFile::bringForwardOnRequest(QWidget& window) {
  QObject::connect(&server_, &QLocalServer::newConnection, &window, [this, &window] {
    while (QLocalSocket* caller = server_.nextPendingConnection()) {
      QObject::connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
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
