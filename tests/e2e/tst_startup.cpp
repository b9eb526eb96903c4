#include "TolvaneRun.h"

#include <QtTest>

// The real program as it starts, and selecting hosts with the mouse and with the keyboard.
class StartUp : public TolvaneTest
{
    Q_OBJECT

private Q_SLOTS:
    void firstShown();
    void clickSelects_data();
    void clickSelects();
    void keyboardOnly();
};

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
    // Host indices, or -1 for the strip where host 2 lies over host 4.
    QTest::addColumn<QList<int>>("clicks");

    for (int i = 0; i < Scene::HostCount; ++i)
        QTest::addRow("host %d", i) << QList<int>{i};
    QTest::newRow("overlap strip is host 2") << QList<int>{-1};
    QTest::newRow("selection moves") << QList<int>{3, 1, 4};
    QTest::newRow("selected host again") << QList<int>{2, 2};
}

void StartUp::clickSelects()
{
    QFETCH(QList<int>, clicks);

    for (const int host : clicks) {
        QVERIFY(m_run->click(host < 0 ? Scene::overlapPoint() : Scene::centre(host)));
        // Exactly the clicked host is lit, and the table lists just its own entry.
        QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{host < 0 ? 2 : host}, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 1, 5000);
    }
    QCOMPARE(m_run->scene().exchangeState(), QStringLiteral("|"));
}

void StartUp::keyboardOnly()
{
    QVERIFY(m_run->focusWindow());
    // The window opens with the focus on host 0, so Space selects it straight away.
    QVERIFY(m_run->key(QStringLiteral("space")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{0}, 5000);

    // Tab walks the hosts in their order, the focus frame on one host at a time.
    for (int host = 1; host < 4; ++host) {
        QVERIFY(m_run->key(QStringLiteral("Tab")));
        QTRY_VERIFY_WITH_TIMEOUT(m_run->scene().hasFocusFrame(host), 5000);
        for (int other = 0; other < Scene::HostCount; ++other)
            QVERIFY(other == host || !m_run->scene().hasFocusFrame(other));
    }
    QCOMPARE(m_run->scene().litHosts(), QList<int>{0});

    // Back to host 1, and Space selects it as a click does.
    QVERIFY(m_run->key(QStringLiteral("shift+Tab")));
    QVERIFY(m_run->key(QStringLiteral("shift+Tab")));
    QTRY_VERIFY_WITH_TIMEOUT(m_run->scene().hasFocusFrame(1), 5000);
    QVERIFY(m_run->key(QStringLiteral("space")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{1}, 5000);
    QCOMPARE(m_run->scene().tableRows(), 1);
}

QTEST_MAIN(StartUp)
#include "tst_startup.moc"
