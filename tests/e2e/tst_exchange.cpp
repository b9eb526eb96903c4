#include "TolvaneRun.h"

#include <QtTest>

namespace {

constexpr int ExchangeTimeout = 120000;

// Each state is "green segments|host:word", in the order shown; two "Saved!" in a row look
// like one. Host 0 resolves 192.168.0.4, the address the box holds at start: the request
// crosses the chain to hosts 1, 2, 3, 4, host 3 answers, and the reply goes out from host 3
// to 2, 4, 1, 0.
const QString FromHost0ToHost3 = QStringLiteral(
    "0|1:Receive 0|1:Saved! 1|2:Receive 1|2:Saved! 2|3:Receive 2|3:Saved! 2|3:Found! "
    "3|4:Receive 3|4:Saved! 2|2:Receive 2|2:Saved! 2,3|4:Receive 2,3|4:Saved! "
    "1|1:Receive 1|1:Saved! 0|0:Receive 0|0:Saved! |");

// Host 0 asks again after its table was cleared: now every other host holds the address and
// answers from its table, the last answer wins, and the reply goes out from host 4.
const QString AgainFromHost0 = QStringLiteral(
    "0|1:Receive 0|1:Found! 1|2:Receive 1|2:Found! 2|3:Receive 2|3:Found! 3|4:Receive "
    "3|4:Found! 3|3:Receive 3|3:Saved! 2|2:Receive 2|2:Saved! 1|1:Receive 1|1:Saved! "
    "0|0:Receive 0|0:Saved! |");

} // namespace

// A whole resolution on the screen of the real program: the packet crossing the chain
// segment by segment, the words on the hosts' screens, the table, and the one message.
class Exchange : public TolvaneTest
{
    Q_OBJECT

private Q_SLOTS:
    void broadcast_data();
    void broadcast();
    void inputDuringExchange_data();
    void inputDuringExchange();
    void knownAddressShowsMessage_data();
    void knownAddressShowsMessage();
    void clearThenBroadcastAgain();

private:
    // Runs one exchange from the selected host, checking every state it shows, the table
    // rows it ends with, and that no message came up.
    void runExchange(const QString &expected, int requester, int rows);
    // Nothing moves and no message appears for a while.
    bool staysIdle(int milliseconds);
};

void Exchange::runExchange(const QString &expected, int requester, int rows)
{
    // The screen is read from before the key goes out, so the first step is not missed.
    ExchangeRecorder exchange(*m_run);
    m_run->keyLater(QStringLiteral("alt+b"));
    QVERIFY2(exchange.recordUntilIdle(ExchangeTimeout), qPrintable(exchange.joined()));
    QVERIFY(m_run->inputDone());
    QCOMPARE(exchange.joined(), expected);
    // The requester stays lit the whole time.
    for (const QList<int> &lit : exchange.litDuringExchange())
        QCOMPARE(lit, QList<int>{requester});
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), rows, 5000);
    QVERIFY(m_run->messageBoxes().isEmpty());
}

bool Exchange::staysIdle(int milliseconds)
{
    return !waitUntil(
        [this] {
            return !m_run->messageBoxes().isEmpty() ||
                   m_run->scene().exchangeState() != QStringLiteral("|");
        },
        milliseconds);
}

void Exchange::broadcast_data()
{
    QTest::addColumn<int>("requester");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("states");
    QTest::addColumn<int>("rows");

    // Host 4's request goes left only; host 1 answers, and its reply goes both ways at once.
    QTest::newRow("host 4 resolves a typed address")
        << 4 << QStringLiteral("192.168.0.2")
        << QStringLiteral("3|3:Receive 3|3:Saved! 2|2:Receive 2|2:Saved! 1|1:Receive "
                          "1|1:Saved! 1|1:Found! 0|0:Receive 0|0:Saved! 0|0:Receive 0|0:Saved! "
                          "0,1|2:Receive 0,1|2:Saved! 2|3:Receive 2|3:Saved! 3|4:Receive "
                          "3|4:Saved! |")
        << 2;
    // From the middle of the chain both sides receive in each pass; nobody answers.
    QTest::newRow("host 2 asks for an address nobody has")
        << 2 << QStringLiteral("10.0.0.9")
        << QStringLiteral("1|1:Receive 1|1:Saved! 1,2|3:Receive 1,2|3:Saved! 0|0:Receive "
                          "0|0:Saved! 0,3|4:Receive 0,3|4:Saved! |")
        << 1;
}

void Exchange::broadcast()
{
    QFETCH(int, requester);
    QFETCH(QString, typed);
    QFETCH(QString, states);
    QFETCH(int, rows);

    QVERIFY(m_run->clickHost(requester));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{requester}, 5000);
    QVERIFY(m_run->enterIp(typed));
    runExchange(states, requester, rows);
}

