#pragma once

#include <string>
#include <system_error>

namespace vertuno::win32 {

class FileClaim;

// Writes the bytes to a temporary file beside the target, straight through to the disk, and
// moves it over the target, also written through: the file holds the old content or the new.
// A claim held on the file passes to its new content.
std::error_code replaceFileDurably(const std::wstring& path, const std::string& bytes, FileClaim* claim = nullptr);

// Removes the temporary files that processes killed in the middle of a replace left beside it.
void removeStaleTemporaries(const std::wstring& path);

}  // namespace vertuno::win32
