#include "HostTest.h"

#include <QRegularExpression>

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
    return packet(1, Station(), sender, targetIp, QString());
}

// What an earlier exchange left in Reply; an answer must overwrite all of it.
const ArpPacket EarlierReply{3,
                             QStringLiteral("10.0.0.1"),
                             QStringLiteral("11-11-11-11-11-11"),
                             QStringLiteral("10.0.0.2"),
                             QStringLiteral("22-22-22-22-22-22"),
                             QStringLiteral("10.0.0.3"),
                             QStringLiteral("33-33-33-33-33-33")};

// A receiving host as start-up leaves it, with the table the row gives.
void prepare(Komputer &host, const Station &self, const QStringList &table, bool state = false)
{
    static const QRegularExpression pair(QStringLiteral("^\\[(.*)\\]\\[(.*)\\]$"));
    host.setIP(self.ip);
    host.setMAC(self.mac);
    host.setState(state);
    host.setCaption(QString());
    for (const QString &text : table) {
        const QRegularExpressionMatch match = pair.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        host.Tambah(match.captured(1), match.captured(2));
    }
}

// A row of the case table; Reply is left as the earlier exchange left it unless one is given.
void row(const QString &name, const QStringList &table, const ArpPacket &packet, bool readyBefore,
         const QStringList &words, const QStringList &tableAfter,
         const ArpPacket &reply = EarlierReply)
{
    QTest::newRow(qPrintable(name))
        << table << packet << readyBefore << words << tableAfter << reply;
}

} // namespace

// How one host reacts to the packet in flight.
class TestReceive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { resetShared(); }

    void receive_data();
    void receive();
    void stepsInOrder();
    void laterAnswerReplacesEarlier_data();
    void laterAnswerReplacesEarlier();
    void recordsCopyByValue();
    void answerKeepsMacClearedDuringPause();
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
    QVERIFY(!Module1::ReplyReady);
}

void TestReceive::init()
{
    resetShared();
    Runtime::setDelayPasses(1);
    m_words.clear();
    m_pausing.clear();
    Runtime::setPauseObserver([this](Komputer &host) {
        m_words << host.Caption();
        m_pausing << &host;
    });
}

void TestReceive::receive_data()
{
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<ArpPacket>("packet");
    QTest::addColumn<bool>("readyBefore");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("tableAfter");
    QTest::addColumn<ArpPacket>("reply");

    const QString h = Host.entry();
    const QString r = Requester.entry();
    const QString t = Target.entry();
    const QString o = Holder.entry();
    const QStringList RSF{Receiving, Saved, Found};
    const QStringList RF{Receiving, Found};
    const QStringList RS{Receiving, Saved};
    const QStringList RSS{Receiving, Saved, Saved};
    const QStringList R{Receiving};
    const ArpPacket forHost = request(Requester, Host.ip);
    const ArpPacket forTarget = request(Requester, Target.ip);
    const ArpPacket fromHost{2, Requester.ip, Requester.mac, Host.ip, Host.mac, Host.ip, Host.mac};
    const ArpPacket fromTable{3,        Requester.ip, Requester.mac, Host.ip,
                              Host.mac, Target.ip,    Target.mac};
    const ArpPacket fromOld{3, Requester.ip, Requester.mac, Host.ip, Host.mac, Target.ip, OldMac};
    const QString oldHost = entry(Host.ip, OldMac);
    const QString oldRequester = entry(Requester.ip, OldMac);
    const QString oldTarget = entry(Target.ip, OldMac);

    // Requests. A known sender is never refreshed, and the own IP is tested before the table.
    row("for the host, requester new", {h}, forHost, false, RSF, {h, r}, fromHost);
    row("for the host, requester known", {h, r}, forHost, false, RF, {h, r}, fromHost);
    row("for the host, requester known with another MAC", {h, oldRequester}, forHost, false, RF,
        {h, oldRequester}, fromHost);
    row("for the host, own IP in its table with another MAC", {oldHost}, forHost, false, RSF,
        {oldHost, r}, fromHost);
    row("for the host, empty table", {}, forHost, false, RSF, {r}, fromHost);
    row("for the host, stale fields of the last exchange", {h},
        packet(1, Holder, Requester, Host.ip, OldMac), false, RSF, {h, r}, fromHost);
    row("answered from the table, requester new", {h, t}, forTarget, false, RSF, {h, t, r},
        fromTable);
    row("answered from an old entry, requester known", {h, oldTarget, r}, forTarget, false, RF,
        {h, oldTarget, r}, fromOld);
    row("for another host, requester new", {h}, forTarget, false, RS, {h, r});
    row("for another host, requester known", {h, r}, forTarget, false, R, {h, r});
    row("for the host's IP with a trailing blank", {h},
        request(Requester, Host.ip + QLatin1Char(' ')), false, RS, {h, r});
    row("for the host's IP with a leading zero", {h},
        request(Requester, QStringLiteral("192.168.0.03")), false, RS, {h, r});
    row("for a table entry's IP with a leading blank", {h, t},
        request(Requester, QLatin1Char(' ') + Target.ip), false, RS, {h, t, r});

    // Replies: every host that hears one keeps the resolved pair.
    const ArpPacket targetReply = packet(2, Requester, Target, Target.ip, Target.mac);
    const ArpPacket holderReply = packet(3, Requester, Holder, Target.ip, Target.mac);
    row("reply from the target, target new", {h}, targetReply, true, RSS, {h, t});
    row("reply from the target, target known", {h, t}, targetReply, true, RS, {h, t});
    row("reply from the target, target known with another MAC", {h, oldTarget, r}, targetReply,
        true, RS, {h, t, r});
    row("reply from a table, both new", {h}, holderReply, true, RSS, {h, o, t});
    row("reply from a table, answering host known with another MAC", {h, entry(Holder.ip, OldMac)},
        holderReply, true, RS, {h, entry(Holder.ip, OldMac), t});
    row("reply resolving the host's own IP", {h}, packet(3, Requester, Holder, Host.ip, OldMac),
        true, RSS, {oldHost, o});

    // Any other operation: the host only learns the sender, even when it is the target.
    for (const int operation : {0, 4, 255}) {
        const ArpPacket odd = packet(quint8(operation), Requester, Requester, Host.ip, Target.mac);
        row(QStringLiteral("operation %1, sender new").arg(operation), {h}, odd, false, RS, {h, r});
        row(QStringLiteral("operation %1, sender known").arg(operation), {h, r}, odd, true, R,
            {h, r});
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
        QCOMPARE(Module1::ReplyReady, readyBefore || words.contains(Found));
        QCOMPARE(Module1::Packet, packet);
        QCOMPARE(host.Caption(), QString());
        QCOMPARE(host.isLit(), state);
        QCOMPARE(notices.count(), 0);
    }
}

