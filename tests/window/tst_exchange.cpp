// One ARP resolution through the window, as the user drives it: selecting a host and its
// table view, the two propagations of an exchange, the refused and the unanswered request,
// and everything a click can do while an exchange pauses.

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/RandomSource.h"
#include "window/Segment.h"
#include "window/fUtama.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

const QString HostThreeIP = QStringLiteral("192.168.0.4");
const QString NobodysIP = QStringLiteral("10.0.0.99");

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

struct Message
{
    MessageBox::Icon icon;
    QString caption;
    QString text;
};

// What the network showed when a host's pause began.
struct Pause
{
    int host;
    QString word;
    QList<int> green;
    quint8 operation;
    bool exchangeRunning;
};

void postClick(QWidget *widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void postKey(QWidget *widget, int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, modifiers, text));
}

QString refusal(const QString &ip)
{
    return QStringLiteral("Sudah ada nomor IP '") + ip + QStringLiteral("' dalam tabel ARP");
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    // Selection and the table view.
    void selectionShowsTheHost_data();
    void selectionShowsTheHost();
    void selectionMovesTheLight();
    void commandsStayEnabled();
    void listShowsTheTableInOrder_data();
    void listShowsTheTableInOrder();
    void reselectingRebuildsTheList();
    void clearKeepsOnlyTheOwnEntry();
    void exitEndsTheProgram();

    // Propagation along the chain.
    void propagation_data();
    void propagation();

    // The broadcast command.
    void workedExample();
    void knownAddressIsRefused_data();
    void knownAddressIsRefused();
    void unansweredRequest_data();
    void unansweredRequest();
    void answerFromAnotherTable();
    void lastAnswerIsCarried();
    void getIdxByIP_data();
    void getIdxByIP();
    void getIdxByIPTakesTheHighestIndex();

    // Input while an exchange pauses.
    void secondBroadcastIsIgnored_data();
    void secondBroadcastIsIgnored();
    void hostClickDuringExchange();
    void clearDuringExchange();
    void endingDuringExchange_data();
    void endingDuringExchange();
    void errorInNestedHandlerEndsTheProgram();

private:
    Komputer &host(int index) const { return m_window->host(index); }
    const Ui::fUtama &ui() const { return m_window->controls(); }
    int indexOf(const Komputer &k) const;
    QString pair(int index) const { return host(index).IP() + u' ' + host(index).MAC(); }
    QStringList table(int index) const;
    QList<QStringList> tables() const;
    QStringList listed() const;
    QList<int> lit() const;
    QList<int> green() const;
    QList<int> receivers() const;
    QStringList flashes() const;

    void select(int index) { QTest::mouseClick(&host(index), Qt::LeftButton); }
    void broadcast(const QString &ip);
    QList<QStringList> workedExampleTables() const;

    std::unique_ptr<fUtama> m_window;
    QList<Pause> m_pauses;
    QList<Message> m_messages;
    // Runs at every pause once it is recorded, to act while the exchange waits.
    std::function<void(const Pause &)> m_onPause;
};

void TestExchange::initTestCase()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestExchange::init()
{
    Runtime::reset();
    Module1::reset();
    Runtime::setDelayPasses(2);
    MessageBox::setRecorder(
        [this](MessageBox::Icon icon, const QString &caption, const QString &text) {
            m_messages.append({icon, caption, text});
        });
    m_window = std::make_unique<fUtama>(std::make_unique<SteppingRandom>());
    QVERIFY(!Runtime::ending());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    Runtime::setPauseObserver([this](Komputer &k) {
        Pause pause{indexOf(k), k.Caption(), green(), Module1::Packet.Operation,
                    m_window->exchangeRunning()};
        m_pauses.append(pause);
        if (m_onPause)
            m_onPause(pause);
    });
}

