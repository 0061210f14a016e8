#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <system_error>

namespace vertuno::posix {

class FileClaim;
class HeldFile;

// The file's whole content; nothing when it is no regular file (never a link, a pipe or a
// device), cannot be read or holds more than largest bytes.
std::optional<std::string> readFile(const HeldFile& file, std::size_t largest);

// Replaces a file's content so that a crash at any moment leaves the old content or the new,
// never a torn one: a temporary file in the same folder, created new under an unguessable name
// and flushed to disk, renamed over the file, then the folder flushed. Only a regular file that
// may be written is replaced: a link, a device, a folder, another user's file or one made
// read-only is refused. The replaced file keeps its permission bits; under root it also keeps
// its owner, and a new file takes the folder owner's, so a start with sudo leaves nothing the
// player cannot save over. The claim held on the file, if given, passes to its new content.
// Empty on success.
std::error_code replaceFileDurably(const HeldFile& file, const std::string& bytes, FileClaim* claim = nullptr);

// Removes a file of the user's own, never what a link names.
std::error_code removeFile(const HeldFile& file);

// Removes the temporary files that processes killed in the middle of a replace left beside it:
// the user's own regular files alone, never a link's target. Called before this process saves:
// one of its own number is a killed namesake's too (in a container, the game may be process 1
// every time).
void removeStaleTemporaries(const HeldFile& file);

}  // namespace vertuno::posix
