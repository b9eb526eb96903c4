// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simulation's own costs, timed with QBENCHMARK on the shown window: a host's pause against
// the bare event processing it repeats, and one whole exchange with the pause taken out.

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QApplication>
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

private:
    std::unique_ptr<fUtama> m_window;
    int m_messages = 0;
};

void BenchSimulation::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    // A message box would wait for a click; and any message means the exchange did not run.
    MessageBox::setRecorder(
        [this](MessageBox::Icon, const QString &, const QString &) { ++m_messages; });
    m_window = std::make_unique<fUtama>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::qWait(200); // the first paints are start-up's cost, not the pause's
    m_window->Komputer1_Click(0);
}

void BenchSimulation::cleanup()
{
    Runtime::setDelayPasses(Runtime::DefaultDelayPasses);
}

// Each pause beside its baseline, as many bare calls in the same process and beside the same
// window, in adjacent rows so that both see the same load on the machine.
void BenchSimulation::pause_data()
{
    QTest::addColumn<int>("passes");
    QTest::addColumn<bool>("bare");
    for (const int passes : {1, 1000, Runtime::DefaultDelayPasses}) {
        QTest::addRow("Delay %d", passes) << passes << false;
        QTest::addRow("bare %d", passes) << passes << true;
    }
}

void BenchSimulation::pause()
{
    QFETCH(int, passes);
    QFETCH(bool, bare);
    Runtime::setDelayPasses(passes);
    Komputer &host = m_window->host(0);
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
    Runtime::setDelayPasses(0);
    m_window->controls().IPCari->setText(QStringLiteral("192.168.0.4"));
    QPushButton *broadcast = m_window->controls().Command2;
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

QTEST_MAIN(BenchSimulation)
#include "BenchSimulation.moc"
