#include "HostTest.h"
#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "host/Runtime.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace HostTest;

namespace {

const QString IpA = QStringLiteral("192.168.0.1");
const QString IpB = QStringLiteral("192.168.0.2");
const QString IpC = QStringLiteral("192.168.0.3");
const QString IpD = QStringLiteral("192.168.0.4");
const QString MacA = QStringLiteral("00-0C-29-4F-8E-35");
const QString MacB = QStringLiteral("00-50-56-C0-00-08");
const QString MacC = QStringLiteral("8-0-27-A1-5-E");
const QString MacD = QStringLiteral("F0-1F-AF-3C-9B-2D");

const QString Ips[] = {IpA, IpB, IpC, IpD};
const QString Macs[] = {MacA, MacB, MacC, MacD};

// Adds the first n of the four sample pairs, in order.
void fill(Komputer &host, int n)
{
    for (int i = 0; i < n; ++i)
        host.Tambah(Ips[i], Macs[i]);
}

QStringList sample(std::initializer_list<int> positions)
{
    QStringList table;
    for (const int i : positions)
        table << entry(Ips[i - 1], Macs[i - 1]);
    return table;
}

} // namespace

// The ARP table as the window and packet reception use it, through the host's own members.
class TestArpTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyTable();
    void tambahAppendsNewAddresses();
    void tambahKnownAddressUpdatesInPlace_data();
    void tambahKnownAddressUpdatesInPlace();
    void differentTextIsAnotherAddress_data();
    void differentTextIsAnotherAddress();
    void emptyTextMatchesUnsetText();
    void adaScansTheWholeCount();
    void hapusShiftsLaterEntries_data();
    void hapusShiftsLaterEntries();
    void hapusOfAbsentAddressChangesNothing();
    void hapusOfOnlyEntryEmptiesTable();
    void byPosition_data();
    void byPosition();
    void countBeyondStorage_data();
    void countBeyondStorage();
    void countBelowStorage();
    void negativeCount();
    void overflowLeavesTableUnchanged();
    void clearEntry_data();
    void clearEntry();
    void ownAddressChangeLeavesTable();
    void tambahAndHapusReturnEmptyValue();
    void tableOperationsSendNoNotice();
};

void TestArpTable::init()
{
    Runtime::reset();
    Module1::reset();
}

void TestArpTable::cleanup()
{
    Runtime::reset();
    Module1::reset();
}

void TestArpTable::emptyTable()
{
    Komputer host;
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.storageSize(), 0);
    QCOMPARE(host.Ada(IpA), qint16(0));
    QCOMPARE(host.Ambil(IpA), QString());
    QCOMPARE(host.AmbilIP(1).typeId(), QMetaType::QString);
    QCOMPARE(host.AmbilIP(1).toString(), QString());
    QCOMPARE(host.AmbilMAC(1).typeId(), QMetaType::QString);
    QCOMPARE(host.AmbilMAC(1).toString(), QString());

    host.Hapus(IpA);
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.storageSize(), 0);

    host.Tambah(IpA, MacA);
    QCOMPARE(host.Jumlah(), qint16(1));
    QCOMPARE(host.storageSize(), 1);
    QCOMPARE(tableOf(host), sample({1}));
}

void TestArpTable::tambahAppendsNewAddresses()
{
    Komputer host;
    fill(host, 4);
    QCOMPARE(host.Jumlah(), qint16(4));
    QCOMPARE(host.storageSize(), 4);
    QCOMPARE(tableOf(host), sample({1, 2, 3, 4}));
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(host.Ada(Ips[i]), qint16(i + 1));
        QCOMPARE(host.Ambil(Ips[i]), Macs[i]);
    }
    QCOMPARE(host.Ada(QStringLiteral("192.168.0.5")), qint16(0));
    QCOMPARE(host.Ambil(QStringLiteral("192.168.0.5")), QString());
}

