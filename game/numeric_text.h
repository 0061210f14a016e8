#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vertuno {

// Numbers live as decimal text. Reading ignores white space (line ends included) around the
// digits and fails on anything that is not a finite decimal number; neither direction depends
// on the process locale.
std::optional<double> readNumber(std::string_view text);

// The shortest plain decimal text of the value: "19", "-488", "0.5"; never an exponent.
std::string writeNumber(double value);

}  // namespace vertuno
