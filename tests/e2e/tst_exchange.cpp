#include "TolvaneRun.h"

#include <QtTest>

#include <memory>

namespace {

const QString Idle = QStringLiteral("|");
const QString FoundAtHost3 = QStringLiteral("2|3:Found!");
constexpr int ExchangeTimeout = 120000;

// Host 0 resolves 192.168.0.4, the address the box holds at start: the request crosses the
// chain to hosts 1, 2, 3, 4, host 3 answers, and the reply goes out from host 3 to 2, 4, 1, 0.
// Each state is "green segments|host:word"; two "Saved!" in a row look like one.
const QStringList FromHost0ToHost3{
    QStringLiteral("0|1:Receive"),  QStringLiteral("0|1:Saved!"),  QStringLiteral("1|2:Receive"),
    QStringLiteral("1|2:Saved!"),   QStringLiteral("2|3:Receive"), QStringLiteral("2|3:Saved!"),
    QStringLiteral("2|3:Found!"),   QStringLiteral("3|4:Receive"), QStringLiteral("3|4:Saved!"),
    QStringLiteral("2|2:Receive"),  QStringLiteral("2|2:Saved!"),  QStringLiteral("2,3|4:Receive"),
    QStringLiteral("2,3|4:Saved!"), QStringLiteral("1|1:Receive"), QStringLiteral("1|1:Saved!"),
    QStringLiteral("0|0:Receive"),  QStringLiteral("0|0:Saved!"),  Idle,
};

// Host 0 asks again after its table was cleared: now every other host holds the address and
// answers from its table, the last answer wins, and the reply goes out from host 4.
const QStringList AgainFromHost0{
    QStringLiteral("0|1:Receive"),
    QStringLiteral("0|1:Found!"),
    QStringLiteral("1|2:Receive"),
    QStringLiteral("1|2:Found!"),
    QStringLiteral("2|3:Receive"),
    QStringLiteral("2|3:Found!"),
    QStringLiteral("3|4:Receive"),
    QStringLiteral("3|4:Found!"),
    QStringLiteral("3|3:Receive"),
    QStringLiteral("3|3:Saved!"),
    QStringLiteral("2|2:Receive"),
    QStringLiteral("2|2:Saved!"),
    QStringLiteral("1|1:Receive"),
    QStringLiteral("1|1:Saved!"),
    QStringLiteral("0|0:Receive"),
    QStringLiteral("0|0:Saved!"),
    Idle,
};

QString joined(const QStringList &states)
{
    return states.join(QStringLiteral("  "));
}

} // namespace

// A whole resolution on the screen of the real program: the packet crossing the chain
// segment by segment, the words on the hosts' screens, the table, and the one message.
class Exchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void broadcast_data();
    void broadcast();
    void inputDuringExchange_data();
    void inputDuringExchange();
    void knownAddressShowsMessage_data();
    void knownAddressShowsMessage();
    void clearThenBroadcastAgain();

private:
    // Runs one exchange from the host that is selected, checking every state it shows.
    void runExchange(const QStringList &expected, int requester);
    // Nothing moves and no message appears for a while.
    bool staysIdle(int milliseconds);

    XServer m_x;
    std::unique_ptr<TolvaneRun> m_run;
};

void Exchange::initTestCase()
{
    QString error;
    QVERIFY2(m_x.start(&error), qPrintable(error));
}

void Exchange::init()
{
    m_run = std::make_unique<TolvaneRun>(m_x);
    QString error;
    QVERIFY2(m_run->start(&error), qPrintable(error));
}

void Exchange::cleanup()
{
    m_run.reset();
}

void Exchange::cleanupTestCase()
{
    m_x.stop();
}

void Exchange::runExchange(const QStringList &expected, int requester)
{
    // The screen is read from before the key goes out, so the first step is not missed.
    ExchangeRecorder exchange(*m_run);
    m_run->keyLater(QStringLiteral("alt+b"));
    QVERIFY2(exchange.recordUntilIdle(ExchangeTimeout), qPrintable(joined(exchange.states())));
    QVERIFY(m_run->inputDone());
    QCOMPARE(joined(exchange.states()), joined(expected));
    // The requester stays lit the whole time.
    for (const QList<int> &lit : exchange.litDuringExchange())
        QCOMPARE(lit, QList<int>{requester});
}

bool Exchange::staysIdle(int milliseconds)
{
    return !waitUntil(
        [this] {
            return !m_run->messageBoxes().isEmpty() || m_run->scene().exchangeState() != Idle;
        },
        milliseconds);
}