void TestReceive::stepsInOrder()
{
    // What a handler running inside each pause would see: each word shows before the step it
    // announces, and an answer is copied from the request before "Found!" but only marked
    // ready after it.
    QStringList moments;
    Komputer host;
    prepare(host, Host, {Host.entry()});
    Module1::Packet = request(Requester, Host.ip);
    Module1::Reply = EarlierReply;
    Runtime::setPauseObserver([&](Komputer &pausing) {
        moments << QStringLiteral("%1 count %2 ready %3 copied %4")
                       .arg(pausing.Caption())
                       .arg(pausing.Jumlah())
                       .arg(Module1::ReplyReady)
                       .arg(Module1::Reply == Module1::Packet);
    });

    host.Receive();

    QCOMPARE(moments,
             QStringList({"Receive count 1 ready 0 copied 0", "Saved! count 1 ready 0 copied 0",
                          "Found! count 2 ready 0 copied 1"}));
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
    prepare(target, Target, {Target.entry()});
    Komputer holder;
    prepare(holder, Holder, {Holder.entry(), entry(Target.ip, OldMac)});
    const ArpPacket fromTarget = packet(2, Requester, Target, Target.ip, Target.mac);
    const ArpPacket fromHolder = packet(3, Requester, Holder, Target.ip, OldMac);
    Module1::Packet = request(Requester, Target.ip);

    (targetFirst ? target : holder).Receive();
    QCOMPARE(Module1::Reply, targetFirst ? fromTarget : fromHolder);
    (targetFirst ? holder : target).Receive();

    QCOMPARE(Module1::Reply, targetFirst ? fromHolder : fromTarget);
    QVERIFY(Module1::ReplyReady);
    QCOMPARE(m_words, QStringList({Receiving, Saved, Found, Receiving, Saved, Found}));
}

void TestReceive::answerKeepsMacClearedDuringPause()
{
    // "Hapus Entri" can clear the holder's table while it shows "Found!"; the answer still
    // resolves the address to the MAC the holder held, never to an empty one.
    Komputer holder;
    prepare(holder, Holder, {Holder.entry(), Requester.entry(), Target.entry()});
    Module1::Packet = request(Requester, Target.ip);
    Runtime::setPauseObserver([&](Komputer &pausing) {
        if (pausing.Caption() == Found)
            pausing.ClearEntry();
    });

    holder.Receive();

    QVERIFY(Module1::ReplyReady);
    QCOMPARE(Module1::Reply, packet(3, Requester, Holder, Target.ip, Target.mac));
    QCOMPARE(tableOf(holder), QStringList({Holder.entry()}));
}

void TestReceive::recordsCopyByValue()
{
    Module1::Reply = EarlierReply;
    Module1::Packet = Module1::Reply;
    Module1::Packet.SenderIP += QStringLiteral("9");
    Module1::Packet.TargetMAC[0] = QLatin1Char('F');
    QCOMPARE(Module1::Reply, EarlierReply);

    const ArpPacket packetBefore = Module1::Packet;
    Module1::Reply = Module1::Packet;
    Module1::Reply.DestIP.clear();
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
    prepare(host, Host, {Host.entry()});
    Module1::Packet = request(Requester, Host.ip);
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
}

TOLVANE_HOST_TEST_MAIN(TestReceive)
#include "tst_receive.moc"
