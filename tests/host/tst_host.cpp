// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The host through its own members: the ARP table, the stored design values, the click, and
// the reaction to every kind of packet it can meet.

#include "Support.h"
#include "runtime/PropertyBag.h"

#include <QRegularExpression>
#include <QSignalSpy>

using namespace Module1;

namespace {

// "Operation|SenderIP|SenderMAC|TargetIP|TargetMAC|DestIP|DestMAC", the last two read only.
ArpPacket packet(const QString &fields)
{
    const QStringList f = fields.split(u'|');
    return {static_cast<quint8>(f[0].toUInt()), {}, {}, f[1], f[2], f[3], f[4]};
}

QString fields(const ArpPacket &p)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(QString::number(p.Operation), p.SenderIP, p.SenderMAC, p.TargetIP, p.TargetMAC,
             p.DestIP, p.DestMAC);
}

} // namespace

class TestHost : public QObject
{
    Q_OBJECT

    // One operation: "add IP MAC", "del IP", "count N", "clear" change the table; "find IP",
    // "mac IP", "ip N" and "macat N" answer. A run-time error answers "!" and its name.
    static QString run(Komputer &k, const QString &operation)
    {
        const QStringList w = operation.split(u' ');
        QString answer;
        const QString error = Support::errorOf([&] {
            const QString op = w[0];
            const auto n = static_cast<qint16>(w.value(1).toInt());
            if (op == u"add")
                k.Tambah(w[1], w[2]);
            else if (op == u"del")
                k.Hapus(w[1]);
            else if (op == u"count")
                k.setJumlah(n);
            else if (op == u"clear")
                k.ClearEntry();
            else if (op == u"find")
                answer = QString::number(k.Ada(w[1]));
            else if (op == u"mac")
                answer = k.Ambil(w[1]);
            else if (op == u"ip")
                answer = k.AmbilIP(n).toString();
            else if (op == u"macat")
                answer = k.AmbilMAC(n).toString();
        });
        return error.isEmpty() ? answer : u'!' + error;
    }

    static QString describe(const Komputer &k)
    {
        return QStringList{
            k.Nama(),   k.MAC(), k.IP(), k.State() ? "on" : "off", QString::number(k.Jumlah()),
            k.Caption()}
            .join(u'|');
    }

    std::unique_ptr<Komputer> dovel; // 192.168.0.3 (".3"), MAC 33, knowing itself
    QStringList words;               // what the hosts showed at each pause

private Q_SLOTS:
    void init()
    {
        Packet = Reply = ArpPacket();
        ReplyReady = false;
        words.clear();
        dovel = std::make_unique<Komputer>();
        // The word shows while the host pauses, as its caption too.
        connect(dovel.get(), &Komputer::WordFlashed, this, [this] { words << dovel->Caption(); });
        dovel->setIP(".3");
        dovel->setMAC("33");
        dovel->Tambah(".3", "33");
    }

