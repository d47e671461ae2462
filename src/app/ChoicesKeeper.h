#pragma once

#include "app/Choices.h"
#include "app/ChoicesFile.h"

struct CommandLine;
struct MainLoop;

// The choices in force in the loop: the coach as the table has it and fullscreen as the window
// is (the page, whose browser owns fullscreen, keeps `last`'s); motion, speed, sound and volume as
// `last` has them, until the table has them. Motion counts as chosen once it differs from `last`.
Choices choicesInForce(const MainLoop& loop, const Choices& last);
// Puts `choices` in force: the coach on the table, the window fullscreen or not.
void applyChoices(MainLoop& loop, const Choices& choices);

// Remembers the player's choices from one run to the next in their file (app/ChoicesFile.h). The
// file is written only when a choice changes, so a player who changes nothing leaves nothing
// behind.
class ChoicesKeeper {
public:
    // At start-up, once the table exists: puts the file's choices in force, unless the command
    // line says --defaults, and then the command line's --coach. What is in force then is what
    // later frames are compared with, so a start with --coach writes nothing by itself.
    void begin(MainLoop& loop, const CommandLine& options);
    // After each frame: writes the file when the choices in force differ from those last read or
    // written. Nothing before begin, and nothing in a run started with --defaults.
    void keep(const MainLoop& loop);

    // How many times the file was written in this run (the page stores the folder after each).
    int writes() const { return writes_; }
    const ChoicesFile& file() const { return file_; }

private:
    ChoicesFile file_;
    Choices last_;
    bool keeping_ = false;
    int writes_ = 0;
};