void TestArpTable::tambahKnownAddressUpdatesInPlace_data()
{
    QTest::addColumn<int>("position");
    QTest::newRow("first") << 1;
    QTest::newRow("middle") << 2;
    QTest::newRow("last") << 3;
}

void TestArpTable::tambahKnownAddressUpdatesInPlace()
{
    QFETCH(int, position);
    Komputer host;
    fill(host, 3);
    const QString newMac = QStringLiteral("AA-BB-CC-DD-EE-FF");

    host.Tambah(Ips[position - 1], newMac);

    QStringList expected = sample({1, 2, 3});
    expected[position - 1] = entry(Ips[position - 1], newMac);
    QCOMPARE(tableOf(host), expected);
    QCOMPARE(host.Jumlah(), qint16(3));
    QCOMPARE(host.storageSize(), 3);
    QCOMPARE(host.Ambil(Ips[position - 1]), newMac);
}

void TestArpTable::differentTextIsAnotherAddress_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("probe");
    QTest::newRow("trailing blank") << IpA << IpA + QLatin1Char(' ');
    QTest::newRow("leading blank") << IpA << QLatin1Char(' ') + IpA;
    QTest::newRow("leading zero in a group") << IpA << QStringLiteral("192.168.00.1");
    QTest::newRow("leading zero in the last group") << IpA << QStringLiteral("192.168.0.01");
    QTest::newRow("stored with a blank") << IpA + QLatin1Char(' ') << IpA;
    QTest::newRow("upper case") << QStringLiteral("fe80::1a") << QStringLiteral("FE80::1A");
    QTest::newRow("one letter's case") << QStringLiteral("host-a") << QStringLiteral("host-A");
    QTest::newRow("prefix") << IpA << QStringLiteral("192.168.0.10");
    QTest::newRow("empty against text") << IpA << QString();
}

void TestArpTable::differentTextIsAnotherAddress()
{
    QFETCH(QString, stored);
    QFETCH(QString, probe);
    Komputer host;
    host.Tambah(stored, MacA);

    QCOMPARE(host.Ada(probe), qint16(0));
    QCOMPARE(host.Ambil(probe), QString());

    host.Tambah(probe, MacB);
    QCOMPARE(host.Jumlah(), qint16(2));
    QCOMPARE(tableOf(host), QStringList({entry(stored, MacA), entry(probe, MacB)}));
    QCOMPARE(host.Ada(stored), qint16(1));
    QCOMPARE(host.Ada(probe), qint16(2));
}

void TestArpTable::emptyTextMatchesUnsetText()
{
    // ClearEntry on a table never filled leaves one entry whose texts were never set.
    Komputer host;
    host.ClearEntry();
    QCOMPARE(host.Ada(QStringLiteral("")), qint16(1));
    QCOMPARE(host.Ada(QString()), qint16(1));

    host.Tambah(QStringLiteral(""), MacA);
    QCOMPARE(host.Jumlah(), qint16(1));
    QCOMPARE(host.Ambil(QString()), MacA);
}

void TestArpTable::adaScansTheWholeCount()
{
    // No member can make an IP occur twice, so the rule that the highest match wins shows only
    // here: a match at entry 1 does not end the scan, which walks on up to the count and meets
    // the entry that has no storage. A scan that stopped at the first match would return 1.
    Komputer host;
    fill(host, 2);
    host.setJumlah(3);
    QCOMPARE(errorOf([&] { host.Ada(IpA); }), SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { host.Ambil(IpA); }), SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { host.Tambah(IpA, MacD); }), SubscriptOutOfRange);
    QCOMPARE(errorOf([&] { host.Hapus(IpA); }), SubscriptOutOfRange);

    // Back within the storage, nothing of it was changed by the failed calls.
    host.setJumlah(2);
    QCOMPARE(tableOf(host), sample({1, 2}));
}

void TestArpTable::hapusShiftsLaterEntries_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("first of four") << 1 << sample({2, 3, 4});
    QTest::newRow("second of four") << 2 << sample({1, 3, 4});
    QTest::newRow("third of four") << 3 << sample({1, 2, 4});
    QTest::newRow("last of four") << 4 << sample({1, 2, 3});
}

