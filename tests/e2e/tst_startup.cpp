#include "TolvaneRun.h"

#include <QtTest>

#include <memory>

// The real program as it starts, and selecting hosts with the mouse and with the keyboard.
class StartUp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void firstShown();
    void clickSelects_data();
    void clickSelects();
    void keyboardOnly();

private:
    XServer m_x;
    std::unique_ptr<TolvaneRun> m_run;
};

void StartUp::initTestCase()
{
    QString error;
    QVERIFY2(m_x.start(&error), qPrintable(error));
}

void StartUp::init()
{
    m_run = std::make_unique<TolvaneRun>(m_x);
    QString error;
    QVERIFY2(m_run->start(&error), qPrintable(error));
}

void StartUp::cleanup()
{
    m_run.reset();
}

void StartUp::cleanupTestCase()
{
    m_x.stop();
}

void StartUp::firstShown()
{
    const QRect window = m_run->geometry();
    QCOMPARE(window.size(), Scene::WindowSize);
    // Centred on the screen.
    const QSize screen = m_x.screenSize();
    QVERIFY(qAbs(window.left() - (screen.width() - window.width()) / 2) <= 1);
    QVERIFY(qAbs(window.top() - (screen.height() - window.height()) / 2) <= 1);
    QVERIFY(m_run->messageBoxes().isEmpty());

    const Scene scene = m_run->scene();
    QCOMPARE(scene.litHosts(), QList<int>());
    for (int i = 0; i < Scene::SegmentCount; ++i)
        QVERIFY2(scene.isSegmentBlack(i), qPrintable(QString::number(i)));
    QCOMPARE(scene.exchangeState(), QStringLiteral("|"));
    QCOMPARE(scene.tableRows(), 0);
}

void StartUp::clickSelects_data()
{
    // Clicks: host indices, or -1 for the strip where host 2 lies over host 4.
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("lit");

    QTest::newRow("host 0") << QList<int>{0} << 0;
    QTest::newRow("host 1") << QList<int>{1} << 1;
    QTest::newRow("host 2") << QList<int>{2} << 2;
    QTest::newRow("host 3") << QList<int>{3} << 3;
    QTest::newRow("host 4") << QList<int>{4} << 4;
    QTest::newRow("overlap strip is host 2") << QList<int>{-1} << 2;
    QTest::newRow("selection moves") << QList<int>{3, 1, 4} << 4;
    QTest::newRow("selected host again") << QList<int>{2, 2} << 2;
}

void StartUp::clickSelects()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, lit);

    for (const int host : clicks) {
        QVERIFY(m_run->click(host < 0 ? Scene::overlapPoint() : Scene::centre(host)));
        const int expected = host < 0 ? 2 : host;
        // Exactly the clicked host is lit, and the table lists just its own entry.
        QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{expected}, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 1, 5000);
    }
    const Scene scene = m_run->scene();
    QCOMPARE(scene.litHosts(), QList<int>{lit});
    QCOMPARE(scene.exchangeState(), QStringLiteral("|"));
}

void StartUp::keyboardOnly()
{
    QVERIFY(m_run->focusWindow());
    // The window opens with the focus on host 0, so Space selects it straight away.
    QVERIFY(m_run->key(QStringLiteral("space")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{0}, 5000);

    // Tab walks the hosts in their order, each showing the focus frame in turn.
    for (int host = 1; host < 4; ++host) {
        QVERIFY(m_run->key(QStringLiteral("Tab")));
        QTRY_VERIFY_WITH_TIMEOUT(m_run->scene().hasFocusFrame(host), 5000);
        for (int other = 0; other < Scene::HostCount; ++other) {
            if (other != host)
                QVERIFY2(!m_run->scene().hasFocusFrame(other), qPrintable(QString::number(other)));
        }
    }
    QCOMPARE(m_run->scene().litHosts(), QList<int>{0});

    // Back to host 1, and Space selects it as a click does.
    QVERIFY(m_run->key(QStringLiteral("shift+Tab")));
    QVERIFY(m_run->key(QStringLiteral("shift+Tab")));
    QTRY_VERIFY_WITH_TIMEOUT(m_run->scene().hasFocusFrame(1), 5000);
    QVERIFY(m_run->key(QStringLiteral("space")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{1}, 5000);
    QCOMPARE(m_run->scene().tableRows(), 1);

    // Alt+B resolves the address in the box, and the exchange runs to its end.
    ExchangeRecorder exchange(*m_run);
    m_run->keyLater(QStringLiteral("alt+b"));
    QVERIFY2(exchange.recordUntilIdle(120000),
             qPrintable(exchange.states().join(QLatin1Char(' '))));
    QVERIFY(m_run->inputDone());
    QCOMPARE(exchange.states().first(), QStringLiteral("0|0:Receive"));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 2, 5000);

    // Alt+H clears the table back to the host's own entry.
    QVERIFY(m_run->key(QStringLiteral("alt+h")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 1, 5000);
    QCOMPARE(m_run->scene().litHosts(), QList<int>{1});
}

QTEST_MAIN(StartUp)
#include "tst_startup.moc"
