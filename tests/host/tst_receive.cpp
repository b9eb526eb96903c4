#include "HostTest.h"
#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace HostTest;

Q_DECLARE_METATYPE(ArpPacket)

// Found by QCOMPARE through argument-dependent lookup, so a failing row shows both records.
char *toString(const ArpPacket &packet)
{
    const QString text = QStringLiteral("{%1, dest %2 %3, sender %4 %5, target %6 %7}")
                             .arg(packet.Operation)
                             .arg(packet.DestIP, packet.DestMAC, packet.SenderIP, packet.SenderMAC,
                                  packet.TargetIP, packet.TargetMAC);
    return qstrdup(qPrintable(text));
}

namespace {

struct Station
{
    QString ip;
    QString mac;
    QString entry() const { return HostTest::entry(ip, mac); }
};

// The receiving host, the requester, the target and a host that answers from its table.
const Station Host{QStringLiteral("192.168.0.3"), QStringLiteral("00-50-56-C0-00-08")};
const Station Requester{QStringLiteral("192.168.0.1"), QStringLiteral("00-0C-29-4F-8E-35")};
const Station Target{QStringLiteral("192.168.0.4"), QStringLiteral("8-0-27-A1-5-E")};
const Station Holder{QStringLiteral("192.168.0.5"), QStringLiteral("F0-1F-AF-3C-9B-2D")};
const QString OldMac = QStringLiteral("AA-AA-AA-AA-AA-AA");

const QString Receiving = QStringLiteral("Receive");
const QString Saved = QStringLiteral("Saved!");
const QString Found = QStringLiteral("Found!");

ArpPacket packet(quint8 operation, const Station &dest, const Station &sender,
                 const QString &targetIp, const QString &targetMac)
{
    return ArpPacket{operation, dest.ip, dest.mac, sender.ip, sender.mac, targetIp, targetMac};
}

ArpPacket request(const Station &sender, const QString &targetIp)
{
    return ArpPacket{1, QString(), QString(), sender.ip, sender.mac, targetIp, QString()};
}

// What an earlier exchange left in Reply; an answer must overwrite all of it.
const ArpPacket EarlierReply{3,
                             QStringLiteral("10.0.0.1"),
                             QStringLiteral("11-11-11-11-11-11"),
                             QStringLiteral("10.0.0.2"),
                             QStringLiteral("22-22-22-22-22-22"),
                             QStringLiteral("10.0.0.3"),
                             QStringLiteral("33-33-33-33-33-33")};

void fillFrom(Komputer &host, const QStringList &entries)
{
    static const QRegularExpression pair(QStringLiteral("^\\[(.*)\\]\\[(.*)\\]$"));
    for (const QString &text : entries) {
        const QRegularExpressionMatch match = pair.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        host.Tambah(match.captured(1), match.captured(2));
    }
}

// A receiving host as start-up leaves it, with the table the row gives.
void prepare(Komputer &host, const Station &self, const QStringList &table, bool state)
{
    host.setIP(self.ip);
    host.setMAC(self.mac);
    host.setState(state);
    host.setCaption(QString());
    fillFrom(host, table);
}

} // namespace

// How one host reacts to the packet in flight.
class TestReceive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void receive_data();
    void receive();
    void stepsInOrder();
    void laterAnswerReplacesEarlier_data();
    void laterAnswerReplacesEarlier();
    void recordsCopyByValue();
    void endingStopsReceive_data();
    void endingStopsReceive();

private:
    // The caption at the start of every pause, and which host paused.
    QStringList m_words;
    QList<const Komputer *> m_pausing;
};

void TestReceive::initTestCase()
{
    // The slots as the program starts, before anything has reset them.
    QCOMPARE(Module1::Packet, ArpPacket());
    QCOMPARE(Module1::Reply, ArpPacket());
    QCOMPARE(Module1::Packet.Operation, quint8(0));
    QVERIFY(Module1::Packet.SenderIP.isEmpty() && Module1::Reply.TargetMAC.isEmpty());
    QVERIFY(!Module1::ReplyReady);
}

void TestReceive::init()
{
    Runtime::reset();
    Module1::reset();
    Runtime::setDelayPasses(1);
    m_words.clear();
    m_pausing.clear();
    Runtime::setPauseObserver([this](Komputer &host) {
        m_words << host.Caption();
        m_pausing << &host;
    });
}

void TestReceive::cleanup()
{
    Runtime::reset();
    Module1::reset();
}

