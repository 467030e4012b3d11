#pragma once
// Runs the desktop's cache tools after a registration changed. Start-up must
// never wait on them for long nor show their output, and a missing tool is no
// failure: the desktop rebuilds its caches on its own sooner or later.

#include <chrono>
#include <string>
#include <vector>

namespace qb {

enum class ToolRunResult { Finished, NotStarted, TimedOut };

// Starts argv[0] (searched in PATH) with stdin, stdout and stderr on
// /dev/null in a process group of its own and waits at most timeout. A tool
// still running then is killed with its whole group.
ToolRunResult RunToolQuietly(const std::vector<std::string>& argv, std::chrono::milliseconds timeout);

}  // namespace qb
