#include "qt/totals_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "posix/durable_file.h"

namespace vertuno::qt {

namespace {

const QString TotalsFileName = QStringLiteral("data1.ini");
// Written beside the program by the installation, so an installed game is told apart from a
// copy that is the player's own.
const QString InstalledMarker = QStringLiteral("installed");

bool canWriteIn(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".vertuno-XXXXXX")));
  return probe.open();
}

}  // namespace

TotalsLocation chooseTotalsFile(const QString& programFolder) {
  const QString besideProgram = QDir(programFolder).filePath(TotalsFileName);
  const bool installed = QFile::exists(QDir(programFolder).filePath(InstalledMarker));
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString userFile = QDir(userFolder).filePath(TotalsFileName);
  if (!installed && canWriteIn(programFolder)) return {besideProgram, userFile};

  QDir().mkpath(userFolder);
  if (installed) return {userFile, {}};
  if (!QFile::exists(userFile) && QFile::exists(besideProgram)) QFile::copy(besideProgram, userFile);
  return {userFile, besideProgram};
}

void adoptLaterMoney(const TotalsLocation& location, posix::FileClaim& claim) {
  if (location.otherPlace.isEmpty()) return;
  const QFileInfo file(location.file);
  const QFileInfo other(location.otherPlace);
  if (!other.isFile() || other.size() == 0) return;
  if (file.isFile() && other.lastModified() <= file.lastModified()) return;
  QFile source(location.otherPlace);
  if (!source.open(QIODevice::ReadOnly)) return;
  posix::replaceFileDurably(QFile::encodeName(location.file).toStdString(), source.readAll().toStdString(), &claim);
}

}  // namespace vertuno::qt
