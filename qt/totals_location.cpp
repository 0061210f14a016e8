#include "qt/totals_location.h"

#include <QDir>
#include <QFileInfo>
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

std::string encoded(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TotalsLocation chooseTotalsFile(const QString& programFolder) {
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString standIn = QDir(userFolder).filePath(QString::fromStdString(standInName(encoded(programFolder))));
  const QFileInfo standInFile(standIn);
  MoneyFacts facts;
  facts.installed = QFileInfo::exists(QDir(programFolder).filePath(InstalledMarker));
  facts.folderWritable = canWriteIn(programFolder);
  facts.standInPresent = standInFile.exists() || standInFile.isSymLink();
  const MoneyPaths paths{encoded(QDir(programFolder).filePath(TotalsFileName)),
                         encoded(QDir(userFolder).filePath(TotalsFileName)), encoded(standIn)};
  const TotalsLocation location = locateMoney(facts, paths);
  if (location.file != paths.besideProgram) QDir().mkpath(userFolder);
  return location;
}

}  // namespace vertuno::qt
