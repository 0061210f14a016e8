#pragma once

#include <QLocalServer>
#include <QString>

#include "posix/file_claim.h"

class QWidget;

namespace vertuno::qt {

// One machine per totals file: two copies playing on one file would each save over the other's
// coins. The first claims the file; a later start asks it to come to the front and ends.
class OneMachinePerFile {
 public:
  enum class Start { Play, HandedOver, InUseWithoutAnswer };

  explicit OneMachinePerFile(const QString& totalsFile);

  // Claims the file, or, when a machine has it, asks that machine to come to the front. A file
  // that cannot be claimed at all (no locks on its file system, a folder that cannot be
  // written) is played: there is nothing to hand over to.
  Start claim();
  // From now on a later start brings this window to the front.
  void bringForwardOnRequest(QWidget& window);
  // Takes the hand-over socket away; the claim itself goes with the process.
  void release();

  posix::FileClaim& fileClaim() { return claim_; }

 private:
  bool askRunningMachineForward();

  QString totalsFile_;
  posix::FileClaim claim_;
  QLocalServer server_;
};

}  // namespace vertuno::qt
