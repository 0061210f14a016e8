#include "qt/totals_location.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "posix/durable_file.h"
#include "stats/totals_file.h"

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
  if (const auto money = laterMoneyElsewhere(location.file.toStdString(), location.otherPlace.toStdString())) {
    posix::replaceFileDurably(QFile::encodeName(location.file).toStdString(), *money, &claim);
  }
}

}  // namespace vertuno::qt