    // Each row: a script run on a fresh host, what its queries answered, the table left.
    void operations_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("table");
        const QString abc = "add 1 a; add 2 b; add 3 c";
        QTest::newRow("new addresses append in order") << abc << ""
                                                       << "1 a|2 b|3 c";
        QTest::newRow("a known address keeps its place and takes the new MAC")
            << abc + "; add 2 z; find 2"
            << "2"
            << "1 a|2 z|3 c";
        QTest::newRow("addresses compare as exact text")
            << "add 1 a; add A b; find 1.0; find a; mac A"
            << "0|0|b"
            << "1 a|A b";
        QTest::newRow("deleting shifts the later entries down") << abc + "; del 2; find 3; mac 3"
                                                                << "2|c"
                                                                << "1 a|3 c";
        QTest::newRow("deleting the first and the last") << abc + "; del 1; del 3"
                                                         << ""
                                                         << "2 b";
        QTest::newRow("deleting an unknown address changes nothing") << abc + "; del 9"
                                                                     << ""
                                                                     << "1 a|2 b|3 c";
        QTest::newRow("entries by position, empty above the count")
            << abc + "; ip 1; macat 3; ip 4; macat 4; mac 9"
            << "1|c|||"
            << "1 a|2 b|3 c";
        QTest::newRow("position 0 lies outside the table")
            << abc + "; ip 0; macat 0"
            << "!Subscript out of range|!Subscript out of range"
            << "1 a|2 b|3 c";
        QTest::newRow("a count beyond the storage fails every lookup")
            << "add 1 a; count 3; find 1; add 2 b; count 1"
            << "!Subscript out of range|!Subscript out of range"
            << "1 a";
        QTest::newRow("a smaller count hides entries until the next add cuts them")
            << abc + "; count 1; find 3; add 4 d"
            << "0"
            << "1 a|4 d";
        QTest::newRow("clearing keeps the own entry only") << abc + "; clear"
                                                           << ""
                                                           << "1 a";
    }

    void operations()
    {
        QFETCH(QString, script);
        Komputer k;
        QStringList answers;
        for (const QString &operation : script.split("; ")) {
            const QString answer = run(k, operation);
            if (!answer.isEmpty() || operation.contains(QRegularExpression("^(find|mac|ip)")))
                answers << answer;
        }
        QTEST(answers.join(u'|'), "answers");
        QTEST(Support::tableOf(k).join(u'|'), "table");
        QCOMPARE(k.storageSize(), k.Jumlah());
    }
    // Each row: the values stored, then the host as loaded, with the error that stopped it.
    void load_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("the window's keys, in any letter case")
            << QVariantMap{{"nama", "Tesu"}, {"mac", "11"}, {"IP", ".1"}, {"jumlah", false}}
            << "Tesu|11|.1|on|0|Label1";
        QTest::newRow("nothing stored") << QVariantMap() << "0|0|0|on|0|Label1";
        QTest::newRow("texts and numbers convert")
            << QVariantMap{{"State", "False"}, {"Jumlah", "2.5"}, {"Caption", 7}}
            << "0|0|0|off|2|7";
        QTest::newRow("true as text and as a count, nothing as text")
            << QVariantMap{{"Nama", QVariant()}, {"State", " True "}, {"Jumlah", true}}
            << "|0|0|on|-1|Label1";
        QTest::newRow("the lowest count")
            << QVariantMap{{"Jumlah", -32768}} << "0|0|0|on|-32768|Label1";
        QTest::newRow("a non-zero number is true")
            << QVariantMap{{"State", "2"}, {"Jumlah", 3.5}} << "0|0|0|on|4|Label1";
        QTest::newRow("a value that is no number stops at its name")
            << QVariantMap{{"Nama", "Dovel"}, {"State", "lit"}}
            << "Dovel|0||off|0|Label1 !Type mismatch";
        QTest::newRow("a value of no kind a host stores")
            << QVariantMap{{"State", QPoint()}} << "0|0||off|0|Label1 !Type mismatch";
        QTest::newRow("a count of no kind a host stores")
            << QVariantMap{{"Jumlah", QPoint()}} << "0|0|0|on|0|Label1 !Type mismatch";
        QTest::newRow("nothing as a state, a count beyond 16 bits")
            << QVariantMap{{"State", QVariant()}, {"Jumlah", 40000}}
            << "0|0|0|off|0|Label1 !Overflow";
    }

    void load()
    {
        QFETCH(QVariantMap, stored);
        PropertyBag store;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            store.WriteProperty(it.key(), it.value(), QVariant());
        Komputer k;
        const QString error = Support::errorOf([&] { k.LoadProperties(store); });
        QTEST(describe(k) + (error.isEmpty() ? "" : " !" + error), "loaded");
        // The picture stays as designed until the state is first set.
        QVERIFY(!k.isLit());
        QObject designed; // Qt's own dynamic properties are no design data
        designed.setProperty("_q_hidden", 1);
        QVERIFY(!PropertyBag::fromDynamicProperties(designed).ReadProperty("_q_hidden", 0).toInt());
    }

    void newInstanceAndSave()
    {
        Komputer k;
        k.setNama("Lurfa");
        k.setState(false);
        k.Tambah("1", "a");
        k.NewInstance();
        QCOMPARE(describe(k), "0|0|0|on|0|Label1");

        k.setIP("192.168.0.5");
        k.Tambah("192.168.0.5", "AA");
        k.setCaption("Saved!");
        PropertyBag saved;
        k.SaveProperties(saved);
        QCOMPARE(saved.names(), QStringList({"Nama", "MAC", "State", "IP", "Jumlah", "Caption"}));
        QCOMPARE(saved.ReadProperty("jumlah", {}).typeId(), QMetaType::Short);
        Komputer copy;
        copy.LoadProperties(saved);
        QCOMPARE(describe(copy), describe(k));
    }

    // Every setter notifies under its own name, also when the value does not change.
    void setters()
    {
        Komputer k;
        QStringList notified;
        connect(&k, &Komputer::PropertyChanged, [&](const QString &name) { notified << name; });
        for (const char *name : {"Nama", "MAC", "State", "IP", "Jumlah", "Caption"})
            k.setProperty(name, k.property(name)); // the value it already has
        QCOMPARE(notified.join(u' '), "Nama MAC State IP Jumlah Caption");
    }

    // A left click anywhere on the host, the word over the lit screen included, and Space.
    void click()
    {
        Komputer k;
        k.setCaption("Receive");
        k.setState(true);
        k.show();
        QVERIFY(QTest::qWaitForWindowExposed(&k));
        QSignalSpy clicks(&k, &Komputer::Click);
        QTest::mouseClick(&k, Qt::LeftButton, {}, QPoint(77, 45));
        QTest::mouseClick(&k, Qt::LeftButton, {}, QPoint(147, 156));
        QTest::mouseRelease(&k, Qt::LeftButton, {}, QPoint(77, 45)); // a release alone
        QTest::mouseClick(&k, Qt::RightButton, {}, QPoint(77, 45));
        QTest::keyClick(&k, Qt::Key_Return);
        QCOMPARE(clicks.count(), 2);
        QTest::keyClick(&k, Qt::Key_Space);
        QCOMPARE(clicks.count(), 3);
    }
    // Each row: what Dovel knew, the packet, then the words flashed / the table / the reply.
    void receive_data()
    {
        QTest::addColumn<QStringList>("known");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("the target learns the requester and answers for itself")
            << QStringList() << "1|.1|11|.3|"
            << "Receive Saved! Found! / .3 33, .1 11 / 2|.3|33|.3|33|.1|11";
        QTest::newRow("the own address counts before the table's entry for it")
            << QStringList{".3 old", ".1 11"} << "1|.1|11|.3|"
            << "Receive Found! / .3 old, .1 11 / 2|.3|33|.3|33|.1|11";
        QTest::newRow("a host holding the target answers from its table")
            << QStringList{".4 44", ".1 11"} << "1|.1|11|.4|"
            << "Receive Found! / .3 33, .4 44, .1 11 / 3|.3|33|.4|44|.1|11";
        QTest::newRow("an unknown target is only received")
            << QStringList() << "1|.1|11|.9|"
            << "Receive Saved! / .3 33, .1 11 / 0||||||";
        QTest::newRow("a reply from the target is stored")
            << QStringList() << "2|.4|44|.4|44"
            << "Receive Saved! Saved! / .3 33, .4 44 / 0||||||";
        QTest::newRow("a reply from a table is stored with its sender")
            << QStringList() << "3|.2|22|.4|44"
            << "Receive Saved! Saved! / .3 33, .2 22, .4 44 / 0||||||";
        QTest::newRow("a known sender is not learned again")
            << QStringList{".2 old"} << "3|.2|22|.4|44"
            << "Receive Saved! / .3 33, .2 old, .4 44 / 0||||||";
        QTest::newRow("any other operation is only received")
            << QStringList() << "0|.1|11|.4|44"
            << "Receive Saved! / .3 33, .1 11 / 0||||||";
    }

    void receive()
    {
        QFETCH(QStringList, known);
        QFETCH(QString, packet);
        for (const QString &entry : std::as_const(known))
            dovel->Tambah(entry.section(u' ', 0, 0), entry.section(u' ', 1));
        Packet = ::packet(packet);
        dovel->Receive();
        const QString table = Support::tableOf(*dovel).join(", ");
        QTEST(words.join(u' ') + " / " + table + " / " + fields(Reply), "outcome");
        QCOMPARE(ReplyReady, Reply.Operation != 0);
        QCOMPARE(dovel->Caption(), QString());
    }

    // The table's first entry answers as any other when it is not the host's own address.
    void answerFromTheFirstEntry()
    {
        Komputer k;
        k.setIP(".5");
        k.setMAC("55");
        k.Tambah(".4", "44");
        Packet = ::packet("1|.1|11|.4|");
        k.Receive();
        QCOMPARE(fields(Reply), "3|.5|55|.4|44|.1|11");
    }

    // Clearing the table while the host shows "Found!" must not send out an empty MAC.
    void answerCarriesTheMacHeldWhenItDecided()
    {
        dovel->Tambah(".4", "44");
        connect(dovel.get(), &Komputer::WordFlashed, this, [this](const QString &word) {
            if (word == u"Found!")
                dovel->ClearEntry();
        });
        Packet = packet("1|.1|11|.4|");
        dovel->Receive();
        QCOMPARE(Reply.TargetMAC, "44");
        QCOMPARE(Support::tableOf(*dovel), QStringList{".3 33"});
    }
};

QTEST_MAIN(TestHost)
#include "tst_host.moc"
