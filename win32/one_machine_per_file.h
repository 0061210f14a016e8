#pragma once

#include <windows.h>

#include <string>

#include "win32/file_claim.h"

namespace vertuno::win32 {

// One machine per totals file: two copies on one file would each save over the other's coins.
// A lock on the file itself claims it, so the Linux game on the same folder under Wine is kept
// out too; the machine's window carries the file's mark, so a second start finds that window
// and brings it to the front.
class OneMachinePerFile {
 public:
  enum class Start { Play, HandedOver, InUseWithoutAnswer };

  explicit OneMachinePerFile(const std::wstring& totalsFile);

  // Claims the file, or brings the machine that has it to the front. A file that cannot be
  // claimed at all is played: there is nothing to hand over to.
  Start claim();
  void markWindow(HWND window) const;
  FileClaim& fileClaim() { return claim_; }

 private:
  std::wstring totalsFile_;
  std::size_t mark_;
  FileClaim claim_;
};

}  // namespace vertuno::win32
