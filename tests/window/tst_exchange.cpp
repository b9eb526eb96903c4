// One ARP resolution through the window, as the user drives it: selecting a host and its
// table view, the two propagations of an exchange, the refused and the unanswered request,
// and everything a click can do while an exchange pauses.

#include "WindowTest.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>

using namespace WindowTest;

namespace {

const QString HostThreeIP = QStringLiteral("192.168.0.4");
const QString NobodysIP = QStringLiteral("10.0.0.99");
const QList<int> WorkedExampleOrder = {1, 2, 3, 4, 2, 4, 1, 0};

// Draws that step through the byte values 16, 17, 18, ..., so every host gets a MAC of its
// own and a table entry tells at once which host it came from.
class SteppingRandom : public RandomSource
{
public:
    void seed(float) override {}
    float draw() override { return static_cast<float>(16 + m_next++ % 200) / 256.0f; }

private:
    int m_next = 0;
};

// Counts passes of the event loop: each pass delivers the event posted in the previous one,
// which posts the next.
class PassCounter : public QObject
{
public:
    void start() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
    int passes() const { return m_passes; }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++m_passes;
        start();
        return true;
    }

private:
    int m_passes = 0;
};

} // namespace

class TestExchange : public Suite
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useProgramStyle(); }
    void init();
    void cleanup() { finish(); }

    void selection_data();
    void selection();

    void propagation_data();
    void propagation();

    void workedExample();
    void knownAddressIsRefused_data();
    void knownAddressIsRefused();
    void unansweredRequest_data();
    void unansweredRequest();
    void answers_data();
    void answers();
    void getIdxByIP_data();
    void getIdxByIP();

    void secondBroadcastIsIgnored_data();
    void secondBroadcastIsIgnored();
    void hostClickDuringExchange();
    void clearDuringExchange();
    void endingDuringExchange_data();
    void endingDuringExchange();
    void errorInNestedHandlerEndsTheProgram();

private:
    QList<int> receivers() const;
    QStringList flashes(const QString &word = {}) const;
    // Host 0 resolving host 3's address: the request teaches hosts 1 to 4 host 0's pair, the
    // reply from host 3 teaches hosts 2, 4, 1 and 0 host 3's pair.
    QList<QStringList> workedExampleTables() const
    {
        return {{pair(0), pair(3)},
                {pair(1), pair(0), pair(3)},
                {pair(2), pair(0), pair(3)},
                {pair(3), pair(0)},
                {pair(4), pair(0), pair(3)}};
    }
};

void TestExchange::init()
{
    start();
    Runtime::setDelayPasses(2);
    QVERIFY(showWindow(std::make_unique<SteppingRandom>()));
    QVERIFY(!Runtime::ending());
    recordPauses();
}

QList<int> TestExchange::receivers() const
{
    QList<int> order;
    for (const Pause &pause : pauses) {
        if (pause.word == QLatin1String("Receive"))
            order << pause.host;
    }
    return order;
}

// Every flash as "host word", or only those of one word.
QStringList TestExchange::flashes(const QString &word) const
{
    QStringList words;
    for (const Pause &pause : pauses) {
        if (word.isEmpty() || pause.word == word)
            words << QString::number(pause.host) + u' ' + pause.word;
    }
    return words;
}

void TestExchange::selection_data()
{
    QTest::addColumn<bool>("afterExchanges");
    QTest::addColumn<QList<int>>("clicks");
    for (int i = 0; i < fUtama::HostCount; ++i) {
        // From another host, so that the light and the view have to move.
        QTest::addRow("host %d after host %d", i, (i + 2) % 5)
            << false << QList<int>{(i + 2) % 5, i};
        // Twice over tables of two to four entries in different orders: rebuilt, not added to.
        QTest::addRow("host %d twice after two exchanges", i) << true << QList<int>{i, i};
    }
}