void TestArpTable::hapusShiftsLaterEntries()
{
    QFETCH(int, position);
    QFETCH(QStringList, expected);
    Komputer host;
    fill(host, 4);

    host.Hapus(Ips[position - 1]);

    QCOMPARE(host.Jumlah(), qint16(3));
    QCOMPARE(host.storageSize(), 3);
    QCOMPARE(tableOf(host), expected);
    QCOMPARE(host.Ada(Ips[position - 1]), qint16(0));
    QCOMPARE(host.AmbilIP(4).toString(), QString());
}

void TestArpTable::hapusOfAbsentAddressChangesNothing()
{
    Komputer host;
    fill(host, 4);
    host.Hapus(QStringLiteral("192.168.0.5"));
    host.Hapus(IpB + QLatin1Char(' '));
    QCOMPARE(host.Jumlah(), qint16(4));
    QCOMPARE(host.storageSize(), 4);
    QCOMPARE(tableOf(host), sample({1, 2, 3, 4}));
}

void TestArpTable::hapusOfOnlyEntryEmptiesTable()
{
    Komputer host;
    host.Tambah(IpA, MacA);
    host.Hapus(IpA);

    // Exactly what a host whose table was never filled shows.
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.storageSize(), 0);
    QCOMPARE(host.Ada(IpA), qint16(0));
    QCOMPARE(host.Ambil(IpA), QString());
    QCOMPARE(host.AmbilIP(1).typeId(), QMetaType::QString);
    QCOMPARE(host.AmbilIP(1).toString(), QString());

    host.Tambah(IpB, MacB);
    QCOMPARE(host.Jumlah(), qint16(1));
    QCOMPARE(host.Ada(IpB), qint16(1));
    QCOMPARE(tableOf(host), sample({2}));
}

void TestArpTable::byPosition_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("count"); // set directly after filling; the filled count if -99
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("error");

    const QString none;
    QTest::newRow("first") << 2 << -99 << 1 << IpA << MacA << none;
    QTest::newRow("last") << 2 << -99 << 2 << IpB << MacB << none;
    QTest::newRow("one past the count") << 2 << -99 << 3 << none << none << none;
    QTest::newRow("far past the count") << 2 << -99 << 32767 << none << none << none;
    QTest::newRow("empty table, index 1") << 0 << -99 << 1 << none << none << none;
    QTest::newRow("zero") << 2 << -99 << 0 << none << none << SubscriptOutOfRange;
    QTest::newRow("minus one") << 2 << -99 << -1 << none << none << SubscriptOutOfRange;
    QTest::newRow("most negative") << 2 << -99 << -32768 << none << none << SubscriptOutOfRange;
    QTest::newRow("zero, empty table") << 0 << -99 << 0 << none << none << SubscriptOutOfRange;
    QTest::newRow("within a count set beyond the storage")
        << 2 << 3 << 3 << none << none << SubscriptOutOfRange;
    QTest::newRow("past a count set beyond the storage") << 2 << 3 << 4 << none << none << none;
    QTest::newRow("past a count set below the storage") << 3 << 1 << 2 << none << none << none;
    // The comparison with the count is signed, so 0 lies above a count of -1.
    QTest::newRow("zero above a negative count") << 0 << -1 << 0 << none << none << none;
}

void TestArpTable::byPosition()
{
    QFETCH(int, filled);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QString, ip);
    QFETCH(QString, mac);
    QFETCH(QString, error);
    Komputer host;
    fill(host, filled);
    if (count != -99)
        host.setJumlah(static_cast<qint16>(count));
    const auto idx = static_cast<qint16>(index);

    QVariant ipValue;
    QVariant macValue;
    QCOMPARE(errorOf([&] { ipValue = host.AmbilIP(idx); }), error);
    QCOMPARE(errorOf([&] { macValue = host.AmbilMAC(idx); }), error);
    if (!error.isEmpty())
        return;
    // Always a value holding text, never the empty value, so a caller converting it gets text.
    QCOMPARE(ipValue.typeId(), QMetaType::QString);
    QCOMPARE(macValue.typeId(), QMetaType::QString);
    QCOMPARE(ipValue.toString(), ip);
    QCOMPARE(macValue.toString(), mac);
}

