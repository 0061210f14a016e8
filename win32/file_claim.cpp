#include "win32/file_claim.h"

namespace vertuno::win32 {

namespace {

// The same byte as the Linux game's claim: 2^62.
constexpr DWORD ClaimedByteHigh = 0x40000000;

bool lockClaimedByte(HANDLE file) {
  OVERLAPPED at{};
  at.OffsetHigh = ClaimedByteHigh;
  return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

HANDLE openShared(const std::wstring& path, DWORD access, DWORD disposition) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool sameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

// The name may have passed to another file between the open and the lock (a replace by the
// machine that held it): the claim is only good on the file the name still names.
bool stillNamedBy(HANDLE file, const std::wstring& path) {
  HANDLE named = openShared(path, 0, OPEN_EXISTING);
  if (named == INVALID_HANDLE_VALUE) return false;
  const bool same = sameFile(file, named);
  CloseHandle(named);
  return same;
}

}  // namespace

FileClaim::~FileClaim() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  if (successor_ != INVALID_HANDLE_VALUE) CloseHandle(successor_);
}

FileClaim::Outcome FileClaim::take(const std::wstring& path) {
  constexpr int Attempts = 10;
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    HANDLE file = openShared(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) file = openShared(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return Outcome::Impossible;
    if (!lockClaimedByte(file)) {
      const DWORD error = GetLastError();
      CloseHandle(file);
      return error == ERROR_LOCK_VIOLATION ? Outcome::HeldElsewhere : Outcome::Impossible;
    }
    if (stillNamedBy(file, path)) {
      claimedPath_ = path;
      file_ = file;
      return Outcome::Taken;
    }
    CloseHandle(file);
  }
  return Outcome::HeldElsewhere;
}

bool FileClaim::prepareSuccessor(HANDLE successor) {
  if (!DuplicateHandle(GetCurrentProcess(), successor, GetCurrentProcess(), &successor_, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    successor_ = INVALID_HANDLE_VALUE;
    return false;
  }
  if (lockClaimedByte(successor_)) return true;
  CloseHandle(successor_);
  successor_ = INVALID_HANDLE_VALUE;
  return false;
}

void FileClaim::letGoOfCurrent() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}

void FileClaim::settleSuccessor(bool moved) {
  if (successor_ == INVALID_HANDLE_VALUE) return;
  if (moved) {
    letGoOfCurrent();
    file_ = successor_;
  } else {
    CloseHandle(successor_);
  }
  successor_ = INVALID_HANDLE_VALUE;
}

}  // namespace vertuno::win32
