// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One ARP resolution driven through the window: the order in which the packet travels from
// every origin, the worked example, whatever a click does while an exchange pauses, the
// refusal once the address is known, and a run-time error reaching the user.

#include "Support.h"

#include <QRegularExpression>
#include <QWindow>

namespace {

const QString WorkedExample = QStringLiteral("1 4|2 1 4|3 1 4|4 1|5 1 4");

} // namespace

class TestExchange : public WindowSuite
{
    Q_OBJECT

    void act(const QString &what)
    {
        if (what == u"broadcast")
            ui().Command2->click();
        else if (what == u"clear")
            ui().Command3->click();
        else if (what == u"exit")
            ui().Command1->click();
        else if (what == u"close")
            window->windowHandle()->close();
        else
            select(what.right(1).toInt());
    }

private Q_SLOTS:
    void init() { open(); }
    void cleanup() { close(); }

    // Receptions as host and lit segments ("423": host 4 while segments 2 and 3 are green),
    // the request's, then the reply's.
    void order_data()
    {
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("target"); // -1: an address nobody has
        QTest::addColumn<QString>("receptions");
        QTest::addColumn<int>("rowsAtLastPause");
        QTest::newRow("0 to 3") << 0 << 3 << "10 21 32 43 | 22 423 11 00" << 1;
        QTest::newRow("1 to 4") << 1 << 4 << "00 201 32 43 | 33 22 11 00" << 2;
        QTest::newRow("2 to 0") << 2 << 0 << "11 312 00 403 | 10 21 32 43" << 2;
        QTest::newRow("3 to 2") << 3 << 2 << "22 423 11 00 | 11 312 00 403" << 2;
        QTest::newRow("4 to 1") << 4 << 1 << "33 22 11 00 | 00 201 32 43" << 1;
        QTest::newRow("2 to nobody") << 2 << -1 << "11 312 00 403" << 1;
    }

    // Outward in passes, the lower side first; the segment lit while its host receives, all
    // black after; the view refreshed after every pass.
    void order()
    {
        QFETCH(int, origin);
        QFETCH(int, target);
        QFETCH(QString, receptions);
        select(origin);
        broadcast(target < 0 ? "10.0.0.99" : host(target).IP());
        const QStringList received = pauses.filter(QRegularExpression("^.R"));
        QCOMPARE(received.join(u' ').remove(u'R'), receptions.remove("| "));
        QTEST(rowsAtPause, "rowsAtLastPause");
        QCOMPARE(green(), QString());
        QCOMPARE(QString("%1 %2").arg(window->leftCursor()).arg(window->rightCursor()), "-1 5");
        QCOMPARE(listed(), Support::tableOf(host(origin)));
        const Komputer &k = host(origin);
        QCOMPARE((QStringList{ui().Nama->text(), ui().IP->text(), ui().MAC->text(), lit()}),
                 (QStringList{k.Nama(), k.IP(), k.MAC(), QString::number(origin)}));
        QCOMPARE(host(origin).Jumlah(), target < 0 ? 1 : 2);
        QCOMPARE(messages, QStringList());
    }

    void clickDuringExchange_data()
    {
        QTest::addColumn<QStringList>("clicks"); // "pause:what", at the start of that pause
        QTest::addColumn<int>("pauses");
        QTest::addColumn<QString>("tables");
        QTest::addColumn<QString>("end"); // the lit host, or the program's exit status
        QTest::newRow("the worked example; a second Broadcast is ignored")
            << QStringList{"3:broadcast", "12:broadcast"} << 21 << WorkedExample << "lit 0";
        QTest::newRow("another host selected, then its table cleared")
            << QStringList{"10:select 2", "11:clear"} << 21 << "1 4|2 1 4|3 4|4 1|5 1 4"
            << "lit 2";
        QTest::newRow("Exit ends the exchange and the program")
            << QStringList{"5:exit"} << 5 << "1|2 1|3 1|4|5"
            << "exit 0";
        QTest::newRow("closing the window does too")
            << QStringList{"14:close"} << 14 << "1|2 1|3 1 4|4 1|5 1"
            << "exit 0";
    }

    void clickDuringExchange()
    {
        QFETCH(QStringList, clicks);
        // Each click is queued, so the pause handles it while it processes events.
        onPause = [&](int pause) {
            for (const QString &click : std::as_const(clicks)) {
                if (click.section(u':', 0, 0).toInt() == pause)
                    QMetaObject::invokeMethod(
                        window.get(), [this, click] { act(click.section(u':', 1)); },
                        Qt::QueuedConnection);
            }
        };
        select(0);
        broadcast("192.168.0.4");
        QTEST(int(pauses.size()), "pauses");
        QTEST(tables(), "tables");
        const bool ended = Runtime::ending();
        QTEST(ended ? "exit " + QString::number(Runtime::exitCode()) : "lit " + lit(), "end");
        QCOMPARE(window->isVisible(), !ended);
        QCOMPARE(window->exchangeRunning(), false);
        QCOMPARE(messages, QStringList());

        // Once it has ended, the address is known: Broadcast only says so.
        const QString before = tables();
        pauses.clear();
        ui().Command2->click();
        const QString refusal = "Tolvane|Sudah ada nomor IP '192.168.0.4' dalam tabel ARP";
        QCOMPARE(messages, ended ? QStringList() : QStringList{refusal});
        QCOMPARE(tables(), before);
        QCOMPARE(pauses, QStringList());
    }

    void runtimeErrorReachesTheUser()
    {
        host(3).setJumlah(4); // more entries than the table holds
        select(0);
        broadcast("192.168.0.4");
        QCOMPARE(messages, QStringList{"!Tolvane|Run-time error: Subscript out of range"});
        QCOMPARE(pauses.join(u' '), "1R0 1S0 2R1 2S1 3R2");
        QCOMPARE(Runtime::exitCode(), 1);
        QVERIFY(Runtime::ending());
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
