#pragma once

#include <windows.h>

#include <string>

#include "windows/file_claim.h"
#include "windows/held_file.h"

namespace vertuno::win32 {

// One machine per totals file: two copies on one file would each save over the other's coins.
// A lock on the file itself claims it, so the Linux game on the same folder under Wine is kept
// out too; the machine's window carries the file's mark, so a second start finds that window
// and brings it to the front.
class OneMachinePerFile {
 public:
  enum class Start { Play, HandedOver, Refused };

  // The file this start plays on, and one it carries money from (or none).
  OneMachinePerFile(const std::wstring& totalsFile, const std::wstring& carriedFile);

  // Claims the files, or brings the machine that has one to the front. A file that cannot be
  // claimed at all is played: there is nothing to hand over to.
  Start claim();
  void markWindow(HWND window) const;

  struct ClaimedFile {
    windows::HeldFile held;
    windows::FileClaim claim;
  };
  ClaimedFile& played() { return played_; }
  ClaimedFile& carried() { return carried_; }

 private:
  Start claimOne(ClaimedFile& file) const;

  ClaimedFile played_;
  ClaimedFile carried_;
  bool carries_;
};

}  // namespace vertuno::win32
