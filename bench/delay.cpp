// One pass of a host's pause against one bare event-processing call of an idle empty
// application, each measured in a process of its own, processes alternated:
//
//   bench_delay [ROUNDS]            runs the rounds and prints the medians and their ratio
//   bench_delay measure pause|bare  one measurement, printed for the caller
//
// Both windows are shown and idle; the figures are for whatever platform Qt runs on (the
// benchmark script runs them on xcb under Xvfb).

#include "host/Komputer.h"
#include "host/Runtime.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int PassesPerSample = 20000;
constexpr int Samples = 9;
constexpr int WholePauses = 3;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Lets the freshly shown window be exposed and painted, so that nothing is pending after.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 500)
        QCoreApplication::processEvents();
}

template <typename Body> double nsPerPass(int passes, Body body)
{
    const Clock::time_point start = Clock::now();
    body();
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / passes;
}

int measure(int argc, char *argv[], const std::string &what)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    std::vector<double> perPass;
    if (what == "pause") {
        fUtama window;
        window.show();
        settle();
        Komputer &host = window.host(0);
        Runtime::setDelayPasses(PassesPerSample);
        // Bare calls in this same process too: what the pause's own loop adds, apart from
        // the larger application around it.
        std::vector<double> bareHere;
        for (int i = 0; i < Samples; ++i) {
            perPass.push_back(nsPerPass(PassesPerSample, [&] { host.Delay(); }));
            bareHere.push_back(nsPerPass(PassesPerSample, [] {
                for (int pass = 0; pass < PassesPerSample; ++pass)
                    QCoreApplication::processEvents();
            }));
        }
        // The whole pause at its real length.
        Runtime::setDelayPasses(Runtime::DefaultDelayPasses);
        std::vector<double> whole;
        for (int i = 0; i < WholePauses; ++i)
            whole.push_back(nsPerPass(1, [&] { host.Delay(); }) / 1e6);
        std::printf("pass %.3f\nwhole %.3f\nhere %.3f\n", median(perPass), median(whole),
                    median(bareHere));
    } else {
        QWidget window;
        window.setFixedSize(743, 512);
        window.show();
        settle();
        for (int i = 0; i < Samples; ++i) {
            perPass.push_back(nsPerPass(PassesPerSample, [] {
                for (int pass = 0; pass < PassesPerSample; ++pass)
                    QCoreApplication::processEvents();
            }));
        }
        std::printf("pass %.3f\n", median(perPass));
    }
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
    return 0;
}

struct Reading
{
    double pass = 0;
    double whole = 0;
    double bareHere = 0;
    std::string platform;
};

Reading runChild(const char *self, const char *what)
{
    const std::string command = std::string("'") + self + "' measure " + what;
    FILE *out = popen(command.c_str(), "r");
    if (!out) {
        std::fprintf(stderr, "bench_delay: cannot start %s\n", command.c_str());
        std::exit(2);
    }
    Reading reading;
    char line[256];
    while (std::fgets(line, sizeof line, out)) {
        char word[64] = {};
        char text[128] = {};
        double value = 0;
        if (std::sscanf(line, "pass %lf", &value) == 1)
            reading.pass = value;
        else if (std::sscanf(line, "whole %lf", &value) == 1)
            reading.whole = value;
        else if (std::sscanf(line, "here %lf", &value) == 1)
            reading.bareHere = value;
        else if (std::sscanf(line, "%63s %127s", word, text) == 2 &&
                 std::strcmp(word, "platform") == 0)
            reading.platform = text;
    }
    if (pclose(out) != 0 || reading.pass <= 0) {
        std::fprintf(stderr, "bench_delay: %s failed\n", command.c_str());
        std::exit(2);
    }
    return reading;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "measure") == 0)
        return measure(argc, argv, argv[2]);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<double> pause;
    std::vector<double> bare;
    std::vector<double> whole;
    std::vector<double> bareHere;
    std::string platform;
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 2;
    for (int round = 0; round < rounds; ++round) {
        const Reading b = runChild(self, "bare");
        const Reading p = runChild(self, "pause");
        bare.push_back(b.pass);
        pause.push_back(p.pass);
        whole.push_back(p.whole);
        bareHere.push_back(p.bareHere);
        platform = p.platform;
    }
    const double pauseNs = median(pause);
    const double bareNs = median(bare);
    std::printf("One pass of Delay against one bare processEvents(), idle windows, platform %s,\n"
                "median of %d alternated processes, each the median of %d x %d passes:\n",
                platform.c_str(), rounds, Samples, PassesPerSample);
    std::printf("  Delay pass %.1f ns, bare call %.1f ns, ratio %.3f (goal at most 1.05)\n",
                pauseNs, bareNs, pauseNs / bareNs);
    std::printf("  in the program's own process a bare call takes %.1f ns: Delay's loop adds "
                "%.3f times\n",
                median(bareHere), pauseNs / median(bareHere));
    std::printf("  one whole Delay (%d passes): %.1f ms\n", Runtime::DefaultDelayPasses,
                median(whole));
    return 0;
}
