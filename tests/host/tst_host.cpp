// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The host through its own members: the stored design values, the click, and the reaction to
// every kind of packet it can meet (its table on its own is tst_arptable's).

#include "Packet.h"
#include "Support.h"
#include "runtime/PropertyBag.h"

#include <QSignalSpy>

using namespace Module1;

class TestHost : public QObject
{
    Q_OBJECT

    static QString describe(const Komputer &k)
    {
        return QString("%1|%2|%3|%4|%5|%6")
            .arg(k.Nama(), k.MAC(), k.IP(), k.State() ? "on" : "off", QString::number(k.Jumlah()),
                 k.Caption());
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

    // Each row: the host as loaded, with the error that stopped it, then the values stored.
    void load_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QString>("loaded");
        const auto row = [](const char *name, const char *loaded, const QVariantMap &stored) {
            QTest::newRow(name) << stored << loaded;
        };
        row("the window's keys, in any letter case", "Tesu|11|.1|on|0|Label1",
            {{"nama", "Tesu"}, {"mac", "11"}, {"IP", ".1"}, {"jumlah", false}});
        row("nothing stored", "0|0|0|on|0|Label1", {});
        row("texts and numbers convert", "0|0|0|off|2|7",
            {{"State", "False"}, {"Jumlah", "2.5"}, {"Caption", 7}});
        row("true as text and as a count, nothing as text", "|0|0|on|-1|Label1",
            {{"Nama", QVariant()}, {"State", " True "}, {"Jumlah", true}});
        row("the lowest count", "0|0|0|on|-32768|Label1", {{"Jumlah", -32768}});
        row("a non-zero number is true", "0|0|0|on|4|Label1", {{"State", "2"}, {"Jumlah", 3.5}});
        row("a value that is no number stops at its name", "Dovel|0||off|0|Label1 !Type mismatch",
            {{"Nama", "Dovel"}, {"State", "lit"}});
        row("a value of no kind a host stores", "0|0||off|0|Label1 !Type mismatch",
            {{"State", QPoint()}});
        row("a count of no kind a host stores", "0|0|0|on|0|Label1 !Type mismatch",
            {{"Jumlah", QPoint()}});
        row("nothing as a state, a count beyond 16 bits", "0|0|0|off|0|Label1 !Overflow",
            {{"State", QVariant()}, {"Jumlah", 40000}});
        row("a count beyond any integer", "0|0|0|on|0|Label1 !Overflow", {{"Jumlah", 1e10}});
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
    }

    // A host placed anew, saved and loaded back; every setter notifying under its own name, also
    // when the value does not change; a left click anywhere on it, the word over the lit screen
    // included, and Space.
    void onItsOwn()
    {
        Komputer k;
        k.setNama("Lurfa");
        k.setState(false);
        k.Tambah("1", "a");
        k.NewInstance();
        QCOMPARE(describe(k), "0|0|0|on|0|Label1");
        QVERIFY(!k.isLit()); // the picture stays as designed until the state is first set
        QObject designed;    // Qt's own dynamic properties are no design data
        designed.setProperty("_q_hidden", 1);
        QVERIFY(!PropertyBag::fromDynamicProperties(designed).ReadProperty("_q_hidden", 0).toInt());

        k.setIP("192.168.0.5");
        k.Tambah("192.168.0.5", "AA");
        k.setCaption("Saved!");
        PropertyBag saved;
        k.SaveProperties(saved);
        QCOMPARE(saved.ReadProperty("jumlah", {}).typeId(), QMetaType::Short);
        Komputer copy;
        copy.LoadProperties(saved);
        QCOMPARE(describe(copy), describe(k));

        QStringList notified;
        connect(&k, &Komputer::PropertyChanged, [&](const QString &name) { notified << name; });
        for (const char *name : {"Nama", "MAC", "State", "IP", "Jumlah", "Caption"})
            k.setProperty(name, k.property(name)); // the value it already has
        QCOMPARE(notified.join(u' '), "Nama MAC State IP Jumlah Caption");

        k.setCaption("Receive");
        k.setState(true);
        k.show();
        QVERIFY(QTest::qWaitForWindowExposed(&k));
        QCOMPARE(Komputer().size(), Komputer::DesignSize); // before anything lays it out
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

    // Each row: what Dovel knew ("IP MAC" added, "-IP" deleted, "clear": its table cleared as it
    // shows "Found!") => the packet => the words flashed / the table / the reply.
    void receive_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("the target learns the requester and answers for itself")
            << " => 1|.1|11|.3| => Receive Saved! Found! / .3 33, .1 11 / 2|.3|33|.3|33|.1|11";
        QTest::newRow("the own address counts before the table's entry for it")
            << ".3 old; .1 11 => 1|.1|11|.3| => Receive Found! / .3 old, .1 11 / "
               "2|.3|33|.3|33|.1|11";
        QTest::newRow("the table's first entry answers as any other")
            << "-.3; .4 44 => 1|.1|11|.4| => Receive Saved! Found! / .4 44, .1 11 / "
               "3|.3|33|.4|44|.1|11";
        // Clearing the table while the host shows "Found!" must not send out an empty MAC.
        QTest::newRow("the answer carries the MAC held when it decided")
            << ".4 44; clear => 1|.1|11|.4| => Receive Saved! Found! / .3 33 / 3|.3|33|.4|44|.1|11";
        QTest::newRow("an unknown target is only received")
            << " => 1|.1|11|.9| => Receive Saved! / .3 33, .1 11 / 0||||||";
        QTest::newRow("a reply from the target is stored")
            << " => 2|.4|44|.4|44 => Receive Saved! Saved! / .3 33, .4 44 / 0||||||";
        QTest::newRow("a reply from a table is stored with its sender")
            << " => 3|.2|22|.4|44 => Receive Saved! Saved! / .3 33, .2 22, .4 44 / 0||||||";
        QTest::newRow("a known sender is not learned again")
            << ".2 old => 3|.2|22|.4|44 => Receive Saved! / .3 33, .2 old, .4 44 / 0||||||";
        QTest::newRow("any other operation is only received")
            << " => 0|.1|11|.4|44 => Receive Saved! / .3 33, .1 11 / 0||||||";
    }

    void receive()
    {
        QFETCH(QString, row);
        const QStringList part = row.split(" => ");
        for (const QString &entry : part[0].split("; ", Qt::SkipEmptyParts)) {
            if (entry == u"clear")
                connect(dovel.get(), &Komputer::WordFlashed, this, [this](const QString &word) {
                    if (word == u"Found!")
                        dovel->ClearEntry();
                });
            else if (entry.startsWith(u'-'))
                dovel->Hapus(entry.mid(1));
            else
                dovel->Tambah(entry.section(u' ', 0, 0), entry.section(u' ', 1));
        }
        Packet = packet(part[1]);
        dovel->Receive();
        const QString table = Support::tableOf(*dovel).join(", ");
        QCOMPARE(words.join(u' ') + " / " + table + " / " + fields(Reply), part[2]);
        QCOMPARE(ReplyReady, Reply.Operation != 0);
        QCOMPARE(dovel->Caption(), QString());
    }
};

QTEST_MAIN(TestHost)
#include "tst_host.moc"
