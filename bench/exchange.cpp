// The simulation's own cost of one complete exchange: the worked example (host 0 asks for
// "192.168.0.4", host 3 answers, the reply comes back) with the pause set to zero passes, so
// that nothing but the exchange itself is timed. Each exchange runs on a fresh window, shown
// and settled first, and only the press of "&Broadcast" is inside the clock.
//
//   bench_exchange [EXCHANGES]

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const int exchanges = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    int messages = 0;
    MessageBox::setRecorder(
        [&](MessageBox::Icon, const QString &, const QString &) { ++messages; });

    std::vector<double> micros;
    for (int i = 0; i < exchanges; ++i) {
        Module1::reset();
        fUtama window;
        window.show();
        QCoreApplication::processEvents();
        Runtime::setDelayPasses(0);
        window.Komputer1_Click(0);
        QPushButton *broadcast = window.controls().Command2;

        const Clock::time_point start = Clock::now();
        broadcast->click();
        const Clock::time_point end = Clock::now();

        // A figure for anything but the whole worked example would be no figure.
        if (messages != 0 || !Module1::ReplyReady || window.host(0).Jumlah() != 2 ||
            Runtime::ending()) {
            std::fprintf(stderr, "bench_exchange: the exchange did not complete as expected\n");
            return 2;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        Runtime::reset();
    }
    std::printf("One complete exchange from host 0 (the worked example), pause of 0 passes,\n"
                "platform %s, %d exchanges on fresh windows:\n",
                qPrintable(QGuiApplication::platformName()), exchanges);
    std::printf("  median %.1f us, fastest %.1f us, 90th percentile %.1f us\n",
                percentile(micros, 0.5), percentile(micros, 0.0), percentile(micros, 0.9));
    return 0;
}
