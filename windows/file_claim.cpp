#include "windows/file_claim.h"

#include "windows/held_file.h"

namespace vertuno::windows {

namespace {

// The same byte as the Linux game's claim: 2^62.
constexpr DWORD ClaimedByteHigh = 0x40000000;

bool lockClaimedByte(HANDLE file) {
  OVERLAPPED at{};
  at.OffsetHigh = ClaimedByteHigh;
  return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

HANDLE openEntry(const HeldFile& file, DWORD access, DWORD disposition) {
  return CreateFileW(file.path().c_str(), access, ShareAll, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Opens the file without following a link, creating it when there is none.
HANDLE openClaimed(const HeldFile& file) {
  HANDLE opened = openEntry(file, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  if (opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
    opened = openEntry(file, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  }
  if (opened == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    opened = openEntry(file, GENERIC_READ, OPEN_EXISTING);
  }
  if (opened != INVALID_HANDLE_VALUE && !file.isPlainEntry(opened, file.name())) {
    CloseHandle(opened);
    SetLastError(ERROR_CANT_ACCESS_FILE);
    return INVALID_HANDLE_VALUE;
  }
  return opened;
}

bool sameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

// The name may have passed to another file between the open and the lock (a replace by the
// machine that held it): the claim is only good on the file the name still names.
bool stillNamedBy(HANDLE file, const HeldFile& held) {
  HANDLE named = openEntry(held, 0, OPEN_EXISTING);
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

FileClaim::Outcome FileClaim::take(const HeldFile& held) {
  constexpr int Attempts = 10;
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    HANDLE file = openClaimed(held);
    if (file == INVALID_HANDLE_VALUE) {
      // A name taken between the look and the creation: look again.
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return Outcome::Impossible;
    }
    if (!lockClaimedByte(file)) {
      const DWORD error = GetLastError();
      CloseHandle(file);
      return error == ERROR_LOCK_VIOLATION ? Outcome::HeldElsewhere : Outcome::Impossible;
    }
    if (stillNamedBy(file, held)) {
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

}  // namespace vertuno::windows
