#pragma once

#include <windows.h>

#include <string>

namespace vertuno::win32 {

// One machine per totals file: two copies on one file would each save over the other's coins.
// A named mutex marks the file taken; the machine's window carries the file's mark, so a second
// start finds that window and brings it to the front.
class OneMachinePerFile {
 public:
  explicit OneMachinePerFile(const std::wstring& totalsFile);
  ~OneMachinePerFile();
  OneMachinePerFile(const OneMachinePerFile&) = delete;
  OneMachinePerFile& operator=(const OneMachinePerFile&) = delete;

  // False when another machine has the file; its window is then brought to the front.
  bool claim();
  void markWindow(HWND window) const;

 private:
  std::size_t mark_;
  HANDLE mutex_ = nullptr;
};

}  // namespace vertuno::win32
