#include "qt/totals_location.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

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

QString chooseTotalsFile(const QString& programFolder) {
  const QString besideProgram = QDir(programFolder).filePath(TotalsFileName);
  const bool installed = QFile::exists(QDir(programFolder).filePath(InstalledMarker));
  if (!installed && canWriteIn(programFolder)) return besideProgram;

  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(userFolder);
  const QString userFile = QDir(userFolder).filePath(TotalsFileName);
  if (!installed && !QFile::exists(userFile) && QFile::exists(besideProgram)) {
    QFile::copy(besideProgram, userFile);
  }
  return userFile;
}

}  // namespace vertuno::qt