void TestExchange::cleanup()
{
    m_onPause = {};
    Runtime::reset();
    m_window.reset();
    Module1::reset();
    MessageBox::setRecorder({});
    m_pauses.clear();
    m_messages.clear();
}

int TestExchange::indexOf(const Komputer &k) const
{
    for (int i = 0; i < fUtama::HostCount; ++i) {
        if (&host(i) == &k)
            return i;
    }
    return -1;
}

QStringList TestExchange::table(int index) const
{
    QStringList entries;
    const Komputer &k = host(index);
    for (qint16 n = 1; n <= k.Jumlah(); ++n)
        entries << k.AmbilIP(n).toString() + u' ' + k.AmbilMAC(n).toString();
    return entries;
}

QList<QStringList> TestExchange::tables() const
{
    QList<QStringList> all;
    for (int i = 0; i < fUtama::HostCount; ++i)
        all << table(i);
    return all;
}

QStringList TestExchange::listed() const
{
    QStringList rows;
    for (int i = 0; i < ui().ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ui().ListView1->topLevelItem(i);
        rows << row->text(0) + u' ' + row->text(1);
    }
    return rows;
}

QList<int> TestExchange::lit() const
{
    QList<int> on;
    for (int i = 0; i < fUtama::HostCount; ++i) {
        if (host(i).isLit())
            on << i;
    }
    return on;
}

QList<int> TestExchange::green() const
{
    QList<int> segments;
    for (int i = 0; i < fUtama::SegmentCount; ++i) {
        if (m_window->segment(i).BorderColor() == Segment::Green)
            segments << i;
    }
    return segments;
}

QList<int> TestExchange::receivers() const
{
    QList<int> order;
    for (const Pause &pause : m_pauses) {
        if (pause.word == QLatin1String("Receive"))
            order << pause.host;
    }
    return order;
}

QStringList TestExchange::flashes() const
{
    QStringList words;
    for (const Pause &pause : m_pauses)
        words << QString::number(pause.host) + u' ' + pause.word;
    return words;
}

void TestExchange::broadcast(const QString &ip)
{
    ui().IPCari->setText(ip);
    // Through the button, so that a run-time error is handled as the program handles it.
    ui().Command2->click();
}

// Host 0 resolving host 3's address: the request teaches hosts 1 to 4 host 0's pair, the
// reply from host 3 teaches hosts 2, 4, 1 and 0 host 3's pair.
QList<QStringList> TestExchange::workedExampleTables() const
{
    return {{pair(0), pair(3)},
            {pair(1), pair(0), pair(3)},
            {pair(2), pair(0), pair(3)},
            {pair(3), pair(0)},
            {pair(4), pair(0), pair(3)}};
}

void TestExchange::selectionShowsTheHost_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < fUtama::HostCount; ++i)
        QTest::addRow("host %d", i) << i;
}

void TestExchange::selectionShowsTheHost()
{
    QFETCH(int, index);
    QVERIFY(!ui().Command2->isEnabled());
    QVERIFY(!ui().Command3->isEnabled());

    select(index);

    QCOMPARE(m_window->selectedIndex(), index);
    QVERIFY(ui().Command2->isEnabled());
    QVERIFY(ui().Command3->isEnabled());
    const Komputer &k = host(index);
    QCOMPARE(ui().Nama->text(), k.Nama());
    QCOMPARE(ui().IP->text(), k.IP());
    QCOMPARE(ui().MAC->text(), k.MAC());
    // Start-up replaced the design MAC; the box shows the one the host carries now.
    QVERIFY(ui().MAC->text() != k.property("mac").toString());
    QCOMPARE(listed(), QStringList{pair(index)});
    QCOMPARE(lit(), QList<int>{index});
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(host(i).State(), i == index);
}

void TestExchange::selectionMovesTheLight()
{
    for (const int index : {1, 3, 0, 4, 2, 2, 1}) {
        select(index);
        QCOMPARE(lit(), QList<int>{index});
        QCOMPARE(m_window->selectedIndex(), index);
        QCOMPARE(ui().Nama->text(), host(index).Nama());
    }
}

