#include "win32/durable_file.h"

#include <windows.h>

#include "stats/temporary_file.h"

namespace vertuno::win32 {

namespace {

std::error_code lastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

}  // namespace

std::error_code replaceFileDurably(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = temporaryFor(path, static_cast<long>(GetCurrentProcessId())).wstring();
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  DWORD written = 0;
  const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file);
  const std::error_code writeError = complete ? std::error_code{} : lastError();
  CloseHandle(file);
  if (!complete) {
    DeleteFileW(temporary.c_str());
    return writeError;
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::error_code moveError = lastError();
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
