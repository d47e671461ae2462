#pragma once

// What the game is told on its command line: --coach starts the table with the coach on, and
// --defaults starts with the defaults, leaving the remembered choices alone (never read, never
// written in that run). Anything else is ignored.
struct CommandLine {
    bool coach = false;
    bool defaults = false;
};

CommandLine readCommandLine(int argc, char** argv);
