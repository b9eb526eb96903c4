// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A host receiving the packet in flight: the words it flashes, what it learns and whether it
// answers, for every kind of packet it can meet. The host is Dovel, 192.168.0.3 (MAC 33).

#include "Support.h"

#include <QTest>

using namespace Module1;

namespace {

ArpPacket packet(const QString &fields)
{
    const QStringList f = fields.split(u'|');
    ArpPacket p;
    p.Operation = static_cast<quint8>(f[0].toUInt());
    p.SenderIP = f[1];
    p.SenderMAC = f[2];
    p.TargetIP = f[3];
    p.TargetMAC = f[4];
    return p;
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
        Support::reset();
        Runtime::setDelayPasses(1);
        words.clear();
        Runtime::setPauseObserver([this](Komputer &k) { words << k.Caption(); });
        dovel = std::make_unique<Komputer>();
        dovel->setIP(".3");
        dovel->setMAC("33");
        dovel->Tambah(".3", "33");
    }

    void receive_data()
    {
        QTest::addColumn<QStringList>("known");
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QString>("flashed");
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QString>("reply");
        QTest::newRow("the target learns the requester and answers for itself")
            << QStringList() << "1|.1|11|.3|"
            << "Receive Saved! Found!" << QStringList{".3 33", ".1 11"} << "2|.3|33|.3|33|.1|11";
        QTest::newRow("the own address counts before the table's entry for it")
            << QStringList{".3 old", ".1 11"} << "1|.1|11|.3|"
            << "Receive Found!" << QStringList{".3 old", ".1 11"} << "2|.3|33|.3|33|.1|11";
        QTest::newRow("a host holding the target answers from its table")
            << QStringList{".4 44", ".1 11"} << "1|.1|11|.4|"
            << "Receive Found!" << QStringList{".3 33", ".4 44", ".1 11"} << "3|.3|33|.4|44|.1|11";
        QTest::newRow("an unknown target is only received")
            << QStringList() << "1|.1|11|.9|"
            << "Receive Saved!" << QStringList{".3 33", ".1 11"} << "0||||||";
        QTest::newRow("a reply from the target is stored")
            << QStringList() << "2|.4|44|.4|44"
            << "Receive Saved! Saved!" << QStringList{".3 33", ".4 44"} << "0||||||";
        QTest::newRow("a reply from a table is stored with its sender")
            << QStringList() << "3|.2|22|.4|44"
            << "Receive Saved! Saved!" << QStringList{".3 33", ".2 22", ".4 44"} << "0||||||";
        QTest::newRow("a known sender is not learned again")
            << QStringList{".2 old"} << "3|.2|22|.4|44"
            << "Receive Saved!" << QStringList{".3 33", ".2 old", ".4 44"} << "0||||||";
        QTest::newRow("any other operation is only received")
            << QStringList() << "0|.1|11|.4|44"
            << "Receive Saved!" << QStringList{".3 33", ".1 11"} << "0||||||";
    }

    void receive()
    {
        QFETCH(QStringList, known);
        QFETCH(QString, reply);
        for (const QString &entry : std::as_const(known))
            dovel->Tambah(entry.section(u' ', 0, 0), entry.section(u' ', 1));
        QFETCH(QString, packet);
        Packet = ::packet(packet);
        dovel->Receive();
        QTEST(words.join(u' '), "flashed");
        QTEST(Support::tableOf(*dovel), "table");
        QCOMPARE(fields(Reply), reply);
        QCOMPARE(ReplyReady, !reply.startsWith(u'0'));
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
