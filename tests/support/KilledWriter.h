#pragma once

// The kill tests' writer: the test program started again with --write, killed at a random moment
// while it writes, and reaped.

#include <string>

#include <sys/types.h>

// Starts this program again as `name --write [argument]` and returns its process id once the
// writer has said on standard output (one byte) that it wrote once; -1 when it did not start.
pid_t startWriter(const char* name, const char* argument = nullptr);

// Kills the writer with SIGKILL after `waitUs` microseconds and reaps it. Empty when the kill
// ended it; otherwise how it ended.
std::string killWriter(pid_t writer, int waitUs);
