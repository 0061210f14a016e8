#pragma once

#include <optional>
#include <string>

namespace vertuno {

// The totals file holds one line: the machine's money as decimal text, then CR LF.

// The file's text without a UTF-8 byte-order mark before it and the CR and LF characters at its
// end; nothing when it cannot be read or is far too large to be a totals file.
std::optional<std::string> readTotalsFile(const std::string& path);

// Whether a loaded text is money a machine can hold: a finite decimal number of sane size.
bool isPlausibleMoney(const std::string& text);

// What a save writes for this money.
std::string totalsFileBytes(const std::string& money);

// A game that keeps its money in one of two places, as its folder can be written or not, would
// otherwise let the money go two ways: the file a start plays on takes the other place's money
// when that was saved later, or when the file holds none. What to write into the file then;
// nothing when the other place holds no money or its money is no later.
std::optional<std::string> laterMoneyElsewhere(const std::string& path, const std::string& otherPath);

}  // namespace vertuno