void TestExchange::commandsStayEnabled()
{
    const auto enabled = [this] {
        return ui().Command2->isEnabled() && ui().Command3->isEnabled();
    };
    select(2);
    QVERIFY(enabled());
    broadcast(HostThreeIP);
    QVERIFY(enabled());
    select(4);
    ui().Command3->click();
    QVERIFY(enabled());
    broadcast(NobodysIP);
    QVERIFY(enabled());
    broadcast(host(4).IP());
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(enabled());
}

void TestExchange::listShowsTheTableInOrder_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < fUtama::HostCount; ++i)
        QTest::addRow("host %d", i) << i;
}

void TestExchange::listShowsTheTableInOrder()
{
    QFETCH(int, index);
    // Two exchanges leave tables of two to four entries in different orders.
    select(0);
    broadcast(HostThreeIP);
    select(4);
    broadcast(QStringLiteral("192.168.0.2"));

    select(index);

    QVERIFY(table(index).size() >= 2);
    QCOMPARE(listed(), table(index));
}

void TestExchange::reselectingRebuildsTheList()
{
    select(0);
    broadcast(HostThreeIP);
    QCOMPARE(listed(), table(0));
    QCOMPARE(listed().size(), 2);

    select(0);
    select(0);

    QCOMPARE(listed(), table(0));
    QCOMPARE(m_window->selectedIndex(), 0);
    QCOMPARE(lit(), QList<int>{0});
}

void TestExchange::clearKeepsOnlyTheOwnEntry()
{
    select(0);
    broadcast(HostThreeIP);
    select(1);
    QCOMPARE(table(1).size(), 3);
    const QList<QStringList> before = tables();

    QTest::mouseClick(ui().Command3, Qt::LeftButton);

    QCOMPARE(table(1), QStringList{pair(1)});
    QCOMPARE(host(1).Jumlah(), qint16(1));
    QCOMPARE(listed(), QStringList{pair(1)});
    for (const int other : {0, 2, 3, 4})
        QCOMPARE(table(other), before[other]);
    QCOMPARE(lit(), QList<int>{1});
}

void TestExchange::exitEndsTheProgram()
{
    select(3);
    QVERIFY(m_window->isVisible());

    QTest::mouseClick(ui().Command1, Qt::LeftButton);

    QVERIFY(!m_window->isVisible());
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 0);
    QVERIFY(m_messages.isEmpty());
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
    for (const Pause &pause : m_pauses) {
        if (pause.word == QLatin1String("Receive"))
            ++reception;
        QVERIFY(reception >= 0);
        QCOMPARE(pause.host, order[reception]);
        QCOMPARE(pause.green, segments[reception]);
    }
    QCOMPARE(green(), QList<int>{});
    QCOMPARE(m_window->leftCursor(), qint16(-1));
    QCOMPARE(m_window->rightCursor(), qint16(5));
    QVERIFY(!Module1::ReplyReady);
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
    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4, 2, 4, 1, 0}));
    const QList<QStringList> tablesAfter = workedExampleTables();
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(table(i), tablesAfter[i]);
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
    QCOMPARE(Module1::Packet.DestIP, QStringLiteral("192.168.0.1"));
    QVERIFY(m_messages.isEmpty());

    const qsizetype pauses = m_pauses.size();
    ui().Command2->click();

    QCOMPARE(m_pauses.size(), pauses);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, MessageBox::Icon::Information);
    QCOMPARE(m_messages[0].caption, QStringLiteral("Tolvane"));
    QCOMPARE(m_messages[0].text,
             QStringLiteral("Sudah ada nomor IP '192.168.0.4' dalam tabel ARP"));
    QVERIFY(Module1::Packet == reply);
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
        QVERIFY(m_messages.isEmpty());
        ip = HostThreeIP;
    }
    select(index);
    const ArpPacket packet = Module1::Packet;
    const bool replyReady = Module1::ReplyReady;
    const QList<QStringList> before = tables();
    const qsizetype pauses = m_pauses.size();

    broadcast(ip);

    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, MessageBox::Icon::Information);
    QCOMPARE(m_messages[0].caption, QStringLiteral("Tolvane"));
    QCOMPARE(m_messages[0].text, refusal(ip));
    QCOMPARE(m_pauses.size(), pauses);
    QVERIFY(Module1::Packet == packet);
    QCOMPARE(Module1::ReplyReady, replyReady);
    QCOMPARE(tables(), before);
    QVERIFY(!m_window->exchangeRunning());
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
    QVERIFY(!flashes().contains(QStringLiteral("3 Found!")));
    QVERIFY(!Module1::ReplyReady);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(table(0), QStringList{pair(0)});
    for (int i = 1; i < fUtama::HostCount; ++i)
        QCOMPARE(table(i), (QStringList{pair(i), pair(0)}));
    QCOMPARE(Module1::Packet.Operation, quint8(1));
    QCOMPARE(Module1::Packet.SenderIP, host(0).IP());
    QCOMPARE(Module1::Packet.SenderMAC, host(0).MAC());
    QCOMPARE(Module1::Packet.TargetIP, ip);
    QCOMPARE(listed(), QStringList{pair(0)});
}

