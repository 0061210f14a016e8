#pragma once

#include <windows.h>

#include "stats/one_machine_per_file.h"
#include "windows/file_claim.h"
#include "windows/held_file.h"

namespace vertuno::win32 {

// The totals files claimed with a lock on the file itself, so the Linux game on the same folder
// under Wine is kept out too. The machine's window carries the file's mark, so a later start
// finds that window and brings it to the front.
class OneMachinePerFile : public MoneyFiles {
 public:
  explicit OneMachinePerFile(const TotalsLocation& location);

  void markWindow(HWND window) const;

  struct ClaimedFile {
    windows::HeldFile held;
    windows::FileClaim claim;
  };
  ClaimedFile& played() { return played_; }

  Claim claim(File file) override { return of(file).claim.take(of(file).held); }
  // Every file system of Windows keeps locks.
  bool claimByName(File) override { return true; }
  Answer askHolderForward(File file, std::string& holdingUser) override;
  bool hasOtherNames(File) override { return false; }
  std::optional<std::string> read(File file) override;
  bool replace(File file, const std::string& bytes) override;
  void remove(File file) override;
  void removeStaleTemporaries() override;

 private:
  ClaimedFile& of(File file) { return file == File::Played ? played_ : carried_; }

  ClaimedFile played_;
  ClaimedFile carried_;
};

}  // namespace vertuno::win32