void TestExchange::selection()
{
    QFETCH(bool, afterExchanges);
    QFETCH(QList<int>, clicks);
    const int index = clicks.last();
    QVERIFY(!ui().Command2->isEnabled());
    QVERIFY(!ui().Command3->isEnabled());
    if (afterExchanges) {
        select(0);
        broadcast(HostThreeIP);
        select(4);
        broadcast(QStringLiteral("192.168.0.2"));
        QVERIFY(table(index).size() >= 2);
    }

    for (const int click : clicks)
        select(click);

    QCOMPARE(window->selectedIndex(), index);
    QVERIFY(ui().Command2->isEnabled());
    QVERIFY(ui().Command3->isEnabled());
    const Komputer &k = host(index);
    QCOMPARE(ui().Nama->text(), k.Nama());
    QCOMPARE(ui().IP->text(), k.IP());
    QCOMPARE(ui().MAC->text(), k.MAC());
    // Start-up replaced the design MAC; the box shows the one the host carries now.
    QVERIFY(ui().MAC->text() != k.property("mac").toString());
    QCOMPARE(listed(), afterExchanges ? table(index) : QStringList{pair(index)});
    QCOMPARE(lit(), QList<int>{index});
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(host(i).State(), i == index);
}

void TestExchange::propagation_data()
{
    QTest::addColumn<int>("origin");
    QTest::addColumn<QList<int>>("order");
    // Segments green while each of those hosts receives.
    QTest::addColumn<QList<QList<int>>>("segments");
    // How many hosts have received when each refresh happens: one refresh per pass.
    QTest::addColumn<QList<int>>("refreshes");

    QTest::newRow("origin 0") << 0 << QList<int>{1, 2, 3, 4}
                              << QList<QList<int>>{{0}, {1}, {2}, {3}} << QList<int>{1, 2, 3, 4};
    QTest::newRow("origin 1") << 1 << QList<int>{0, 2, 3, 4}
                              << QList<QList<int>>{{0}, {0, 1}, {2}, {3}} << QList<int>{2, 3, 4};
    QTest::newRow("origin 2") << 2 << QList<int>{1, 3, 0, 4}
                              << QList<QList<int>>{{1}, {1, 2}, {0}, {0, 3}} << QList<int>{2, 4};
    QTest::newRow("origin 3") << 3 << QList<int>{2, 4, 1, 0}
                              << QList<QList<int>>{{2}, {2, 3}, {1}, {0}} << QList<int>{2, 3, 4};
    QTest::newRow("origin 4") << 4 << QList<int>{3, 2, 1, 0}
                              << QList<QList<int>>{{3}, {2}, {1}, {0}} << QList<int>{1, 2, 3, 4};
}

void TestExchange::propagation()
{
    QFETCH(int, origin);
    QFETCH(QList<int>, order);
    QFETCH(QList<QList<int>>, segments);
    QFETCH(QList<int>, refreshes);

    select(origin);
    // Every refresh sets the selected host's State once.
    QList<int> refreshedAfter;
    QObject watching;
    connect(&host(origin), &Komputer::PropertyChanged, &watching, [&](const QString &name) {
        if (name == QLatin1String("State"))
            refreshedAfter << receivers().size();
    });

    broadcast(NobodysIP);

    QCOMPARE(receivers(), order);
    QCOMPARE(refreshedAfter, refreshes);
    // Each host's whole reception, all its pauses, happens under the same lit segments.
    int reception = -1;
    for (const Pause &pause : std::as_const(pauses)) {
        if (pause.word == QLatin1String("Receive"))
            ++reception;
        QVERIFY(reception >= 0);
        QCOMPARE(pause.host, order[reception]);
        QCOMPARE(pause.green, segments[reception]);
    }
    QCOMPARE(green(), QList<int>{});
    QCOMPARE(window->leftCursor(), qint16(-1));
    QCOMPARE(window->rightCursor(), qint16(5));
    QCOMPARE(lit(), QList<int>{origin});
}

void TestExchange::workedExample()
{
    QCOMPARE(ui().IPCari->text(), HostThreeIP);
    select(0);
    QSignalSpy changes(&host(0), &Komputer::PropertyChanged);
    ui().Command2->click();

    const QStringList expected{// The request from host 0; host 3 is the target.
                               "1 Receive", "1 Saved!", "2 Receive", "2 Saved!", "3 Receive",
                               "3 Saved!", "3 Found!", "4 Receive", "4 Saved!",
                               // The reply from host 3.
                               "2 Receive", "2 Saved!", "2 Saved!", "4 Receive", "4 Saved!",
                               "4 Saved!", "1 Receive", "1 Saved!", "1 Saved!", "0 Receive",
                               "0 Saved!", "0 Saved!"};
    QCOMPARE(flashes(), expected);
    QCOMPARE(receivers(), WorkedExampleOrder);
    QCOMPARE(tables(), workedExampleTables());
    QCOMPARE(listed(), (QStringList{pair(0), HostThreeIP + u' ' + host(3).MAC()}));
    // Four passes out from host 0, three from host 3, and the refresh that ends the command.
    QCOMPARE(changes.count(QList<QVariant>{QStringLiteral("State")}), 8);
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(host(i).Caption(), QString());

    const ArpPacket reply{2,           host(0).IP(), host(0).MAC(), HostThreeIP, host(3).MAC(),
                          HostThreeIP, host(3).MAC()};
    QVERIFY(Module1::ReplyReady);
    QVERIFY(Module1::Packet == reply);
    QVERIFY(Module1::Reply == reply);
    QVERIFY(messages.isEmpty());
}