void TestExchange::answerFromAnotherTable()
{
    // After host 0 has resolved host 3, only host 0 is left holding host 3's pair.
    select(0);
    broadcast(HostThreeIP);
    for (const int index : {1, 2, 4}) {
        select(index);
        ui().Command3->click();
    }
    select(2);
    m_pauses.clear();

    broadcast(HostThreeIP);

    // From host 2 the request reaches 1, 3, 0, 4: host 3 answers for itself, then host 0
    // from its table, and host 0's answer is the one carried.
    QStringList found;
    for (const QString &flash : flashes()) {
        if (flash.endsWith(QLatin1String("Found!")))
            found << flash;
    }
    QCOMPARE(found, (QStringList{"3 Found!", "0 Found!"}));
    const ArpPacket reply{3,           host(2).IP(), host(2).MAC(), host(0).IP(), host(0).MAC(),
                          HostThreeIP, host(3).MAC()};
    QVERIFY(Module1::Packet == reply);
    QCOMPARE(receivers(), (QList<int>{1, 3, 0, 4, 1, 2, 3, 4}));
    QCOMPARE(table(2), (QStringList{pair(2), pair(0), pair(3)}));
    QCOMPARE(listed(), table(2));
}

void TestExchange::lastAnswerIsCarried()
{
    // Host 4 resolves host 3 first, so it holds host 3's pair; host 0 then forgets it.
    select(4);
    broadcast(HostThreeIP);
    QVERIFY(table(4).contains(pair(3)));
    select(0);
    ui().Command3->click();
    m_pauses.clear();

    broadcast(HostThreeIP);

    QStringList found;
    for (const QString &flash : flashes()) {
        if (flash.endsWith(QLatin1String("Found!")))
            found << flash;
    }
    QCOMPARE(found, (QStringList{"1 Found!", "2 Found!", "3 Found!", "4 Found!"}));
    // Host 4 answers last, from its table; nothing of host 3's own answer is left.
    const ArpPacket reply{
        3,           host(0).IP(), host(0).MAC(), QStringLiteral("192.168.0.5"), host(4).MAC(),
        HostThreeIP, host(3).MAC()};
    QVERIFY(Module1::Reply == reply);
    QVERIFY(Module1::Packet == reply);
    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4, 3, 2, 1, 0}));
    QCOMPARE(table(0), (QStringList{pair(0), pair(4), pair(3)}));
}

