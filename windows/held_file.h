#pragma once

#include <windows.h>

#include <string>

namespace vertuno::windows {

// The totals file is moved, read and claimed by others while a game holds it open.
inline constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file named in a folder held open. The folder is held without leave to delete, so Windows
// refuses to move or rename it while the game runs, and every save finds it where it was.
class HeldFile {
 public:
  HeldFile() = default;
  explicit HeldFile(const std::wstring& path);
  ~HeldFile();
  HeldFile(HeldFile&& other) noexcept;
  HeldFile& operator=(HeldFile&& other) noexcept;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool isHeld() const { return folder_ != INVALID_HANDLE_VALUE; }
  HANDLE folder() const { return folder_; }
  const std::wstring& name() const { return name_; }
  std::wstring path() const { return folderPath_ + L"\\" + name_; }
  std::wstring pathOf(const std::wstring& name) const { return folderPath_ + L"\\" + name; }

  // Whether an open file is this folder's own entry of that name, reached through no link.
  // Wine follows a Unix link wherever Windows would not, so this asks the open handle where it
  // really is.
  bool isPlainEntry(HANDLE file, const std::wstring& name) const;

 private:
  HANDLE folder_ = INVALID_HANDLE_VALUE;
  std::wstring folderPath_;
  std::wstring name_;
};

}  // namespace vertuno::windows
