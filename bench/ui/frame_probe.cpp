// Starts the game and measures it from outside, on the X display it runs on:
//  - the time from process start to the first frame the game presents: the first moment its
//    window shows the game's own picture (most of the window neither black nor white, so neither
//    an empty window nor the bare X root pattern counts);
//  - its peak resident memory over the whole run (the kernel's maximum resident set size).
// It stands in for the game: the game's exit status is its own, and a termination signal is
// passed on to the game, so a script that drives the game can start it through the probe.
//
// Usage: frame_probe OUT_FILE -- COMMAND [ARGS...]
// Appends one line to OUT_FILE: "first_frame_ms=<ms or none> peak_rss_kb=<kb> status=<status>".

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

pid_t child = 0;

void passOn(int signal) {
    if (child > 0) {
        kill(child, signal);
    }
}

int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

// The process id an X client set on its window, or 0.
pid_t windowPid(Display* display, Window window) {
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None) {
        return 0;
    }
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32 && items == 1) {
            pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
        }
        XFree(data);
    }
    return pid;
}

// The mapped top-level window of process `pid`, or None.
Window findWindow(Display* display, pid_t pid) {
    Window root = DefaultRootWindow(display);
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = None;
    if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) {
        return None;
    }
    for (unsigned int i = 0; i < count && found == None; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && windowPid(display, children[i]) == pid) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

// True when most of a grid of sample points in the window is neither black nor white. The grid
// is read as a few one-pixel rows, which keeps the probe light beside the game it measures.
bool showsPicture(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.width < 16 ||
        attributes.height < 16) {
        return false;
    }
    constexpr int kGrid = 16;
    int coloured = 0;
    for (int gy = 0; gy < kGrid; ++gy) {
        const int y = (2 * gy + 1) * attributes.height / (2 * kGrid);
        XImage* row = XGetImage(display, window, 0, y, attributes.width, 1, AllPlanes, ZPixmap);
        if (row == nullptr) {
            return false;
        }
        for (int gx = 0; gx < kGrid; ++gx) {
            const int x = (2 * gx + 1) * attributes.width / (2 * kGrid);
            const unsigned long rgb = XGetPixel(row, x, 0) & 0xFFFFFFul;
            if (rgb != 0 && rgb != 0xFFFFFFul) {
                ++coloured;
            }
        }
        XDestroyImage(row);
    }
    return coloured * 2 > kGrid * kGrid;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || std::strcmp(argv[2], "--") != 0) {
        std::fprintf(stderr, "usage: frame_probe OUT_FILE -- COMMAND [ARGS...]\n");
        return 2;
    }
    const char* outPath = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "frame_probe: cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);

    const auto start = std::chrono::steady_clock::now();
    child = fork();
    if (child < 0) {
        std::perror("frame_probe: fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[3], argv + 3);
        std::perror("frame_probe: exec");
        _exit(127);
    }
    signal(SIGTERM, passOn);
    signal(SIGINT, passOn);
    signal(SIGHUP, passOn);

    double firstFrameMs = -1.0;
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child) {
            break;
        }
        if (firstFrameMs < 0.0) {
            const Window window = findWindow(display, child);
            if (window != None && showsPicture(display, window)) {
                const std::chrono::duration<double, std::milli> spent =
                    std::chrono::steady_clock::now() - start;
                firstFrameMs = spent.count();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } else {
            // Measured: wait for the game to end, without polling the display.
            if (wait4(child, &status, 0, &usage) == child) {
                break;
            }
        }
    }
    XCloseDisplay(display);

    if (FILE* out = std::fopen(outPath, "a")) {
        if (firstFrameMs >= 0.0) {
            std::fprintf(out, "first_frame_ms=%.1f", firstFrameMs);
        } else {
            std::fprintf(out, "first_frame_ms=none");
        }
        std::fprintf(out, " peak_rss_kb=%ld status=%d\n", usage.ru_maxrss,
                     WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        std::fclose(out);
    }
    if (WIFSIGNALED(status)) {
        signal(WTERMSIG(status), SIG_DFL);
        raise(WTERMSIG(status));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
