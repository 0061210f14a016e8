#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

class QWidget;

namespace vertuno::qt {

// One machine per totals file: two copies playing on one file would each save over the other's
// coins. A second start hands over to the copy that runs and ends.
class OneMachinePerFile {
 public:
  explicit OneMachinePerFile(const QString& totalsFile);

  // False when another copy runs on this file; that copy has been asked to come to the front.
  bool claim();
  // From now on a later start brings this window to the front.
  void bringForwardOnRequest(QWidget& window);

 private:
  QLockFile lock_;
  QString serverName_;
  QLocalServer server_;
};

}  // namespace vertuno::qt
