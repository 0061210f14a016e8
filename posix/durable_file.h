#pragma once

#include <string>
#include <system_error>

namespace vertuno::posix {

// Replaces a file's content so that a crash at any moment leaves the old content or the new,
// never a torn one: a temporary file in the same folder, flushed to disk, renamed over the
// file, then the folder flushed. A symbolic link is followed, so the file it names is the one
// replaced, and the replaced file keeps its permission bits. Empty on success.
std::error_code replaceFileDurably(const std::string& path, const std::string& bytes);

// Removes the temporary files that processes killed in the middle of a replace left beside it.
void removeStaleTemporaries(const std::string& path);

}  // namespace vertuno::posix