void TestArpTable::countBeyondStorage_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("operation");

    for (const char *operation : {"Ada", "Ambil", "Tambah", "Hapus"}) {
        QTest::addRow("no storage, count 2: %s", operation) << 0 << 2 << operation;
        QTest::addRow("storage 2, count 3: %s", operation) << 2 << 3 << operation;
        QTest::addRow("storage 2, count 32767: %s", operation) << 2 << 32767 << operation;
    }
    // An address the scan finds at entry 1 fails all the same.
    QTest::addRow("storage 2, count 3: Tambah of a stored IP") << 2 << 3 << "Tambah stored";
    QTest::addRow("storage 2, count 3: Hapus of a stored IP") << 2 << 3 << "Hapus stored";
}

void TestArpTable::countBeyondStorage()
{
    QFETCH(int, filled);
    QFETCH(int, count);
    QFETCH(QString, operation);
    Komputer host;
    fill(host, filled);
    host.setJumlah(static_cast<qint16>(count));

    const QString error = errorOf([&] {
        if (operation == QLatin1String("Ada"))
            host.Ada(IpD);
        else if (operation == QLatin1String("Ambil"))
            host.Ambil(IpD);
        else if (operation == QLatin1String("Tambah"))
            host.Tambah(IpD, MacD);
        else if (operation == QLatin1String("Tambah stored"))
            host.Tambah(IpA, MacD);
        else if (operation == QLatin1String("Hapus"))
            host.Hapus(IpD);
        else
            host.Hapus(IpA);
    });

    QCOMPARE(error, SubscriptOutOfRange);
    QCOMPARE(host.Jumlah(), qint16(count));
    QCOMPARE(host.storageSize(), filled);
    host.setJumlah(static_cast<qint16>(filled));
    QCOMPARE(tableOf(host), sample({1, 2}).mid(0, filled));
}

void TestArpTable::countBelowStorage()
{
    // Entries beyond a smaller count are invisible to every lookup...
    Komputer host;
    fill(host, 3);
    host.setJumlah(1);
    QCOMPARE(host.Ada(IpB), qint16(0));
    QCOMPARE(host.Ambil(IpB), QString());
    QCOMPARE(host.AmbilIP(2).toString(), QString());
    host.Hapus(IpC);
    QCOMPARE(host.storageSize(), 3);

    // ...and the next resize cuts them off.
    host.Tambah(IpD, MacD);
    QCOMPARE(host.Jumlah(), qint16(2));
    QCOMPARE(host.storageSize(), 2);
    QCOMPARE(tableOf(host), sample({1, 4}));
}

void TestArpTable::negativeCount()
{
    Komputer host;
    host.setJumlah(-1);
    QCOMPARE(host.Ada(IpA), qint16(0));
    host.Hapus(IpA);
    QCOMPARE(host.Jumlah(), qint16(-1));

    // The count steps to 0 and the storage shrinks to none; the store into entry 0 then fails.
    QCOMPARE(errorOf([&] { host.Tambah(IpA, MacA); }), SubscriptOutOfRange);
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.storageSize(), 0);

    host.Tambah(IpA, MacA);
    QCOMPARE(tableOf(host), sample({1}));
}

