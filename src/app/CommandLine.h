#pragma once

// What the game is told on its command line. The one option: --coach starts the table with the
// coach on. Anything else is ignored.
struct CommandLine {
    bool coach = false;
};

CommandLine readCommandLine(int argc, char** argv);