void TestExchange::knownAddressIsRefused_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("afterExchange");
    for (int i = 0; i < fUtama::HostCount; ++i) {
        QTest::addRow("own address of host %d", i) << i << false;
        QTest::addRow("resolved address, host %d", i) << i << true;
    }
}

void TestExchange::knownAddressIsRefused()
{
    QFETCH(int, index);
    QFETCH(bool, afterExchange);
    QString ip = host(index).IP();
    if (afterExchange) {
        select(0);
        broadcast(HostThreeIP);
        QVERIFY(messages.isEmpty());
        ip = HostThreeIP;
    }
    select(index);
    const ArpPacket packet = Module1::Packet;
    const bool replyReady = Module1::ReplyReady;
    const QList<QStringList> before = tables();
    const qsizetype paused = pauses.size();

    broadcast(ip);

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, MessageBox::Icon::Information);
    QCOMPARE(messages[0].caption, QStringLiteral("Tolvane"));
    QCOMPARE(messages[0].text, refusal(ip));
    QCOMPARE(pauses.size(), paused);
    QVERIFY(Module1::Packet == packet);
    QCOMPARE(Module1::ReplyReady, replyReady);
    QCOMPARE(tables(), before);
    QVERIFY(!window->exchangeRunning());
}

void TestExchange::unansweredRequest_data()
{
    QTest::addColumn<QString>("ip");
    QTest::newRow("blank before") << QStringLiteral(" 192.168.0.4");
    QTest::newRow("blank after") << QStringLiteral("192.168.0.4 ");
    QTest::newRow("nobody's address") << NobodysIP;
    QTest::newRow("empty text") << QString();
}

void TestExchange::unansweredRequest()
{
    QFETCH(QString, ip);
    select(0);

    broadcast(ip);

    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4}));
    QCOMPARE(flashes(QStringLiteral("Found!")), QStringList{});
    QVERIFY(!Module1::ReplyReady);
    QVERIFY(messages.isEmpty());
    QCOMPARE(table(0), QStringList{pair(0)});
    for (int i = 1; i < fUtama::HostCount; ++i)
        QCOMPARE(table(i), (QStringList{pair(i), pair(0)}));
    const ArpPacket request{1, {}, {}, host(0).IP(), host(0).MAC(), ip, {}};
    QVERIFY(Module1::Packet == request);
    QCOMPARE(listed(), QStringList{pair(0)});
}

void TestExchange::answers_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("cleared");
    QTest::addColumn<int>("requester");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<int>("carried");
    QTest::addColumn<QList<int>>("learnt");

    // Only host 0 is left holding host 3's pair; from host 2 the request reaches 1, 3, 0, 4:
    // host 3 answers for itself, then host 0 from its table, and host 0's answer is carried.
    QTest::newRow("answer from another table")
        << 0 << QList<int>{1, 2, 4} << 2 << QStringList{"3 Found!", "0 Found!"}
        << QList<int>{1, 3, 0, 4, 1, 2, 3, 4} << 0 << QList<int>{2, 0, 3};
    // Host 4 holds host 3's pair and answers last; nothing of host 3's own answer is left.
    QTest::newRow("last answer wins")
        << 4 << QList<int>{0} << 0 << QStringList{"1 Found!", "2 Found!", "3 Found!", "4 Found!"}
        << QList<int>{1, 2, 3, 4, 3, 2, 1, 0} << 4 << QList<int>{0, 4, 3};
}

