// Starts programs under the X server named by DISPLAY and watches them from outside, so that
// the program measured runs exactly as a person starts it, with no option of its own:
//
//   bench_launch startup RUNS PROGRAM BASELINE [TEXT_BASELINE]
//       start-up (process start to first frame seen on the X server) and peak resident memory
//       of PROGRAM against BASELINE, runs alternated, medians and ratios printed; a baseline
//       that shows one line of text is measured alongside when given, for comparison only;
//   bench_launch idle SECONDS PROGRAM
//       CPU time and wake-ups of PROGRAM while its window stands idle.
//
// A frame counts as painted when two pixels of the window's background, near opposite corners,
// show the style's window colour; before its first paint an X window shows the black root
// beneath (the server must run with -br). The poll runs every 0.25 ms, so the figure is late
// by at most that plus one round trip to the server.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int ClientWidth = 743;
constexpr int ClientHeight = 512;
constexpr unsigned long WindowColour = 0xefefef; // Fusion's window background
constexpr auto PollInterval = std::chrono::microseconds(250);
constexpr auto LaunchTimeout = std::chrono::seconds(30);

struct Launched
{
    pid_t pid = 0;
    Window window = 0;
    double startupMs = 0;
};

struct Finished
{
    int status = 0;
    long maxRssKiB = 0;
};

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "bench_launch: %s\n", what.c_str());
    std::exit(2);
}

std::optional<pid_t> windowPid(Display *display, Window window)
{
    static const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) != Success ||
        !data)
        return std::nullopt;
    std::optional<pid_t> pid;
    if (type == XA_CARDINAL && format == 32 && items == 1)
        pid = static_cast<pid_t>(*reinterpret_cast<unsigned long *>(data));
    XFree(data);
    return pid;
}

// The mapped top-level window of the client size that belongs to pid, if there is one yet.
Window findWindow(Display *display, pid_t pid)
{
    Window rootReturn = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &rootReturn, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = count; i-- > 0 && !found;) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes))
            continue;
        if (attributes.map_state == IsViewable && attributes.width == ClientWidth &&
            attributes.height == ClientHeight && windowPid(display, children[i]) == pid)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

