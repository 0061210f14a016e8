#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vertuno {

// The totals file holds one line: the machine's money as decimal text, then CR LF.

// Larger than this, a file is no totals file: a platform reads no more of it.
inline constexpr std::size_t LargestTotalsFile = 4096;

// The file's text without a UTF-8 byte-order mark before it and the CR and LF characters at its
// end; nothing when the file is far too large to be a totals file.
std::optional<std::string> totalsText(std::string bytes);

// Whether a loaded text is money a machine can hold: a finite decimal number of sane size.
bool isPlausibleMoney(const std::string& text);

// What a save writes for this money.
std::string totalsFileBytes(const std::string& money);

}  // namespace vertuno
