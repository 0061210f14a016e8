#pragma once

#include <string>
#include <system_error>

namespace vertuno::posix {

class FileClaim;

// Replaces a file's content so that a crash at any moment leaves the old content or the new,
// never a torn one: a temporary file in the same folder, created new and flushed to disk,
// renamed over the file, then the folder flushed. A symbolic link of the user's own is
// followed, so the file it names is the one replaced, and the replaced file keeps its
// permission bits. Only a regular file of the user's own is replaced: a device, a folder,
// another user's file or link is refused. A claim held on the file passes to its new content.
// Empty on success.
std::error_code replaceFileDurably(const std::string& path, const std::string& bytes, FileClaim* claim = nullptr);

// Removes the temporary files that processes killed in the middle of a replace left beside it.
// Called before this process saves: one of its own number is a killed namesake's too (in a
// container, the game may be process 1 every time).
void removeStaleTemporaries(const std::string& path);

}  // namespace vertuno::posix