void Exchange::inputDuringExchange_data()
{
    QTest::addColumn<bool>("clickHost1"); // else a second Alt+B
    QTest::addColumn<int>("litAtEnd");
    QTest::addColumn<int>("rows");

    // The view follows the click; the exchange goes on for host 0, and host 1's table ends
    // with its own entry, host 0 (learnt from the request) and host 3.
    QTest::newRow("clicking another host") << true << 1 << 3;
    QTest::newRow("a second Broadcast is ignored") << false << 0 << 2;
}

void Exchange::inputDuringExchange()
{
    QFETCH(bool, clickHost1);
    QFETCH(int, litAtEnd);
    QFETCH(int, rows);

    QVERIFY(m_run->clickHost(0));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{0}, 5000);
    ExchangeRecorder exchange(*m_run);
    m_run->keyLater(QStringLiteral("alt+b"));
    QVERIFY2(exchange.recordUntil(QStringLiteral("2|3:Found!"), ExchangeTimeout),
             qPrintable(exchange.joined()));
    QVERIFY(m_run->inputDone());
    if (clickHost1)
        m_run->clickLater(Scene::centre(1));
    else
        m_run->keyLater(QStringLiteral("alt+b"));
    QVERIFY2(exchange.recordUntilIdle(ExchangeTimeout), qPrintable(exchange.joined()));
    QVERIFY(m_run->inputDone());

    QCOMPARE(exchange.joined(), FromHost0ToHost3);
    // One host is lit at any time: host 0 until the click is handled, then the one clicked.
    const QList<QList<int>> lit = exchange.litDuringExchange();
    QCOMPARE(lit.last(), QList<int>{litAtEnd});
    for (qsizetype i = 1; i < lit.size(); ++i) {
        QVERIFY(lit[i] == QList<int>{0} || lit[i] == QList<int>{litAtEnd});
        QVERIFY(lit[i - 1] == lit[i] || lit[i] == QList<int>{litAtEnd});
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), rows, 5000);
    // The ignored press is not kept for later either.
    QVERIFY(staysIdle(1000));
}

void Exchange::knownAddressShowsMessage_data()
{
    QTest::addColumn<int>("requester");
    QTest::addColumn<QString>("typed"); // empty: keep the box's text and resolve it first
    QTest::addColumn<int>("rows");

    QTest::newRow("own address") << 2 << QStringLiteral("192.168.0.3") << 1;
    QTest::newRow("address just resolved") << 0 << QString() << 2;
}

void Exchange::knownAddressShowsMessage()
{
    QFETCH(int, requester);
    QFETCH(QString, typed);
    QFETCH(int, rows);

    QVERIFY(m_run->clickHost(requester));
    if (typed.isEmpty())
        runExchange(FromHost0ToHost3, requester, rows);
    else
        QVERIFY(m_run->enterIp(typed));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), rows, 5000);

    QVERIFY(m_run->key(QStringLiteral("alt+b")));
    // A second window captioned "Tolvane", belonging to the main window, with the keyboard.
    QTRY_COMPARE_WITH_TIMEOUT(m_run->messageBoxes().size(), 1, 10000);
    const XServer::Window box = m_run->messageBoxes().first();
    QCOMPARE(m_x.transientFor(box), m_run->window());
    QTRY_COMPARE_WITH_TIMEOUT(m_x.inputFocus(), box, 5000);
    QVERIFY(m_x.geometry(box).intersects(m_run->geometry()));

    QVERIFY(m_run->key(QStringLiteral("Return")));
    QTRY_VERIFY_WITH_TIMEOUT(m_run->messageBoxes().isEmpty(), 10000);
    QVERIFY(m_run->isRunning());
    // Nothing was sent: no segment lights up, the table is as it was.
    QVERIFY(staysIdle(1000));
    QCOMPARE(m_run->scene().tableRows(), rows);
    QCOMPARE(m_run->scene().litHosts(), QList<int>{requester});
}

void Exchange::clearThenBroadcastAgain()
{
    QVERIFY(m_run->clickHost(0));
    runExchange(FromHost0ToHost3, 0, 2);

    QVERIFY(m_run->key(QStringLiteral("alt+h")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 1, 5000);
    // Host 0 no longer knows the address, so it asks again; the other hosts kept theirs. It
    // ends with its own entry, host 4 that answered, and the address.
    runExchange(AgainFromHost0, 0, 3);
}

QTEST_MAIN(Exchange)
#include "tst_exchange.moc"