void TestExchange::getIdxByIP_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("index");
    QTest::newRow("unknown") << NobodysIP << 5;
    QTest::newRow("empty") << QString() << 5;
    QTest::newRow("with a blank") << QStringLiteral("192.168.0.4 ") << 5;
    for (int i = 0; i < fUtama::HostCount; ++i)
        QTest::addRow("host %d", i) << QStringLiteral("192.168.0.%1").arg(i + 1) << i;
}

void TestExchange::getIdxByIP()
{
    QFETCH(QString, ip);
    QFETCH(int, index);
    QCOMPARE(m_window->GetIdxByIP(ip), qint16(index));
}

void TestExchange::getIdxByIPTakesTheHighestIndex()
{
    const QString shared = QStringLiteral("192.168.0.77");
    host(1).setIP(shared);
    host(3).setIP(shared);
    QCOMPARE(m_window->GetIdxByIP(shared), qint16(3));
    QCOMPARE(m_window->GetIdxByIP(QStringLiteral("192.168.0.2")), qint16(5));
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
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    select(0);
    ui().Command2->setFocus();
    QCOMPARE(QApplication::focusWidget(), ui().Command2);
    QSignalSpy presses(ui().Command2, &QPushButton::clicked);

    bool delivered = false;
    int pressedAt = -1;
    ArpPacket packet, reply;
    qint16 left = 0, right = 0;
    bool slotsKept = false;
    m_onPause = [&](const Pause &pause) {
        if (pressedAt >= 0 && m_pauses.size() == pressedAt + 2) {
            slotsKept = Module1::Packet == packet && Module1::Reply == reply &&
                        !Module1::ReplyReady && m_window->leftCursor() == left &&
                        m_window->rightCursor() == right;
        }
        if (pressedAt >= 0 || pause.host != 2)
            return;
        pressedAt = int(m_pauses.size()) - 1;
        packet = Module1::Packet;
        reply = Module1::Reply;
        left = m_window->leftCursor();
        right = m_window->rightCursor();
        if (input == QLatin1String("click"))
            postClick(ui().Command2);
        else if (input == QLatin1String("access key"))
            postKey(m_window.get(), Qt::Key_B, Qt::AltModifier, QStringLiteral("b"));
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
    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4, 2, 4, 1, 0}));
    const QList<QStringList> tablesAfter = workedExampleTables();
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(table(i), tablesAfter[i]);
    QCOMPARE(Module1::Packet.SenderIP, HostThreeIP);
    QCOMPARE(Module1::Packet.DestIP, host(0).IP());
    for (const Pause &pause : std::as_const(m_pauses))
        QVERIFY(pause.exchangeRunning);
    QVERIFY(!m_window->exchangeRunning());
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!Runtime::ending());
}

void TestExchange::hostClickDuringExchange()
{
    select(0);
    bool posted = false;
    bool viewMoved = false;
    m_onPause = [&](const Pause &pause) {
        if (posted) {
            if (!viewMoved && pause.host == 2) {
                viewMoved = m_window->selectedIndex() == 4 && lit() == QList<int>{4} &&
                            listed() == table(4) && ui().Nama->text() == host(4).Nama();
            }
            return;
        }
        if (pause.host == 2) {
            posted = true;
            postClick(&host(4));
        }
    };

    broadcast(HostThreeIP);

    QVERIFY(posted);
    QVERIFY(viewMoved);
    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4, 2, 4, 1, 0}));
    // The requester is fixed in the packet: host 0 still gets the answer.
    QCOMPARE(Module1::Packet.DestIP, host(0).IP());
    const QList<QStringList> tablesAfter = workedExampleTables();
    for (int i = 0; i < fUtama::HostCount; ++i)
        QCOMPARE(table(i), tablesAfter[i]);
    QCOMPARE(m_window->selectedIndex(), 4);
    QCOMPARE(lit(), QList<int>{4});
    QCOMPARE(listed(), table(4));
    QCOMPARE(listed().size(), 3);
}

