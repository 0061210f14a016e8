#include "windows/held_file.h"

#include <utility>
#include <vector>

namespace vertuno::windows {

namespace {

// The path of an open file on its volume, as the file system has it.
std::wstring onVolume(HANDLE file) {
  std::vector<char> buffer(sizeof(FILE_NAME_INFO) + 32768 * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  if (!GetFileInformationByHandleEx(file, FileNameInfo, info, static_cast<DWORD>(buffer.size()))) return {};
  return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

bool sameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

HeldFile::HeldFile(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  folderPath_ = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  name_ = slash == std::wstring::npos ? path : path.substr(slash + 1);
  folder_ =
      CreateFileW(folderPath_.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

HeldFile::~HeldFile() {
  if (folder_ != INVALID_HANDLE_VALUE) CloseHandle(folder_);
}

HeldFile::HeldFile(HeldFile&& other) noexcept
    : folder_(std::exchange(other.folder_, INVALID_HANDLE_VALUE)),
      folderPath_(std::move(other.folderPath_)),
      name_(std::move(other.name_)) {}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
  if (this != &other) {
    if (folder_ != INVALID_HANDLE_VALUE) CloseHandle(folder_);
    folder_ = std::exchange(other.folder_, INVALID_HANDLE_VALUE);
    folderPath_ = std::move(other.folderPath_);
    name_ = std::move(other.name_);
  }
  return *this;
}

bool HeldFile::isPlainEntry(HANDLE file, const std::wstring& name) const {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!isHeld() || !GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag)) return false;
  if (tag.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) return false;
  std::wstring folder = onVolume(folder_);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return sameName(onVolume(file), folder + name);
}

}  // namespace vertuno::windows
