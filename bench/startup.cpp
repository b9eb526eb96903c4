// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up and peak memory of real programs, watched from outside through Xlib so that each
// runs exactly as a person starts it:
//
//   bench_startup RUNS COMMAND...    (a command is a path and its arguments, blank-separated)
//   bench_startup --idle COMMAND...  (each command once, ended by SIGTERM once it idles)
//
// Commands are run in turn, RUNS times each after one unrecorded round that warms the caches.
// Printed, a line per command: the command, the median, fastest and slowest start-up in ms and
// the median peak resident memory in MiB.
//
// With --idle the driver waits past the first frame until no thread of the program has run for
// a second, the event loop waiting with nothing left to do, and then sends SIGTERM, whose
// default action ends the program on the spot: not one more instruction of its own runs. This
// is how tools/bench.sh counts instructions from exec to the idle event loop under valgrind,
// which writes its counts as the program it runs dies of the signal.
//
// Start-up ends at the first frame drawn into the window: the X server runs with -br, so a
// window shows black until painted, and two background pixels near opposite corners are polled
// every 0.25 ms for the style's window colour.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int Width = 743;
constexpr int Height = 512;
constexpr unsigned long WindowColour = 0xefefef; // Fusion's window background

struct Run
{
    double ms = 0;
    double rssMiB = 0;
};

// The shown top-level window of the client size; the bench's own server shows no other.
Window findWindow(Display *display)
{
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && attributes.width == Width &&
            attributes.height == Height)
            found = children[i];
    }
    XFree(children);
    return found;
}

bool painted(Display *display, Window window)
{
    for (const auto &[x, y] : {std::pair{2, 2}, std::pair{Width - 3, Height - 3}}) {
        XImage *image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        const bool background = (XGetPixel(image, 0, 0) & 0xffffff) == WindowColour;
        XDestroyImage(image);
        if (!background)
            return false;
    }
    return true;
}

// The program's argument vector: the command's words, split at each blank.
std::vector<std::string> words(const std::string &command)
{
    std::vector<std::string> result;
    size_t from = 0;
    for (size_t blank; (blank = command.find(' ', from)) != std::string::npos; from = blank + 1)
        result.push_back(command.substr(from, blank - from));
    result.push_back(command.substr(from));
    return result;
}

pid_t start(const std::string &command)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<std::string> arguments = words(command);
        std::vector<char *> argv;
        for (std::string &argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        std::_Exit(127);
    }
    return pid;
}

// How many times the program's threads have been put on a CPU, from the kernel's schedstat.
long long timesRun(pid_t pid)
{
    long long total = 0;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto &task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream file(task.path() / "schedstat");
        long long onCpu = 0, waiting = 0, runs = 0;
        if (file >> onCpu >> waiting >> runs)
            total += runs;
    }
    return total;
}

// Returns once no thread of the program has run for a whole second.
void waitUntilIdle(pid_t pid)
{
    for (long long before = -1, now = timesRun(pid); now != before; now = timesRun(pid)) {
        before = now;
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

// As a window manager's close button does.
void sendClose(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// Starts the command, waits for its first frame, then closes it (with --idle: ends it once it
// idles) and collects its peak memory.
Run run(Display *display, const std::string &command, bool idle)
{
    alarm(idle ? 300 : 30); // a program that never shows a frame or never ends stops the bench
    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = start(command);
    Window window = 0;
    while (!window || !painted(display, window)) {
        std::this_thread::sleep_for(std::chrono::microseconds(250));
        if (!window)
            window = findWindow(display);
    }
    Run result;
    result.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    if (idle) {
        waitUntilIdle(pid);
        kill(pid, SIGTERM);
    } else {
        sendClose(display, window);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    // The server may still show the window of a client that has just ended: let it go first.
    while (findWindow(display))
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    alarm(0);
    const bool clean = idle ? WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM
                            : WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!clean) {
        std::fprintf(stderr, "bench_startup: %s did not end cleanly\n", command.c_str());
        std::exit(2);
    }
    result.rssMiB = static_cast<double>(usage.ru_maxrss) / 1024;
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return (values[(n - 1) / 2] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    Display *display = XOpenDisplay(nullptr);
    const bool idle = argc > 2 && std::strcmp(argv[1], "--idle") == 0;
    const int runs = idle ? 1 : argc > 2 ? std::atoi(argv[1]) : 0;
    if (!display || runs < 1) {
        std::fprintf(stderr, "usage (with DISPLAY set): %s RUNS|--idle COMMAND...\n", argv[0]);
        return 2;
    }
    // A window can vanish between listing and reading it; the next poll looks again.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    std::vector<std::vector<double>> ms(argc);
    std::vector<std::vector<double>> rss(argc);
    // Counted instructions need no warm caches: no unrecorded round then.
    for (int round = idle ? 0 : -1; round < runs; ++round) {
        for (int c = 2; c < argc; ++c) {
            const Run result = run(display, argv[c], idle);
            if (round < 0)
                continue;
            ms[c].push_back(result.ms);
            rss[c].push_back(result.rssMiB);
        }
    }
    for (int c = 2; c < argc; ++c) {
        const auto [fastest, slowest] = std::minmax_element(ms[c].begin(), ms[c].end());
        std::printf("%s\t%.1f\t%.1f\t%.1f\t%.1f\n", argv[c], median(ms[c]), *fastest, *slowest,
                    median(rss[c]));
    }
    return 0;
}