void TestArpTable::overflowLeavesTableUnchanged()
{
    // Storage grows only through Tambah, one entry at a time, and every Tambah scans the
    // table: filling it is the slowest case here, a few seconds with optimisation.
    constexpr int Full = std::numeric_limits<qint16>::max();
    auto ipOf = [](int i) {
        return QStringLiteral("10.%1.%2.%3").arg(i >> 16).arg((i >> 8) & 255).arg(i & 255);
    };
    Komputer host;
    for (int i = 1; i <= Full; ++i)
        host.Tambah(ipOf(i), QStringLiteral("M%1").arg(i));
    QCOMPARE(host.Jumlah(), qint16(Full));
    QCOMPARE(host.storageSize(), Full);
    const QStringList before = tableOf(host);

    QCOMPARE(errorOf([&] { host.Tambah(QStringLiteral("192.168.0.1"), MacA); }), Overflow);
    QCOMPARE(host.Jumlah(), qint16(Full));
    QCOMPARE(host.storageSize(), Full);
    QCOMPARE(tableOf(host), before);

    // A known address still updates in place on a full table, and room made by Hapus is used.
    host.Tambah(ipOf(Full), MacA);
    QCOMPARE(host.AmbilMAC(Full).toString(), MacA);
    QCOMPARE(host.Jumlah(), qint16(Full));
    host.Hapus(ipOf(1));
    host.Tambah(QStringLiteral("192.168.0.1"), MacB);
    QCOMPARE(host.Jumlah(), qint16(Full));
    QCOMPARE(host.AmbilIP(Full).toString(), QStringLiteral("192.168.0.1"));
    QCOMPARE(host.AmbilIP(1).toString(), ipOf(2));
}

void TestArpTable::clearEntry_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("count"); // set directly after filling; the filled count if -99
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three entries") << 3 << -99 << sample({1});
    QTest::newRow("one entry") << 1 << -99 << sample({1});
    QTest::newRow("never filled") << 0 << -99 << QStringList({entry(QString(), QString())});
    QTest::newRow("count set beyond the storage") << 2 << 5 << sample({1});
    QTest::newRow("count set below the storage") << 3 << 0 << sample({1});
}

void TestArpTable::clearEntry()
{
    QFETCH(int, filled);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    Komputer host;
    fill(host, filled);
    if (count != -99)
        host.setJumlah(static_cast<qint16>(count));

    host.ClearEntry();

    QCOMPARE(host.Jumlah(), qint16(1));
    QCOMPARE(host.storageSize(), 1);
    QCOMPARE(tableOf(host), expected);
    QCOMPARE(host.AmbilIP(1).typeId(), QMetaType::QString);
    QCOMPARE(host.AmbilIP(2).toString(), QString());
}

void TestArpTable::ownAddressChangeLeavesTable()
{
    Komputer host;
    host.setIP(IpA);
    host.setMAC(MacA);
    host.Tambah(host.IP(), host.MAC());

    host.setIP(IpB);
    host.setMAC(MacB);
    QCOMPARE(tableOf(host), sample({1}));
    QCOMPARE(host.Ada(IpB), qint16(0));

    host.Tambah(host.IP(), host.MAC());
    QCOMPARE(tableOf(host), sample({1, 2}));
}

void TestArpTable::tambahAndHapusReturnEmptyValue()
{
    Komputer host;
    QVERIFY(!host.Tambah(IpA, MacA).isValid());
    QVERIFY(!host.Tambah(IpA, MacB).isValid());
    QVERIFY(!host.Hapus(IpB).isValid());
    QVERIFY(!host.Hapus(IpA).isValid());
    QCOMPARE(host.Jumlah(), qint16(0));
}

void TestArpTable::tableOperationsSendNoNotice()
{
    Komputer host;
    QSignalSpy notices(&host, &Komputer::PropertyChanged);
    fill(host, 3);
    host.Tambah(IpB, MacD);
    host.Ada(IpA);
    host.Ambil(IpA);
    host.AmbilIP(1);
    host.AmbilMAC(1);
    host.Hapus(IpB);
    host.ClearEntry();
    QCOMPARE(notices.count(), 0);
    QCOMPARE(host.Jumlah(), qint16(1));
}

TOLVANE_HOST_TEST_MAIN(TestArpTable)
#include "tst_arptable.moc"
