#pragma once

#include <QLocalServer>

#include "posix/file_claim.h"
#include "posix/held_file.h"
#include "stats/one_machine_per_file.h"

class QWidget;

namespace vertuno::qt {

// The totals files claimed with a lock on the file itself, or, where the file system keeps no
// locks, by a socket's name. A later start of the same user, in whatever session, finds the
// running machine through that socket and asks it to come to the front; a start through a
// second mount of the folder finds it by the socket's name noted beside the file.
class OneMachinePerFile : public MoneyFiles {
 public:
  explicit OneMachinePerFile(const TotalsLocation& location);

  // From now on a later start brings this window to the front.
  void bringForwardOnRequest(QWidget& window);
  // Takes the hand-over socket away; the claim itself goes with the process.
  void release();

  struct ClaimedFile {
    posix::HeldFile held;
    posix::FileClaim claim;
  };
  ClaimedFile& played() { return played_; }

  Claim claim(File file) override { return of(file).claim.take(of(file).held); }
  bool claimByName(File file) override;
  Answer askHolderForward(File file, std::string& holdingUser) override;
  bool hasOtherNames(File file) override { return of(file).held.hasOtherNames(); }
  Answer askNotedHolderForward(File file) override;
  std::optional<std::string> read(File file) override;
  bool replace(File file, const std::string& bytes) override;
  void remove(File file) override;
  void removeStaleTemporaries() override;

 private:
  ClaimedFile& of(File file) { return file == File::Played ? played_ : carried_; }
  // Asks the game listening on the name; with a probe, it comes forward only if the probe lies
  // in its own folder.
  Answer ask(const QString& socketName, const std::string& probe, std::string& holdingUser);
  bool seesProbe(const std::string& probe) const;

  ClaimedFile played_;
  ClaimedFile carried_;
  posix::HeldFile note_;  // beside the played file, the name this machine listens on
  QLocalServer server_;
};

}  // namespace vertuno::qt
