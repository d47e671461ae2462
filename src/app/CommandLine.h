#pragma once

// What the game is told on its command line: --coach starts the table with the coach on,
// --defaults starts with the defaults, leaving the remembered choices alone (never read, never
// written in that run), and --drill opens the drill table in place of the menu. Anything else is
// ignored.
struct CommandLine {
    bool coach = false;
    bool defaults = false;
    bool drill = false;
};

CommandLine readCommandLine(int argc, char** argv);