void TestReceive::receive_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<ArpPacket>("packet");
    QTest::addColumn<bool>("readyBefore");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("tableAfter");
    QTest::addColumn<ArpPacket>("reply");
    QTest::addColumn<bool>("readyAfter");

    const QStringList own{Host.entry()};
    const QString stale = QStringLiteral("33-33-33-33-33-33");
    const ArpPacket fromTarget =
        ArpPacket{2, Requester.ip, Requester.mac, Host.ip, Host.mac, Host.ip, Host.mac};

    // Requests.
    QTest::newRow("request for the host, requester new")
        << own << request(Requester, Host.ip) << false << QStringList{Receiving, Saved, Found}
        << QStringList{Host.entry(), Requester.entry()} << fromTarget << true;
    QTest::newRow("request for the host, requester known")
        << QStringList{Host.entry(), Requester.entry()} << request(Requester, Host.ip) << false
        << QStringList{Receiving, Found} << QStringList{Host.entry(), Requester.entry()}
        << fromTarget << true;
    QTest::newRow("request for the host, own IP in its table with another MAC")
        << QStringList{entry(Host.ip, OldMac)} << request(Requester, Host.ip) << false
        << QStringList{Receiving, Saved, Found}
        << QStringList{entry(Host.ip, OldMac), Requester.entry()} << fromTarget << true;
    QTest::newRow("request for the host, empty table")
        << QStringList() << request(Requester, Host.ip) << false
        << QStringList{Receiving, Saved, Found} << QStringList{Requester.entry()} << fromTarget
        << true;
    QTest::newRow("request for the host, after an earlier answer")
        << own << request(Requester, Host.ip) << true << QStringList{Receiving, Saved, Found}
        << QStringList{Host.entry(), Requester.entry()} << fromTarget << true;
    QTest::newRow("request for the host, stale fields of the last exchange")
        << own << packet(1, Holder, Requester, Host.ip, stale) << false
        << QStringList{Receiving, Saved, Found} << QStringList{Host.entry(), Requester.entry()}
        << fromTarget << true;
    QTest::newRow("request for the host, requester known with another MAC")
        << QStringList{Host.entry(), entry(Requester.ip, OldMac)} << request(Requester, Host.ip)
        << false << QStringList{Receiving, Found}
        << QStringList{Host.entry(), entry(Requester.ip, OldMac)} << fromTarget << true;
    QTest::newRow("request answered from the table, requester new")
        << QStringList{Host.entry(), Target.entry()} << request(Requester, Target.ip) << false
        << QStringList{Receiving, Saved, Found}
        << QStringList{Host.entry(), Target.entry(), Requester.entry()}
        << ArpPacket{3, Requester.ip, Requester.mac, Host.ip, Host.mac, Target.ip, Target.mac}
        << true;
    QTest::newRow("request answered from an old table entry, requester known")
        << QStringList{Host.entry(), entry(Target.ip, OldMac), Requester.entry()}
        << request(Requester, Target.ip) << false << QStringList{Receiving, Found}
        << QStringList{Host.entry(), entry(Target.ip, OldMac), Requester.entry()}
        << ArpPacket{3, Requester.ip, Requester.mac, Host.ip, Host.mac, Target.ip, OldMac} << true;
    QTest::newRow("request for another host, requester new")
        << own << request(Requester, Target.ip) << false << QStringList{Receiving, Saved}
        << QStringList{Host.entry(), Requester.entry()} << EarlierReply << false;
    QTest::newRow("request for another host, requester known")
        << QStringList{Host.entry(), Requester.entry()} << request(Requester, Target.ip) << false
        << QStringList{Receiving} << QStringList{Host.entry(), Requester.entry()} << EarlierReply
        << false;
    QTest::newRow("request for another host, requester known with another MAC")
        << QStringList{Host.entry(), entry(Requester.ip, OldMac)} << request(Requester, Target.ip)
        << false << QStringList{Receiving} << QStringList{Host.entry(), entry(Requester.ip, OldMac)}
        << EarlierReply << false;
    QTest::newRow("request for the host's IP with a trailing blank")
        << own << request(Requester, Host.ip + QLatin1Char(' ')) << false
        << QStringList{Receiving, Saved} << QStringList{Host.entry(), Requester.entry()}
        << EarlierReply << false;
    QTest::newRow("request for the host's IP with a leading zero")
        << own << request(Requester, QStringLiteral("192.168.0.03")) << false
        << QStringList{Receiving, Saved} << QStringList{Host.entry(), Requester.entry()}
        << EarlierReply << false;
    QTest::newRow("request for a table entry's IP with a leading blank")
        << QStringList{Host.entry(), Target.entry()}
        << request(Requester, QLatin1Char(' ') + Target.ip) << false
        << QStringList{Receiving, Saved}
        << QStringList{Host.entry(), Target.entry(), Requester.entry()} << EarlierReply << false;

    // Replies: every host that hears one keeps the resolved pair.
    const ArpPacket targetReply = packet(2, Requester, Target, Target.ip, Target.mac);
    const ArpPacket holderReply = packet(3, Requester, Holder, Target.ip, Target.mac);
    QTest::newRow("reply from the target, target new")
        << own << targetReply << true << QStringList{Receiving, Saved, Saved}
        << QStringList{Host.entry(), Target.entry()} << EarlierReply << true;
    QTest::newRow("reply from the target, target known")
        << QStringList{Host.entry(), Target.entry()} << targetReply << true
        << QStringList{Receiving, Saved} << QStringList{Host.entry(), Target.entry()}
        << EarlierReply << true;
    QTest::newRow("reply from the target, target known with another MAC")
        << QStringList{Host.entry(), entry(Target.ip, OldMac), Requester.entry()} << targetReply
        << true << QStringList{Receiving, Saved}
        << QStringList{Host.entry(), Target.entry(), Requester.entry()} << EarlierReply << true;
    QTest::newRow("reply from the target, reaching the requester")
        << own << packet(2, Host, Target, Target.ip, Target.mac) << true
        << QStringList{Receiving, Saved, Saved} << QStringList{Host.entry(), Target.entry()}
        << EarlierReply << true;
    QTest::newRow("reply from a table, both new")
        << own << holderReply << true << QStringList{Receiving, Saved, Saved}
        << QStringList{Host.entry(), Holder.entry(), Target.entry()} << EarlierReply << true;
    QTest::newRow("reply from a table, target known with another MAC")
        << QStringList{Host.entry(), entry(Target.ip, OldMac), Holder.entry()} << holderReply
        << true << QStringList{Receiving, Saved}
        << QStringList{Host.entry(), Target.entry(), Holder.entry()} << EarlierReply << true;
    QTest::newRow("reply from a table, answering host known with another MAC")
        << QStringList{Host.entry(), entry(Holder.ip, OldMac)} << holderReply << true
        << QStringList{Receiving, Saved}
        << QStringList{Host.entry(), entry(Holder.ip, OldMac), Target.entry()} << EarlierReply
        << true;
    QTest::newRow("reply resolving the host's own IP")
        << own << packet(3, Requester, Holder, Host.ip, OldMac) << true
        << QStringList{Receiving, Saved, Saved}
        << QStringList{entry(Host.ip, OldMac), Holder.entry()} << EarlierReply << true;

    // Any other operation: the host only learns the sender, even when it is the target.
    for (const int operation : {0, 4, 255}) {
        const ArpPacket odd = packet(quint8(operation), Requester, Requester, Host.ip, Target.mac);
        QTest::addRow("operation %d, sender new", operation)
            << own << odd << false << QStringList{Receiving, Saved}
            << QStringList{Host.entry(), Requester.entry()} << EarlierReply << false;
        QTest::addRow("operation %d, sender known", operation)
            << QStringList{Host.entry(), Requester.entry()} << odd << true << QStringList{Receiving}
            << QStringList{Host.entry(), Requester.entry()} << EarlierReply << true;
    }
}

