#pragma once

#include <filesystem>
#include <functional>

namespace vertuno {

// A replace writes its temporary file beside the target under the writing process's number, so
// that what a process killed in the middle of a replace left can be told from a live writer's file.
std::filesystem::path temporaryFor(const std::filesystem::path& target, long processId);

// Removes the temporary files beside the target whose writing process is gone.
void removeStaleTemporaries(const std::filesystem::path& target, const std::function<bool(long)>& processIsGone);

}  // namespace vertuno