void Exchange::broadcast_data()
{
    QTest::addColumn<int>("requester");
    QTest::addColumn<QString>("typed"); // empty: keep the box's text
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<int>("rows");

    QTest::newRow("host 0 resolves the address in the box")
        << 0 << QString() << FromHost0ToHost3 << 2;
    // Host 4's request goes left only; host 1 answers, and its reply goes both ways at once.
    QTest::newRow("host 4 resolves a typed address")
        << 4 << QStringLiteral("192.168.0.2")
        << QStringList{QStringLiteral("3|3:Receive"),  QStringLiteral("3|3:Saved!"),
                       QStringLiteral("2|2:Receive"),  QStringLiteral("2|2:Saved!"),
                       QStringLiteral("1|1:Receive"),  QStringLiteral("1|1:Saved!"),
                       QStringLiteral("1|1:Found!"),   QStringLiteral("0|0:Receive"),
                       QStringLiteral("0|0:Saved!"),   QStringLiteral("0|0:Receive"),
                       QStringLiteral("0|0:Saved!"),   QStringLiteral("0,1|2:Receive"),
                       QStringLiteral("0,1|2:Saved!"), QStringLiteral("2|3:Receive"),
                       QStringLiteral("2|3:Saved!"),   QStringLiteral("3|4:Receive"),
                       QStringLiteral("3|4:Saved!"),   Idle}
        << 2;
    // From the middle of the chain both sides receive in each pass; nobody answers.
    QTest::newRow("host 2 asks for an address nobody has")
        << 2 << QStringLiteral("10.0.0.9") << QStringList{QStringLiteral("1|1:Receive"),
                                                          QStringLiteral("1|1:Saved!"),
                                                          QStringLiteral("1,2|3:Receive"),
                                                          QStringLiteral("1,2|3:Saved!"),
                                                          QStringLiteral("0|0:Receive"),
                                                          QStringLiteral("0|0:Saved!"),
                                                          QStringLiteral("0,3|4:Receive"),
                                                          QStringLiteral("0,3|4:Saved!"),
                                                          Idle}
        << 1;
}

void Exchange::broadcast()
{
    QFETCH(int, requester);
    QFETCH(QString, typed);
    QFETCH(QStringList, states);
    QFETCH(int, rows);

    QVERIFY(m_run->clickHost(requester));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().litHosts(), QList<int>{requester}, 5000);
    if (!typed.isEmpty())
        QVERIFY(m_run->enterIp(typed));
    runExchange(states, requester);
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), rows, 5000);
    QVERIFY(m_run->messageBoxes().isEmpty());
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
    QVERIFY2(exchange.recordUntil(FoundAtHost3, ExchangeTimeout),
             qPrintable(joined(exchange.states())));
    QVERIFY(m_run->inputDone());
    if (clickHost1)
        m_run->clickLater(Scene::centre(1));
    else
        m_run->keyLater(QStringLiteral("alt+b"));
    QVERIFY2(exchange.recordUntilIdle(ExchangeTimeout), qPrintable(joined(exchange.states())));
    QVERIFY(m_run->inputDone());

    QCOMPARE(joined(exchange.states()), joined(FromHost0ToHost3));
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
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("resolveFirst");
    QTest::addColumn<int>("rows");

    QTest::newRow("own address") << 2 << QStringLiteral("192.168.0.3") << false << 1;
    QTest::newRow("address just resolved") << 0 << QString() << true << 2;
}

void Exchange::knownAddressShowsMessage()
{
    QFETCH(int, requester);
    QFETCH(QString, typed);
    QFETCH(bool, resolveFirst);
    QFETCH(int, rows);

    QVERIFY(m_run->clickHost(requester));
    if (!typed.isEmpty())
        QVERIFY(m_run->enterIp(typed));
    if (resolveFirst)
        runExchange(FromHost0ToHost3, requester);
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
    runExchange(FromHost0ToHost3, 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 2, 5000);

    QVERIFY(m_run->key(QStringLiteral("alt+h")));
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 1, 5000);
    // Host 0 no longer knows the address, so it asks again; the other hosts kept theirs.
    runExchange(AgainFromHost0, 0);
    // Its own entry, host 4 that answered, and the address.
    QTRY_COMPARE_WITH_TIMEOUT(m_run->scene().tableRows(), 3, 5000);
}

QTEST_MAIN(Exchange)
#include "tst_exchange.moc"
