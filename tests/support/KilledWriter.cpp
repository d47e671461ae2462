#include "support/KilledWriter.h"

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

pid_t startWriter(const char* name, const char* argument) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ready[1], STDOUT_FILENO);
        ::close(ready[0]);
        ::close(ready[1]);
        ::execl("/proc/self/exe", name, "--write", argument, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool wrote = child > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    return wrote ? child : -1;
}

std::string killWriter(pid_t writer, int waitUs) {
    ::usleep(static_cast<useconds_t>(waitUs));
    ::kill(writer, SIGKILL);
    int status = 0;
    ::waitpid(writer, &status, 0);
    return WIFSIGNALED(status) ? std::string()
                               : "the writer ended by itself, status " + std::to_string(status);
}
