// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulation's own costs, timed with QBENCHMARK on the shown window: a host's pause against
// the bare event processing it repeats, and one whole exchange with the pause taken out.

#include "capture/CaptureFile.h"
#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "pace/Pause.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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

QTEST_MAIN(BenchSimulation)
#include "BenchSimulation.moc"
