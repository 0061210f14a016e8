#include "windows/durable_file.h"

#include <windows.h>

#include "platform/temporary_file.h"
#include "windows/file_claim.h"
#include "windows/held_file.h"
#include "windows/text.h"

namespace vertuno::windows {

namespace {

std::error_code lastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

bool moveOver(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// New and exclusive: whatever already lies under the name, a link above all, is never written.
// Shared: the claim keeps it open as the totals file, which is moved, read and claimed by others.
HANDLE createTemporary(const HeldFile& file, std::wstring& name) {
  for (int attempt = 0; attempt < platform::TemporaryNameAttempts; ++attempt) {
    name = widen(platform::temporaryName(narrow(file.name()), static_cast<long>(GetCurrentProcessId())));
    HANDLE created = CreateFileW(file.pathOf(name).c_str(), GENERIC_WRITE, ShareAll, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (created != INVALID_HANDLE_VALUE ||
        (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)) {
      return created;
    }
  }
  return INVALID_HANDLE_VALUE;
}

// Deletes the folder's entry of that name through its own open handle, when it is a plain file.
bool deletePlainEntry(const HeldFile& held, const std::wstring& name) {
  HANDLE file = CreateFileW(held.pathOf(name).c_str(), DELETE | FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILE_DISPOSITION_INFO gone{TRUE};
  const bool deleted =
      held.isPlainEntry(file, name) && SetFileInformationByHandle(file, FileDispositionInfo, &gone, sizeof gone);
  CloseHandle(file);
  return deleted;
}

}  // namespace

std::optional<std::string> readFile(const HeldFile& held, std::size_t largest) {
  HANDLE file =
      CreateFileW(held.path().c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> bytes;
  LARGE_INTEGER size{};
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
      static_cast<unsigned long long>(size.QuadPart) <= largest) {
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr)) {
      content.resize(read);
      bytes = std::move(content);
    }
  }
  CloseHandle(file);
  return bytes;
}

std::error_code replaceFileDurably(const HeldFile& held, const std::string& bytes, FileClaim* claim) {
  const std::wstring path = held.path();
  const DWORD attributes = GetFileAttributesW(path.c_str());
  // A file its owner made read-only is not the game's to overwrite.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return {ERROR_ACCESS_DENIED, std::system_category()};
  }
  if (claim && !claim->holdsFile()) claim = nullptr;
  std::wstring name;
  HANDLE file = createTemporary(held, name);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  const std::wstring temporary = held.pathOf(name);
  DWORD written = 0;
  const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(file) && (!claim || claim->prepareSuccessor(file));
  const std::error_code writeError = complete ? std::error_code{} : lastError();
  CloseHandle(file);
  if (!complete) {
    if (claim) claim->settleSuccessor(false);
    DeleteFileW(temporary.c_str());
    return writeError;
  }
  bool moved = moveOver(temporary, path);
  // A file system that replaces no open file: the old file's claim goes first. A start in that
  // moment could take the old file; the move then fails, and the money is kept as by any
  // failed save.
  if (!moved && claim && GetLastError() == ERROR_ACCESS_DENIED) {
    claim->letGoOfCurrent();
    moved = moveOver(temporary, path);
  }
  const std::error_code moveError = moved ? std::error_code{} : lastError();
  if (claim) claim->settleSuccessor(moved);
  if (!moved) {
    DeleteFileW(temporary.c_str());
    return moveError;
  }
  return {};
}

bool removeFile(const HeldFile& file) { return deletePlainEntry(file, file.name()); }

void removeStaleTemporaries(const HeldFile& held) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(held.pathOf(held.name() + L".new-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  const std::string target = narrow(held.name());
  do {
    const auto writer = platform::temporaryWriter(narrow(found.cFileName), target);
    if (!writer) continue;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(*writer));
    bool gone = !process && GetLastError() == ERROR_INVALID_PARAMETER;
    if (process) {
      gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
      CloseHandle(process);
    }
    if (gone) deletePlainEntry(held, found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace vertuno::windows
