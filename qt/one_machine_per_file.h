#pragma once

#include <QLocalServer>
#include <QString>
#include <optional>

#include "posix/file_claim.h"
#include "posix/held_file.h"
#include "stats/start_refusal.h"

class QWidget;

namespace vertuno::qt {

// One machine per totals file: two copies playing on one file would each save over the other's
// coins. The first claims the file; a later start of the same user, in whatever session, asks it
// to come to the front and ends, and any other start says who holds the money.
class OneMachinePerFile {
 public:
  enum class Start { Play, HandedOver, Refused };

  // The file this start plays on, and one it carries money from (or none).
  OneMachinePerFile(const QString& totalsFile, const QString& carriedFile);

  // Claims the files, or, when a machine has one, asks that machine to come to the front. A
  // file that cannot be claimed at all (a folder that cannot be written) is played: there is
  // nothing to hand over to.
  Start claim();
  const StartRefusal& refusal() const { return refusal_; }
  // From now on a later start brings this window to the front.
  void bringForwardOnRequest(QWidget& window);
  // Takes the hand-over socket away; the claim itself goes with the process.
  void release();

  struct ClaimedFile {
    QString path;
    posix::HeldFile held;
    posix::FileClaim claim;
  };
  ClaimedFile& played() { return played_; }
  ClaimedFile& carried() { return carried_; }

 private:
  enum class Answer { Shown, NoAnswer, AnotherUser };
  std::optional<Start> claimOne(ClaimedFile& file, bool played);
  Answer askRunningMachineForward(const ClaimedFile& file);

  ClaimedFile played_;
  ClaimedFile carried_;
  StartRefusal refusal_;
  QLocalServer server_;
};

}  // namespace vertuno::qt