bool painted(Display *display, Window window)
{
    const int points[2][2] = {{2, 2}, {ClientWidth - 3, ClientHeight - 3}};
    for (const auto &point : points) {
        XImage *image = XGetImage(display, window, point[0], point[1], 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
        XDestroyImage(image);
        if (pixel != WindowColour)
            return false;
    }
    return true;
}

int ignoreXErrors(Display *, XErrorEvent *)
{
    // A window can vanish between listing and reading it; the next poll tries again.
    return 0;
}

// A command is the program's path, optionally followed by one argument after a blank.
Launched launch(Display *display, const std::string &command)
{
    const size_t blank = command.find(' ');
    const std::string program = command.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : command.substr(blank + 1);
    Launched launched;
    const Clock::time_point start = Clock::now();
    launched.pid = fork();
    if (launched.pid < 0)
        fail("fork failed");
    if (launched.pid == 0) {
        if (argument.empty())
            execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        else
            execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    while (Clock::now() - start < LaunchTimeout) {
        if (!launched.window)
            launched.window = findWindow(display, launched.pid);
        if (launched.window && painted(display, launched.window)) {
            launched.startupMs =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            return launched;
        }
        int status = 0;
        if (waitpid(launched.pid, &status, WNOHANG) == launched.pid)
            fail(program + " ended before its first frame");
        std::this_thread::sleep_for(PollInterval);
    }
    kill(launched.pid, SIGKILL);
    fail(program + " showed no frame within 30 s");
}

// Asks the window to close as a window manager's close button does, and collects the child.
Finished closeAndWait(Display *display, const Launched &launched)
{
    static const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    static const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = launched.window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, launched.window, False, NoEventMask, &event);
    XFlush(display);

    Finished finished;
    rusage usage{};
    const Clock::time_point start = Clock::now();
    while (true) {
        const pid_t done = wait4(launched.pid, &finished.status, WNOHANG, &usage);
        if (done == launched.pid)
            break;
        if (Clock::now() - start > std::chrono::seconds(10)) {
            kill(launched.pid, SIGKILL);
            fail("the window did not close within 10 s of the close request");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    finished.maxRssKiB = usage.ru_maxrss;
    return finished;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int startup(Display *display, int runs, const std::string &program, const std::string &baseline,
            const std::string &textBaseline)
{
    std::map<std::string, std::vector<double>> startupMs;
    std::map<std::string, std::vector<double>> rssMiB;
    std::vector<std::string> names = {baseline, program};
    if (!textBaseline.empty())
        names.push_back(textBaseline);
    // One unrecorded run of each first: the font and page caches are then warm for all.
    for (int run = -1; run < runs; ++run) {
        for (const std::string &name : names) {
            const Launched launched = launch(display, name);
            const Finished finished = closeAndWait(display, launched);
            if (!WIFEXITED(finished.status) || WEXITSTATUS(finished.status) != 0)
                fail(name + " did not exit cleanly after the close request");
            if (run < 0)
                continue;
            startupMs[name].push_back(launched.startupMs);
            rssMiB[name].push_back(static_cast<double>(finished.maxRssKiB) / 1024.0);
        }
    }
    const double startProgram = median(startupMs[program]);
    const double startBaseline = median(startupMs[baseline]);
    const double rssProgram = median(rssMiB[program]);
    const double rssBaseline = median(rssMiB[baseline]);
    std::printf("Start-up to first frame, median of %d alternated runs each:\n", runs);
    std::printf("  tolvane %.1f ms, empty window %.1f ms, ratio %.3f (goal at most 1.15)\n",
                startProgram, startBaseline, startProgram / startBaseline);
    std::printf("  (fastest: tolvane %.1f ms, empty window %.1f ms)\n",
                *std::min_element(startupMs[program].begin(), startupMs[program].end()),
                *std::min_element(startupMs[baseline].begin(), startupMs[baseline].end()));
    if (!textBaseline.empty())
        std::printf("  for comparison, an empty window with one line of text: %.1f ms, "
                    "tolvane %.3f times that\n",
                    median(startupMs[textBaseline]),
                    startProgram / median(startupMs[textBaseline]));
    std::printf("Peak resident memory, median of the same runs:\n");
    std::printf("  tolvane %.1f MiB, empty window %.1f MiB, ratio %.3f (goal at most 1.2)\n",
                rssProgram, rssBaseline, rssProgram / rssBaseline);
    if (!textBaseline.empty())
        std::printf("  for comparison, an empty window with one line of text: %.1f MiB, "
                    "tolvane %.3f times that\n",
                    median(rssMiB[textBaseline]), rssProgram / median(rssMiB[textBaseline]));
    return 0;
}

struct TaskSample
{
    std::string name;
    unsigned long long runNs = 0;
    long long switches = 0;
};

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Time on the CPU (from schedstat, in ns) and context switches of each thread of pid.
std::map<int, TaskSample> sampleTasks(pid_t pid)
{
    std::map<int, TaskSample> tasks;
    const std::string base = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(base.c_str());
    if (!dir)
        return tasks;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string path = base + "/" + entry->d_name;
        TaskSample sample;
        sample.name = readFile(path + "/comm");
        sample.name.erase(sample.name.find_last_not_of('\n') + 1);
        std::istringstream(readFile(path + "/schedstat")) >> sample.runNs;
        std::istringstream status(readFile(path + "/status"));
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                sample.switches += std::stoll(line.substr(line.find(':') + 1));
        }
        tasks[std::stoi(entry->d_name)] = sample;
    }
    closedir(dir);
    return tasks;
}

// A second look with strace, if it is there: every system call made while idle. A timer shows
// as a poll that returns on its time-out; with none, the threads stay blocked in one call.
void traceIdle(pid_t pid, int seconds)
{
    if (access("/usr/bin/strace", X_OK) != 0) {
        std::printf("  (strace is not installed: no system call trace)\n");
        return;
    }
    char logPath[] = "/tmp/tolvane-idle-XXXXXX";
    const int fd = mkstemp(logPath);
    if (fd < 0)
        return;
    close(fd);
    const pid_t tracer = fork();
    if (tracer == 0) {
        const std::string target = std::to_string(pid);
        execl("/usr/bin/strace", "strace", "-f", "-qq", "-o", logPath, "-p", target.c_str(),
              static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    // Attaching interrupts the calls the threads are blocked in; only what follows counts.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto from = readFile(logPath).size();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const std::string log = readFile(logPath).substr(from);
    kill(tracer, SIGINT);
    waitpid(tracer, nullptr, 0);
    unlink(logPath);

    std::map<std::string, int> calls;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        // "<tid> name(arguments) = result", or "<tid> <... name resumed>..."
        std::istringstream words(line);
        std::string tid;
        std::string call;
        words >> tid >> call;
        if (call == "<..." && words >> call) {
        }
        call = call.substr(0, call.find('('));
        if (!call.empty())
            ++calls[call];
    }
    int total = 0;
    std::string names;
    for (const auto &[name, count] : calls) {
        total += count;
        names += " " + name + " " + std::to_string(count);
    }
    std::printf("  traced %d s: %d system calls%s%s\n", seconds, total, total ? ":" : "",
                names.c_str());
}

int idle(Display *display, int seconds, const std::string &program)
{
    const Launched launched = launch(display, program);
    // Whatever start-up still does after the first frame is not idling.
    std::this_thread::sleep_for(std::chrono::seconds(1));

    const auto before = sampleTasks(launched.pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto after = sampleTasks(launched.pid);

    unsigned long long runNs = 0;
    long long switches = 0;
    std::printf("Idle for %d s with the window shown (nothing running):\n", seconds);
    for (const auto &[tid, end] : after) {
        const auto start = before.find(tid);
        const TaskSample begin = start == before.end() ? TaskSample{} : start->second;
        const unsigned long long ns = end.runNs - begin.runNs;
        const long long woke = end.switches - begin.switches;
        runNs += ns;
        switches += woke;
        std::printf("  thread %-16s %8.3f ms on the CPU, %lld wake-ups\n", end.name.c_str(),
                    static_cast<double>(ns) / 1e6, woke);
    }
    std::printf("  all threads: %.3f ms CPU, %lld wake-ups (goal: no wake-ups, so no timers)\n",
                static_cast<double>(runNs) / 1e6, switches);
    traceIdle(launched.pid, seconds);
    const Finished finished = closeAndWait(display, launched);
    if (!WIFEXITED(finished.status) || WEXITSTATUS(finished.status) != 0)
        fail(program + " did not exit cleanly after the close request");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        fail("cannot open the X display (is DISPLAY set?)");
    XSetErrorHandler(ignoreXErrors);
    if (mode == "startup" && (argc == 5 || argc == 6))
        return startup(display, std::atoi(argv[2]), argv[3], argv[4], argc == 6 ? argv[5] : "");
    if (mode == "idle" && argc == 4)
        return idle(display, std::atoi(argv[2]), argv[3]);
    std::fprintf(stderr,
                 "usage: %s startup RUNS PROGRAM BASELINE [TEXT_BASELINE]\n"
                 "       %s idle SECONDS PROGRAM\n",
                 argv[0], argv[0]);
    return 2;
}
