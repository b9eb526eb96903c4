// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulation's own costs, timed with QBENCHMARK on the shown window: a host's pause against
// the bare event processing it repeats, one whole exchange with the pause taken out, one frame
// of the capture; then Page Up at the worked example's last word, and the memory a timeline of
// 1000 exchanges holds.

#include "capture/CaptureFile.h"
#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "pace/Pause.h"
#include "record/Recorder.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <malloc.h>
#include <memory>

class BenchSimulation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void pause_data();
    void pause();
    void exchange();
    void frame();
    void back();
    void timeline();

private:
    // The window's own pause has no passes, so that an exchange times the simulation alone.
    Pause m_noPause{0};
    std::unique_ptr<fUtama> m_window;
    int m_messages = 0;
};

namespace {

// A message box would wait for a click; and any message means the exchange did not run.
struct CountedMessages : MessageBox
{
    explicit CountedMessages(int &count) : count(count) {}
    void show(QWidget *, Icon, const QString &, const QString &) override { ++count; }
    int &count;
};

} // namespace

void BenchSimulation::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    m_window =
        std::make_unique<fUtama>(m_noPause, nullptr, std::make_unique<CountedMessages>(m_messages));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::qWait(200); // the first paints are start-up's cost, not the pause's
    m_window->Komputer1_Click(0);
}

void BenchSimulation::cleanup()
{
    m_window->host(0).setPause(&m_noPause);
}

// Each pause beside its baseline, as many bare calls in the same process and beside the same
// window, in adjacent rows so that both see the same load on the machine.
void BenchSimulation::pause_data()
{
    QTest::addColumn<int>("passes");
    QTest::addColumn<bool>("bare");
    for (const int passes : {1, 1000, Pause::DesignedPasses}) {
        QTest::addRow("Delay %d", passes) << passes << false;
        QTest::addRow("bare %d", passes) << passes << true;
    }
}

void BenchSimulation::pause()
{
    QFETCH(int, passes);
    QFETCH(bool, bare);
    Pause rowPause(passes);
    Komputer &host = m_window->host(0);
    host.setPause(&rowPause);
    if (bare) {
        QBENCHMARK
        {
            for (int pass = 0; pass < passes; ++pass)
                QCoreApplication::processEvents();
        }
    } else {
        QBENCHMARK
        {
            host.Delay();
        }
    }
}

// The worked example: host 0 asks for "192.168.0.4", host 3 answers, the reply comes back.
void BenchSimulation::exchange()
{
    m_window->findChild<QLineEdit *>(QStringLiteral("IPCari"))
        ->setText(QStringLiteral("192.168.0.4"));
    auto *broadcast = m_window->findChild<QPushButton *>(QStringLiteral("Command2"));
    QBENCHMARK
    {
        // Emptying the five tables costs a few resizes; without it the next press would only
        // find the address already known.
        for (int index = 0; index < fUtama::HostCount; ++index)
            m_window->host(index).ClearEntry();
        broadcast->click();
    }
    QCOMPARE(m_messages, 0);
    QVERIFY(Module1::ReplyReady);
    QCOMPARE(m_window->host(0).Jumlah(), 2);
    QCOMPARE(m_window->host(0).AmbilIP(2).toString(), QStringLiteral("192.168.0.4"));
}

// One frame written to a capture and flushed, as --capture does at each propagation's start,
// to /dev/null so that only the program's own work (and the write call) is timed.
void BenchSimulation::frame()
{
    QString why;
    const auto capture = CaptureFile::open(QStringLiteral("/dev/null"), &why);
    QVERIFY2(capture, qPrintable(why));
    const ArpPacket request{1,
                            {},
                            {},
                            QStringLiteral("192.168.0.1"),
                            QStringLiteral("5E-99-4A-B9-11-C0"),
                            QStringLiteral("192.168.0.4"),
                            {}};
    QBENCHMARK
    {
        capture->write(request);
    }
    QVERIFY(!capture->stopped());
}

// Page Up while the worked example's last word waits for its step: the exchange unwinds, the
// tables are put back and it runs again without a pause to the word before, which then waits.
// Timed from the key's call to that word on the screen, 21 times; the median is reported.
void BenchSimulation::back()
{
    Pause step(0);
    step.setPace(Pause::Pace::Step);
    fUtama window(step, nullptr, std::make_unique<CountedMessages>(m_messages));
    Recorder recorder(window, step);
    window.show();
    window.Komputer1_Click(0);
    int word = 0;
    QList<qint64> times;
    QElapsedTimer clock;
    connect(&recorder, &Recorder::goingTo, this, [&] { word = 0; });
    for (int i = 0; i < fUtama::HostCount; ++i) {
        connect(&window.host(i), &Komputer::WordFlashed, this, [&] {
            ++word;
            if (step.skipping())
                return;
            if (word == 20 && clock.isValid()) {
                times << clock.nsecsElapsed();
                clock.invalidate();
            }
            const bool again = word == 21 && times.size() < 21;
            QTimer::singleShot(0, this, [&, again] {
                if (again) {
                    clock.start();
                    recorder.back();
                } else {
                    step.step();
                }
            });
        });
    }
    window.findChild<QLineEdit *>(QStringLiteral("IPCari"))->setText(QStringLiteral("192.168.0.4"));
    window.findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    QTRY_COMPARE(times.size(), 21);
    QTRY_VERIFY(!recorder.running());
    std::sort(times.begin(), times.end());
    QTest::setBenchmarkResult(double(times[10]) / 1e6, QTest::WalltimeMilliseconds);
}

// The heap a recorder holds after 1000 exchanges, each the worked example from emptied tables.
void BenchSimulation::timeline()
{
    Pause none(0);
    fUtama window(none, nullptr, std::make_unique<CountedMessages>(m_messages));
    window.Komputer1_Click(0);
    window.findChild<QLineEdit *>(QStringLiteral("IPCari"))->setText(QStringLiteral("192.168.0.4"));
    auto *broadcast = window.findChild<QPushButton *>(QStringLiteral("Command2"));
    const size_t before = mallinfo2().uordblks;
    {
        Recorder recorder(window, none);
        for (int exchange = 0; exchange < 1000; ++exchange) {
            for (int index = 0; index < fUtama::HostCount; ++index)
                window.host(index).ClearEntry();
            broadcast->click();
        }
        QCOMPARE(recorder.exchanges().size(), 1000);
        QTest::setBenchmarkResult(double(mallinfo2().uordblks - before), QTest::BytesAllocated);
    }
}

QTEST_MAIN(BenchSimulation)
#include "BenchSimulation.moc"
