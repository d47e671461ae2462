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
//
// A second use times what an input changes on a window already shown (bench/ui/rest.sh times the
// START click with it):
//   frame_probe --changed WINDOW AREA TIMEOUT_MS -- COMMAND [ARGS...]
// reads AREA (WxH+X+Y in the window's coordinates) of the X window WINDOW (its id, decimal or
// 0x hex), runs COMMAND (say `xdotool click 1`) and reads the area again about every millisecond
// until it differs from before. It prints the milliseconds from the start of COMMAND to the first
// change ("changed_ms=<ms>"), or "changed_ms=none" when TIMEOUT_MS pass first. Status 0 on a
// change, 1 without one, 2 when COMMAND fails or the window cannot be read.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
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

// An area of a window, in the window's coordinates.
struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

bool parseArea(const char* text, Area& area) {
    char rest = 0;
    const int read =
        std::sscanf(text, "%dx%d+%d+%d%c", &area.width, &area.height, &area.x, &area.y, &rest);
    return read == 4 && area.width > 0 && area.height > 0 && area.x >= 0 && area.y >= 0;
}

// The pixels of `area` as the X server holds them, row after row, the rows' padding left out.
bool readArea(Display* display, Window window, const Area& area, std::vector<char>& pixels) {
    XImage* image = XGetImage(display, window, area.x, area.y, static_cast<unsigned>(area.width),
                              static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    const auto rowBytes =
        static_cast<std::size_t>(area.width) * static_cast<std::size_t>(image->bits_per_pixel) / 8;
    pixels.resize(rowBytes * static_cast<std::size_t>(area.height));
    for (int row = 0; row < area.height; ++row) {
        std::memcpy(pixels.data() + rowBytes * static_cast<std::size_t>(row),
                    image->data + static_cast<std::ptrdiff_t>(row) * image->bytes_per_line,
                    rowBytes);
    }
    XDestroyImage(image);
    return true;
}

// frame_probe --changed WINDOW AREA TIMEOUT_MS -- COMMAND [ARGS...]
int timeChange(int argc, char** argv) {
    Area area;
    char* end = nullptr;
    const Window window = argc < 7 ? 0 : std::strtoul(argv[2], &end, 0);
    const long timeoutMs = argc < 7 ? 0 : std::strtol(argv[4], nullptr, 10);
    if (window == 0 || *end != '\0' || !parseArea(argv[3], area) || timeoutMs <= 0 ||
        std::strcmp(argv[5], "--") != 0) {
        std::fprintf(stderr, "usage: frame_probe --changed WINDOW WxH+X+Y TIMEOUT_MS -- COMMAND\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "frame_probe: cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    std::vector<char> before;
    std::vector<char> now;
    if (!readArea(display, window, area, before)) {
        std::fprintf(stderr, "frame_probe: cannot read %s of window %s\n", argv[3], argv[2]);
        XCloseDisplay(display);
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    const pid_t command = fork();
    if (command < 0) {
        std::perror("frame_probe: fork");
        return 2;
    }
    if (command == 0) {
        execvp(argv[6], argv + 6);
        std::perror("frame_probe: exec");
        _exit(127);
    }
    double changedMs = -1.0;
    bool running = true;
    int status = 0;
    for (;;) {
        if (running && waitpid(command, &status, WNOHANG) == command) {
            running = false;
        }
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        if (readArea(display, window, area, now) && now != before) {
            changedMs = spent.count();
            break;
        }
        if (spent.count() > static_cast<double>(timeoutMs)) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XCloseDisplay(display);
    if (running) {
        waitpid(command, &status, 0);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "frame_probe: %s failed\n", argv[6]);
        return 2;
    }
    if (changedMs < 0.0) {
        std::printf("changed_ms=none\n");
        return 1;
    }
    std::printf("changed_ms=%.1f\n", changedMs);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--changed") == 0) {
        return timeChange(argc, argv);
    }
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