void TestExchange::clearDuringExchange()
{
    // Host 0 knows host 3, then asks for host 2; its table is cleared as the reply sets out.
    select(0);
    broadcast(HostThreeIP);
    m_pauses.clear();
    bool posted = false;
    bool clearedThen = false;
    m_onPause = [&](const Pause &pause) {
        if (posted) {
            if (!clearedThen)
                clearedThen = table(0) == QStringList{pair(0)} && listed() == table(0);
            return;
        }
        if (pause.operation == 2) {
            posted = true;
            postClick(ui().Command3);
        }
    };

    broadcast(QStringLiteral("192.168.0.3"));

    QVERIFY(posted);
    QVERIFY(clearedThen);
    QCOMPARE(receivers(), (QList<int>{1, 2, 3, 4, 1, 3, 0, 4}));
    const QString hostTwo = pair(2);
    QCOMPARE(table(0), (QStringList{pair(0), hostTwo}));
    QCOMPARE(table(1), (QStringList{pair(1), pair(0), pair(3), hostTwo}));
    QCOMPARE(table(2), (QStringList{pair(2), pair(0), pair(3)}));
    QCOMPARE(table(3), (QStringList{pair(3), pair(0), hostTwo}));
    QCOMPARE(table(4), (QStringList{pair(4), pair(0), pair(3), hostTwo}));
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
    QList<int> greenAtEnd;
    QList<QStringList> tablesAtEnd;
    QStringList captionsAtEnd;
    m_onPause = [&](const Pause &pause) {
        if (pausesAtEnd >= 0 || pause.host != 2)
            return;
        pausesAtEnd = m_pauses.size();
        greenAtEnd = green();
        tablesAtEnd = tables();
        for (int i = 0; i < fUtama::HostCount; ++i)
            captionsAtEnd << host(i).Caption();
        if (closeRequest)
            QCoreApplication::postEvent(m_window->windowHandle(), new QCloseEvent);
        else
            postClick(ui().Command1);
        // Queued behind the end, a click on a host must find the program gone.
        postClick(&host(4));
        counter.start();
    };

    broadcast(HostThreeIP);

    QVERIFY(pausesAtEnd > 0);
    // The pause gave up in the pass that handled the close.
    QCOMPARE(counter.passes(), 1);
    QCOMPARE(m_pauses.size(), pausesAtEnd);
    QCOMPARE(receivers(), (QList<int>{1, 2}));
    QCOMPARE(green(), greenAtEnd);
    QCOMPARE(greenAtEnd, QList<int>{1});
    QCOMPARE(tables(), tablesAtEnd);
    QStringList captions;
    for (int i = 0; i < fUtama::HostCount; ++i)
        captions << host(i).Caption();
    QCOMPARE(captions, captionsAtEnd);
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 0);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->exchangeRunning());
    QCOMPARE(m_window->selectedIndex(), qint16(0));
    QCOMPARE(lit(), QList<int>{0});
    QVERIFY(m_messages.isEmpty());
}

void TestExchange::errorInNestedHandlerEndsTheProgram()
{
    select(0);
    bool posted = false;
    m_onPause = [&](const Pause &) {
        if (posted)
            return;
        posted = true;
        // A count beyond the table's storage: listing host 4 fails on its second entry.
        host(4).setJumlah(5);
        postClick(&host(4));
    };

    broadcast(NobodysIP);

    QVERIFY(posted);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, MessageBox::Icon::Critical);
    QCOMPARE(m_messages[0].caption, QStringLiteral("Tolvane"));
    QCOMPARE(m_messages[0].text, QStringLiteral("Run-time error: Subscript out of range"));
    QVERIFY(Runtime::ending());
    QCOMPARE(Runtime::exitCode(), 1);
    QCOMPARE(receivers(), QList<int>{1});
    QCOMPARE(m_pauses.size(), 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_window->exchangeRunning());
}

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