void TestExchange::answers()
{
    QFETCH(int, first);
    QFETCH(QList<int>, cleared);
    QFETCH(int, requester);
    QFETCH(QStringList, found);
    QFETCH(QList<int>, order);
    QFETCH(int, carried);
    QFETCH(QList<int>, learnt);
    select(first);
    broadcast(HostThreeIP);
    for (const int index : cleared) {
        select(index);
        ui().Command3->click();
    }
    select(requester);
    pauses.clear();

    broadcast(HostThreeIP);

    QCOMPARE(flashes(QStringLiteral("Found!")), found);
    const Komputer &r = host(requester);
    const ArpPacket reply{
        3, r.IP(), r.MAC(), host(carried).IP(), host(carried).MAC(), HostThreeIP, host(3).MAC()};
    QVERIFY(Module1::Reply == reply);
    QVERIFY(Module1::Packet == reply);
    QCOMPARE(receivers(), order);
    QStringList expected;
    for (const int index : learnt)
        expected << pair(index);
    QCOMPARE(table(requester), expected);
    QCOMPARE(listed(), expected);
}

void TestExchange::getIdxByIP_data()
{
    QTest::addColumn<QString>("ip");
    // Hosts moved to 192.168.0.77 before the look-up.
    QTest::addColumn<QList<int>>("moved");
    QTest::addColumn<int>("index");
    QTest::newRow("unknown") << NobodysIP << QList<int>{} << 5;
    QTest::newRow("empty") << QString() << QList<int>{} << 5;
    QTest::newRow("with a blank") << QStringLiteral("192.168.0.4 ") << QList<int>{} << 5;
    for (int i = 0; i < fUtama::HostCount; ++i)
        QTest::addRow("host %d", i)
            << QStringLiteral("192.168.0.%1").arg(i + 1) << QList<int>{} << i;
    QTest::newRow("shared: the highest index") << "192.168.0.77" << QList<int>{1, 3} << 3;
    QTest::newRow("address given away") << "192.168.0.2" << QList<int>{1} << 5;
}

void TestExchange::getIdxByIP()
{
    QFETCH(QString, ip);
    QFETCH(QList<int>, moved);
    QFETCH(int, index);
    for (const int i : moved)
        host(i).setIP(QStringLiteral("192.168.0.77"));
    QCOMPARE(window->GetIdxByIP(ip), qint16(index));
}

void TestExchange::secondBroadcastIsIgnored_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("mouse click") << QStringLiteral("click");
    QTest::newRow("Alt+B") << QStringLiteral("access key");
    QTest::newRow("Space on the focused button") << QStringLiteral("space");
}

void TestExchange::secondBroadcastIsIgnored()
{
    QFETCH(QString, input);
    select(0);
    ui().Command2->setFocus();
    QCOMPARE(QApplication::focusWidget(), ui().Command2);
    QSignalSpy presses(ui().Command2, &QPushButton::clicked);

    bool delivered = false;
    int pressedAt = -1;
    ArpPacket packet, reply;
    qint16 left = 0, right = 0;
    bool slotsKept = false;
    onPause = [&](const Pause &pause) {
        if (pressedAt >= 0 && pauses.size() == pressedAt + 2) {
            slotsKept = Module1::Packet == packet && Module1::Reply == reply &&
                        !Module1::ReplyReady && window->leftCursor() == left &&
                        window->rightCursor() == right;
        }
        if (pressedAt >= 0 || pause.host != 2)
            return;
        pressedAt = int(pauses.size()) - 1;
        packet = Module1::Packet;
        reply = Module1::Reply;
        left = window->leftCursor();
        right = window->rightCursor();
        if (input == QLatin1String("click"))
            postClick(ui().Command2);
        else if (input == QLatin1String("access key"))
            postKey(window.get(), Qt::Key_B, Qt::AltModifier, QStringLiteral("b"));
        else
            postKey(QApplication::focusWidget(), Qt::Key_Space, Qt::NoModifier,
                    QStringLiteral(" "));
        // A real pause lasts long enough for the button to answer, also to the access key,
        // which presses it on a short timer. The spy hears the outer press only once its
        // handler, this exchange, has returned, so the press counted here is the second one.
        delivered = QTest::qWaitFor([&] { return presses.size() == 1; }, 2000);
    };

    ui().Command2->click();

    QVERIFY(delivered);
    QCOMPARE(presses.size(), 2);
    QVERIFY(slotsKept);
    QCOMPARE(receivers(), WorkedExampleOrder);
    QCOMPARE(tables(), workedExampleTables());
    QCOMPARE(Module1::Packet.SenderIP, HostThreeIP);
    for (const Pause &pause : std::as_const(pauses))
        QVERIFY(pause.exchangeRunning);
    QVERIFY(!window->exchangeRunning());
    QVERIFY(messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestExchange::hostClickDuringExchange()
{
    select(0);
    bool posted = false;
    bool viewMoved = false;
    onPause = [&](const Pause &pause) {
        if (posted && !viewMoved && pause.host == 2) {
            viewMoved = window->selectedIndex() == 4 && lit() == QList<int>{4} &&
                        listed() == table(4) && ui().Nama->text() == host(4).Nama();
        } else if (!posted && pause.host == 2) {
            posted = true;
            postClick(&host(4));
        }
    };

    broadcast(HostThreeIP);

    QVERIFY(viewMoved);
    QCOMPARE(receivers(), WorkedExampleOrder);
    // The requester is fixed in the packet: host 0 still gets the answer.
    QCOMPARE(tables(), workedExampleTables());
    QCOMPARE(window->selectedIndex(), 4);
    QCOMPARE(lit(), QList<int>{4});
    QCOMPARE(listed(), table(4));
}

void TestExchange::clearDuringExchange()
{
    // Host 0 knows host 3, then asks for host 2; its table is cleared as the reply sets out.
    select(0);
    broadcast(HostThreeIP);
    pauses.clear();
    bool posted = false;
    bool clearedThen = false;
    onPause = [&](const Pause &pause) {
        if (posted && !clearedThen)
            clearedThen = table(0) == QStringList{pair(0)} && listed() == table(0);
        if (!posted && pause.operation == 2) {
            posted = true;
            postClick(ui().Command3);
        }
    };

    broadcast(QStringLiteral("192.168.0.3"));

    QVERIFY(clearedThen);
    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4, 1, 3, 0, 4}));
    const QString two = pair(2);
    QCOMPARE(tables(), (QList<QStringList>{{pair(0), two},
                                           {pair(1), pair(0), pair(3), two},
                                           {pair(2), pair(0), pair(3)},
                                           {pair(3), pair(0), two},
                                           {pair(4), pair(0), pair(3), two}}));
    QCOMPARE(listed(), table(0));
}

