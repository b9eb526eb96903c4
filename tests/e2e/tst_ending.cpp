#include "TolvaneRun.h"

#include <QtTest>

// Ending the real program: "Exit", and the close request a window manager sends when the
// user closes the window, each while idle and in the middle of an exchange.
class Ending : public TolvaneTest
{
    Q_OBJECT

private Q_SLOTS:
    void endsWithStatusZero_data();
    void endsWithStatusZero();
};

void Ending::endsWithStatusZero_data()
{
    QTest::addColumn<bool>("closeRequest"); // else a click on "Exit"
    QTest::addColumn<bool>("duringExchange");

    QTest::newRow("Exit") << false << false;
    QTest::newRow("Exit during an exchange") << false << true;
    QTest::newRow("close request") << true << false;
    QTest::newRow("close request during an exchange") << true << true;
}

void Ending::endsWithStatusZero()
{
    QFETCH(bool, closeRequest);
    QFETCH(bool, duringExchange);

    if (duringExchange) {
        QVERIFY(m_run->clickHost(0));
        QVERIFY(m_run->key(QStringLiteral("alt+b")));
        ExchangeRecorder exchange(*m_run);
        QVERIFY2(exchange.recordUntil(QStringLiteral("1|2:Receive"), 120000),
                 qPrintable(exchange.joined()));
    }
    const qsizetype printedBefore = m_run->output().size();
    if (closeRequest) {
        // A window manager sends the request only to a window that asks for it.
        QVERIFY(m_x.acceptsDeleteWindow(m_run->window()));
        QVERIFY(m_x.sendDeleteWindow(m_run->window()));
    } else {
        QVERIFY(m_run->click(Scene::exitButtonPoint()));
    }

    QVERIFY2(m_run->waitForExit(30000), qPrintable(m_run->output()));
    QCOMPARE(m_run->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_run->exitCode(), 0);
    QVERIFY(m_x.viewableWindows(QStringLiteral("Tolvane")).isEmpty());
    // It ends quietly: no warning or error on its way out.
    QCOMPARE(m_run->output().mid(printedBefore), QString());
}

QTEST_MAIN(Ending)
#include "tst_ending.moc"
