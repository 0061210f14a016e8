#pragma once

#include <optional>
#include <string>
#include <system_error>

namespace vertuno {

// The totals file holds one line: the machine's money as decimal text, then CR LF.

// The file's text without the CR and LF characters at its end; nothing when it cannot be read
// or is far too large to be a totals file.
std::optional<std::string> readTotalsFile(const std::string& path);

// Whether a loaded text is money a machine can hold: a finite decimal number of sane size.
bool isPlausibleMoney(const std::string& text);

// Replaces the file atomically: the old content or the new survives a crash, never a torn
// one. A symbolic link is followed, so the file it names is the one replaced, and the
// replaced file keeps its permission bits.
// On failure, error (where given) says why.
bool writeTotalsFile(const std::string& path, const std::string& text, std::error_code* error = nullptr);

// Removes the temporary files that processes killed in the middle of a save left beside it.
void removeStaleTemporaries(const std::string& path);

}  // namespace vertuno
