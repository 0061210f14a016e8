#include "qt/totals_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "posix/durable_file.h"
#include "stats/money_place.h"
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
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString standIn =
      QDir(userFolder).filePath(QString::fromStdString(standInName(QFile::encodeName(programFolder).toStdString())));
  const QFileInfo standInFile(standIn);
  MoneyFacts facts;
  facts.installed = QFileInfo::exists(QDir(programFolder).filePath(InstalledMarker));
  facts.folderWritable = canWriteIn(programFolder);
  facts.standInPresent = standInFile.exists() || standInFile.isSymLink();
  const MoneyPlan plan = planMoneyPlace(facts);
  const auto path = [&](MoneyFile file) {
    switch (file) {
      case MoneyFile::BesideProgram: return QDir(programFolder).filePath(TotalsFileName);
      case MoneyFile::UserFile: return QDir(userFolder).filePath(TotalsFileName);
      case MoneyFile::StandIn: return standIn;
    }
    return QString();
  };
  if (plan.playOn != MoneyFile::BesideProgram) QDir().mkpath(userFolder);
  return {path(plan.playOn), plan.carry ? path(plan.carry->from) : QString(), plan.carry && plan.carry->removeSource};
}

void carryMoney(const TotalsLocation& location, const posix::HeldFile& from, const posix::HeldFile& to,
                posix::FileClaim& toClaim) {
  if (const auto money = carriedMoney(posix::readFile(from, LargestTotalsFile))) {
    if (posix::replaceFileDurably(to, *money, &toClaim)) return;
  }
  if (location.removeCarried) posix::removeFile(from);
}

}  // namespace vertuno::qt