void TestReceive::receive()
{
    QFETCH(QStringList, table);
    QFETCH(ArpPacket, packet);
    QFETCH(bool, readyBefore);
    QFETCH(QStringList, words);
    QFETCH(QStringList, tableAfter);
    QFETCH(ArpPacket, reply);
    QFETCH(bool, readyAfter);

    // On or off, the host reacts the same.
    for (const bool state : {false, true}) {
        m_words.clear();
        m_pausing.clear();
        Module1::Packet = packet;
        Module1::Reply = EarlierReply;
        Module1::ReplyReady = readyBefore;
        Komputer host;
        prepare(host, Host, table, state);
        if (QTest::currentTestFailed())
            return;
        QSignalSpy notices(&host, &Komputer::PropertyChanged);

        host.Receive();

        const QString when = state ? QStringLiteral("host on") : QStringLiteral("host off");
        QVERIFY2(m_words == words, qPrintable(when + QStringLiteral(": ") + m_words.join(", ")));
        QCOMPARE(m_pausing, QList<const Komputer *>(words.size(), &host));
        QCOMPARE(tableOf(host), tableAfter);
        QCOMPARE(host.storageSize(), int(host.Jumlah()));
        QCOMPARE(Module1::Reply, reply);
        QCOMPARE(Module1::ReplyReady, readyAfter);
        QCOMPARE(Module1::Packet, packet);
        QCOMPARE(host.Caption(), QString());
        QCOMPARE(host.State(), state);
        QCOMPARE(host.isLit(), state);
        QCOMPARE(notices.count(), 0);
    }
}

