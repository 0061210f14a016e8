#include "win32/durable_file.h"

#include <windows.h>

#include "stats/temporary_file.h"
#include "win32/file_claim.h"

namespace vertuno::win32 {

namespace {

std::error_code lastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

bool moveOver(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

std::error_code replaceFileDurably(const std::wstring& path, const std::string& bytes, FileClaim* claim) {
  const std::wstring temporary = temporaryFor(path, static_cast<long>(GetCurrentProcessId())).wstring();
  // Shared: the claim keeps it open as the totals file, which is moved, read and claimed by others.
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  DWORD written = 0;
  const bool carriesClaim = claim && claim->claimedPath() == path;
  const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file) &&
                        (!carriesClaim || claim->prepareSuccessor(file));
  const std::error_code writeError = complete ? std::error_code{} : lastError();
  CloseHandle(file);
  if (!complete) {
    if (carriesClaim) claim->settleSuccessor(false);
    DeleteFileW(temporary.c_str());
    return writeError;
  }
  bool moved = moveOver(temporary, path);
  // A file system that replaces no open file: the old file's claim goes first. A start in that
  // moment could take the old file; the move then fails, and the money is kept as by any
  // failed save.
  if (!moved && carriesClaim && GetLastError() == ERROR_ACCESS_DENIED) {
    claim->letGoOfCurrent();
    moved = moveOver(temporary, path);
  }
  const std::error_code moveError = moved ? std::error_code{} : lastError();
  if (carriesClaim) claim->settleSuccessor(moved);
  if (!moved) {
    DeleteFileW(temporary.c_str());
    return moveError;
  }
  return {};
}

void removeStaleTemporaries(const std::wstring& path) {
  vertuno::removeStaleTemporaries(std::filesystem::path(path), [](long processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool exited = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return exited;
  });
}

}  // namespace vertuno::win32
