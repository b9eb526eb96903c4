// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A host receiving the packet in flight: the words it flashes, what it learns and whether it
// answers, for every kind of packet it can meet. The host is Dovel, 192.168.0.3 (MAC 33).

#include "Support.h"

#include <QTest>

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
    return QStringList{QString::number(p.Operation),
                       p.SenderIP,
                       p.SenderMAC,
                       p.TargetIP,
                       p.TargetMAC,
                       p.DestIP,
                       p.DestMAC}
        .join(u'|');
}

} // namespace

class TestReceive : public QObject
{
    Q_OBJECT

    std::unique_ptr<Komputer> dovel;
    QStringList words;

private Q_SLOTS:
    void init()
    {
        Runtime::reset();
        Module1::reset();
        Runtime::setDelayPasses(1);
        words.clear();
        Runtime::setPauseObserver([this](Komputer &k) { words << k.Caption(); });
        dovel = std::make_unique<Komputer>();
        dovel->setIP(".3");
        dovel->setMAC("33");
        dovel->Tambah(".3", "33");
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

    // Clearing the table while the host shows "Found!" must not send out an empty MAC.
    void answerCarriesTheMacHeldWhenItDecided()
    {
        dovel->Tambah(".4", "44");
        Runtime::setPauseObserver([this](Komputer &k) {
            if (k.Caption() == u"Found!")
                dovel->ClearEntry();
        });
        Packet = packet("1|.1|11|.4|");
        dovel->Receive();
        QCOMPARE(Reply.TargetMAC, "44");
        QCOMPARE(Support::tableOf(*dovel), QStringList{".3 33"});
    }
};

QTEST_MAIN(TestReceive)
#include "tst_receive.moc"
