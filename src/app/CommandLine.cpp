#include "app/CommandLine.h"

#include <string>

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--coach") {
            options.coach = true;
        } else if (word == "--defaults") {
            options.defaults = true;
        } else if (word == "--drill") {
            options.drill = true;
        }
    }
    return options;
}
