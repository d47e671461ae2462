#include "app/CommandLine.h"

#include <string>

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine options;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--coach") {
            options.coach = true;
        }
    }
    return options;
}
