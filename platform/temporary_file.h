#pragma once

#include <optional>
#include <string>

namespace vertuno::platform {

// A replace writes its temporary file beside the target as "<target>.new-<process>-<random>".
// The process's number tells what a writer killed in the middle of a replace left from a live
// writer's file; the random part makes the name unguessable, so that no one can take in advance
// every name a save may use. Names are UTF-8.
std::string temporaryName(const std::string& targetName, long processId);

// The process that wrote a temporary of the target under this name; nothing for any other name.
std::optional<long> temporaryWriter(const std::string& name, const std::string& targetName);

// How many fresh names a replace tries when the one it drew is taken.
inline constexpr int TemporaryNameAttempts = 16;

}  // namespace vertuno::platform