void TestReceive::stepsInOrder()
{
    // What a handler running inside each pause would see: each word shows before the step it
    // announces, and an answer is copied from the request before "Found!" but only marked
    // ready after it.
    struct Moment
    {
        QString word;
        qint16 count;
        bool ready;
        bool replyIsRequest;
    };
    QList<Moment> moments;
    Komputer host;
    prepare(host, Host, {Host.entry()}, false);
    Module1::Packet = request(Requester, Host.ip);
    Module1::Reply = EarlierReply;
    Runtime::setPauseObserver([&](Komputer &pausing) {
        moments.append({pausing.Caption(), pausing.Jumlah(), Module1::ReplyReady,
                        Module1::Reply == Module1::Packet});
    });

    host.Receive();

    QCOMPARE(moments.size(), 3);
    QCOMPARE(moments[0].word, Receiving);
    QCOMPARE(moments[0].count, qint16(1));
    QCOMPARE(moments[1].word, Saved);
    QCOMPARE(moments[1].count, qint16(1));
    QCOMPARE(moments[2].word, Found);
    QCOMPARE(moments[2].count, qint16(2));
    QVERIFY(!moments[1].replyIsRequest);
    QVERIFY(moments[2].replyIsRequest);
    QVERIFY(!moments[2].ready);
    QVERIFY(Module1::ReplyReady);
}

void TestReceive::laterAnswerReplacesEarlier_data()
{
    QTest::addColumn<bool>("targetFirst");
    QTest::newRow("target, then a host holding it") << true;
    QTest::newRow("a host holding it, then the target") << false;
}

void TestReceive::laterAnswerReplacesEarlier()
{
    QFETCH(bool, targetFirst);
    // The holder's entry for the target is out of date, so every field tells the answers apart.
    Komputer target;
    prepare(target, Target, {Target.entry()}, false);
    Komputer holder;
    prepare(holder, Holder, {Holder.entry(), entry(Target.ip, OldMac)}, false);
    const ArpPacket asked = request(Requester, Target.ip);
    const ArpPacket fromTarget{2,          Requester.ip, Requester.mac, Target.ip,
                               Target.mac, Target.ip,    Target.mac};
    const ArpPacket fromHolder{3,          Requester.ip, Requester.mac, Holder.ip,
                               Holder.mac, Target.ip,    OldMac};
    Module1::Packet = asked;

    Komputer &first = targetFirst ? target : holder;
    Komputer &second = targetFirst ? holder : target;
    first.Receive();
    QCOMPARE(Module1::Reply, targetFirst ? fromTarget : fromHolder);
    second.Receive();

    QCOMPARE(Module1::Reply, targetFirst ? fromHolder : fromTarget);
    QVERIFY(Module1::ReplyReady);
    QCOMPARE(Module1::Packet, asked);
    QCOMPARE(m_words, QStringList({Receiving, Saved, Found, Receiving, Saved, Found}));
}

void TestReceive::recordsCopyByValue()
{
    Module1::Reply = EarlierReply;
    Module1::Packet = Module1::Reply;
    Module1::Packet.SenderIP += QStringLiteral("9");
    Module1::Packet.TargetMAC[0] = QLatin1Char('F');
    Module1::Packet.Operation = 1;
    QCOMPARE(Module1::Reply, EarlierReply);

    const ArpPacket packetBefore = Module1::Packet;
    Module1::Reply = Module1::Packet;
    Module1::Reply.DestIP.clear();
    Module1::Reply.TargetIP.append(QLatin1Char(' '));
    QCOMPARE(Module1::Packet, packetBefore);
}

void TestReceive::endingStopsReceive_data()
{
    QTest::addColumn<QString>("endDuring");
    QTest::newRow("Receive") << Receiving;
    QTest::newRow("Saved!") << Saved;
    QTest::newRow("Found!") << Found;
}

void TestReceive::endingStopsReceive()
{
    QFETCH(QString, endDuring);
    Komputer host;
    prepare(host, Host, {Host.entry()}, false);
    Module1::Packet = request(Requester, Host.ip);
    Module1::Reply = EarlierReply;
    Runtime::setPauseObserver([&](Komputer &pausing) {
        m_words << pausing.Caption();
        if (pausing.Caption() == endDuring)
            Runtime::end(0);
    });

    QVERIFY_THROWS_EXCEPTION(Unwind, host.Receive());

    // Nothing after the interrupted pause ran: no later word, no later step.
    QCOMPARE(m_words.last(), endDuring);
    QCOMPARE(host.Jumlah(), qint16(endDuring == Found ? 2 : 1));
    QVERIFY(!Module1::ReplyReady);
    QCOMPARE(Module1::Packet, request(Requester, Host.ip));
}

TOLVANE_HOST_TEST_MAIN(TestReceive)
#include "tst_receive.moc"
