#include "qt/one_machine_per_file.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>
#include <QWidget>

namespace vertuno::qt {

namespace {

QString serverNameFor(const QString& totalsFile) {
  const QByteArray path = QFileInfo(totalsFile).absoluteFilePath().toUtf8();
  return QStringLiteral("vertuno-") +
         QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(16));
}

}  // namespace

OneMachinePerFile::OneMachinePerFile(const QString& totalsFile)
    : lock_(totalsFile + QStringLiteral(".lock")), serverName_(serverNameFor(totalsFile)) {
  lock_.setStaleLockTime(0);  // only a lock whose process is gone is stale, however old
}

bool OneMachinePerFile::claim() {
  if (lock_.tryLock(0)) return true;
  // Unable to lock for another reason than a running copy (a folder that cannot be written):
  // nothing to hand over to, so this copy plays.
  if (lock_.error() != QLockFile::LockFailedError) return true;
  QLocalSocket running;
  running.connectToServer(serverName_);
  if (running.waitForConnected(2000)) {
    running.write("front\n");
    running.waitForBytesWritten(2000);
  }
  return false;
}

void OneMachinePerFile::bringForwardOnRequest(QWidget& window) {
  QLocalServer::removeServer(serverName_);  // a socket a killed copy left behind
  server_.listen(serverName_);
  QObject::connect(&server_, &QLocalServer::newConnection, &window, [this, &window] {
    while (QLocalSocket* caller = server_.nextPendingConnection()) {
      QObject::connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
      window.show();
      window.raise();
      window.activateWindow();
    }
  });
}

}  // namespace vertuno::qt
