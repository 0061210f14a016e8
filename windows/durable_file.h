#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <system_error>

namespace vertuno::windows {

class FileClaim;
class HeldFile;

// The file's whole content; nothing when it is no plain file of its folder, cannot be read or
// holds more than largest bytes.
std::optional<std::string> readFile(const HeldFile& file, std::size_t largest);

// Writes the bytes to a temporary file beside the target, created new under an unguessable name
// and written straight through to the disk, and moves it over the target, also written through:
// the file holds the old content or the new. A file made read-only is not replaced. A claim held
// on the file passes to its new content.
std::error_code replaceFileDurably(const HeldFile& file, const std::string& bytes, FileClaim* claim = nullptr);

// Removes the folder's own plain file of that name, never what a link names.
bool removeFile(const HeldFile& file);

// Removes the temporary files that processes killed in the middle of a replace left beside it:
// plain files alone, never a link's target.
void removeStaleTemporaries(const HeldFile& file);

}  // namespace vertuno::windows