void TestExchange::endingDuringExchange_data()
{
    QTest::addColumn<bool>("closeRequest");
    QTest::newRow("Exit clicked") << false;
    QTest::newRow("window close request") << true;
}

void TestExchange::endingDuringExchange()
{
    QFETCH(bool, closeRequest);
    // Long pauses, so that one that ran on after the end would show.
    Runtime::setDelayPasses(50);
    select(0);
    PassCounter counter;
    qsizetype pausesAtEnd = -1;
    QList<QStringList> tablesAtEnd;
    QStringList captionsAtEnd;
    const auto captions = [this] {
        QStringList all;
        for (int i = 0; i < fUtama::HostCount; ++i)
            all << host(i).Caption();
        return all;
    };
    onPause = [&](const Pause &pause) {
        if (pausesAtEnd >= 0 || pause.host != 2)
            return;
        pausesAtEnd = pauses.size();
        tablesAtEnd = tables();
        captionsAtEnd = captions();
        if (closeRequest)
            QCoreApplication::postEvent(window->windowHandle(), new QCloseEvent);
        else
            postClick(ui().Command1);
        // Queued behind the end, a click on a host must find the program gone.
        postClick(&host(4));
        counter.start();
    };

    broadcast(HostThreeIP);

    // The pause gave up in the pass that handled the close, and nothing changed after it.
    QCOMPARE(counter.passes(), 1);
    QCOMPARE(pauses.size(), pausesAtEnd);
    QCOMPARE(receivers(), (QList<int>{1, 2}));
    QCOMPARE(green(), QList<int>{1});
    QCOMPARE(tables(), tablesAtEnd);
    QCOMPARE(captions(), captionsAtEnd);
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 0);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->exchangeRunning());
    QCOMPARE(window->selectedIndex(), qint16(0));
    QCOMPARE(lit(), QList<int>{0});
    QVERIFY(messages.isEmpty());
}

void TestExchange::errorInNestedHandlerEndsTheProgram()
{
    select(0);
    onPause = [&](const Pause &) {
        if (pauses.size() > 1)
            return;
        // A count beyond the table's storage: listing host 4 fails on its second entry.
        host(4).setJumlah(5);
        postClick(&host(4));
    };

    broadcast(NobodysIP);

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, MessageBox::Icon::Critical);
    QCOMPARE(messages[0].caption, QStringLiteral("Tolvane"));
    QCOMPARE(messages[0].text, QStringLiteral("Run-time error: Subscript out of range"));
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 1);
    QCOMPARE(pauses.size(), 1);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->exchangeRunning());
}

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
