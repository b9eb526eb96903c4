#include "HostTest.h"

#include <limits>

using namespace HostTest;

namespace {

const QString Ips[] = {QStringLiteral("192.168.0.1"), QStringLiteral("192.168.0.2"),
                       QStringLiteral("192.168.0.3"), QStringLiteral("192.168.0.4")};
const QString Macs[] = {QStringLiteral("00-0C-29-4F-8E-35"), QStringLiteral("00-50-56-C0-00-08"),
                        QStringLiteral("8-0-27-A1-5-E"), QStringLiteral("F0-1F-AF-3C-9B-2D")};
const QString &IpA = Ips[0];
const QString &IpB = Ips[1];
const QString &IpD = Ips[3];
const QString &MacA = Macs[0];
const QString &MacB = Macs[1];
const QString &MacD = Macs[3];
const QString Unknown = QStringLiteral("192.168.0.5");

// Adds the first n of the four sample pairs, in order.
void fill(Komputer &host, int n)
{
    for (int i = 0; i < n; ++i)
        host.Tambah(Ips[i], Macs[i]);
}

// The sample pairs at the given 1-based positions.
QStringList sample(std::initializer_list<int> positions)
{
    QStringList table;
    for (const int i : positions)
        table << entry(Ips[i - 1], Macs[i - 1]);
    return table;
}

// A host with n sample pairs and then, unless it is -99, a count set directly.
void prepare(Komputer &host, int filled, int count = -99)
{
    fill(host, filled);
    if (count != -99)
        host.setJumlah(static_cast<qint16>(count));
}

} // namespace

// The ARP table as the window and packet reception use it, through the host's own members.
class TestArpTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetShared(); }
    void cleanup() { resetShared(); }

    void emptyTable_data();
    void emptyTable();
    void differentTextIsAnotherAddress_data();
    void differentTextIsAnotherAddress();
    void emptyTextMatchesUnsetText();
    void change_data();
    void change();
    void byPosition_data();
    void byPosition();
    void countBeyondStorage_data();
    void countBeyondStorage();
    void countBelowStorage();
    void negativeCount();
    void overflowLeavesTableUnchanged();
    void clearEntry_data();
    void clearEntry();
    void tableAndSettersStayApart();
};

void TestArpTable::emptyTable_data()
{
    QTest::addColumn<bool>("emptied");
    QTest::newRow("never filled") << false;
    QTest::newRow("only entry removed") << true;
}

void TestArpTable::emptyTable()
{
    QFETCH(bool, emptied);
    Komputer host;
    if (emptied) {
        host.Tambah(IpB, MacB);
        host.Hapus(IpB);
    }
    host.Hapus(IpA);
    QCOMPARE(host.Jumlah(), qint16(0));
    QCOMPARE(host.storageSize(), 0);
    QCOMPARE(host.Ada(IpB), qint16(0));
    QCOMPARE(host.Ambil(IpB), QString());

    host.Tambah(IpA, MacA);
    QCOMPARE(host.storageSize(), 1);
    QCOMPARE(tableOf(host), sample({1}));
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
    QCOMPARE(tableOf(host), QStringList({entry(stored, MacA), entry(probe, MacB)}));
    QCOMPARE(host.Ada(probe), qint16(2));
}

void TestArpTable::emptyTextMatchesUnsetText()
{
    // ClearEntry on a table never filled leaves one entry whose texts were never set.
    Komputer host;
    host.ClearEntry();
    QCOMPARE(host.Ada(QStringLiteral("")), qint16(1));
    host.Tambah(QString(), MacA);
    QCOMPARE(tableOf(host), QStringList({entry(QString(), MacA)}));
}

void TestArpTable::change_data()
{
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mac"); // empty: Hapus of ip
    QTest::addColumn<QStringList>("expected");
    const QString newMac = QStringLiteral("AA-BB-CC-DD-EE-FF");
    const QStringList all = sample({1, 2, 3, 4});
    QTest::newRow("Tambah of a new IP")
        << Unknown << newMac << all + QStringList{entry(Unknown, newMac)};
    for (int i = 0; i < 4; ++i) {
        QStringList updated = all;
        updated[i] = entry(Ips[i], newMac);
        QTest::addRow("Tambah of stored IP %d", i + 1) << Ips[i] << newMac << updated;
        QStringList shifted = all;
        shifted.removeAt(i);
        QTest::addRow("Hapus of stored IP %d", i + 1) << Ips[i] << QString() << shifted;
    }
    QTest::newRow("Hapus of an absent IP") << Unknown << QString() << all;
    QTest::newRow("Hapus of a stored IP with a blank")
        << IpB + QLatin1Char(' ') << QString() << all;
}

void TestArpTable::change()
{
    QFETCH(QString, ip);
    QFETCH(QString, mac);
    QFETCH(QStringList, expected);
    Komputer host;
    fill(host, 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(host.Ada(Ips[i]), qint16(i + 1));
        QCOMPARE(host.Ambil(Ips[i]), Macs[i]);
    }

    if (mac.isEmpty())
        host.Hapus(ip);
    else
        host.Tambah(ip, mac);

    QCOMPARE(tableOf(host), expected);
    QCOMPARE(host.storageSize(), expected.size());
    QCOMPARE(host.AmbilIP(qint16(expected.size() + 1)).toString(), QString());
}

void TestArpTable::byPosition_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("error");

    const QString none;
    QTest::newRow("first") << 2 << -99 << 1 << IpA << MacA << none;
    QTest::newRow("last") << 2 << -99 << 2 << IpB << MacB << none;
    QTest::newRow("one past the count") << 2 << -99 << 3 << none << none << none;
    QTest::newRow("far past the count") << 2 << -99 << 32767 << none << none << none;
    QTest::newRow("zero") << 2 << -99 << 0 << none << none << SubscriptOutOfRange;
    QTest::newRow("most negative") << 2 << -99 << -32768 << none << none << SubscriptOutOfRange;
    QTest::newRow("zero, empty table") << 0 << -99 << 0 << none << none << SubscriptOutOfRange;
    QTest::newRow("within a count set beyond the storage")
        << 2 << 3 << 3 << none << none << SubscriptOutOfRange;
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
    prepare(host, filled, count);
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
    QTest::addColumn<QString>("ip");

    // A match at entry 1 does not end the scan, which walks on to the entry without storage:
    // a scan that stopped at the first match would not fail on a stored IP.
    for (const char *operation : {"Ada", "Ambil", "Tambah", "Hapus"}) {
        QTest::addRow("no storage, count 2: %s", operation) << 0 << 2 << operation << IpD;
        QTest::addRow("storage 2, count 3: %s of a stored IP", operation)
            << 2 << 3 << operation << IpA;
    }
    QTest::addRow("storage 2, count 32767: Tambah") << 2 << 32767 << "Tambah" << IpD;
}

void TestArpTable::countBeyondStorage()
{
    QFETCH(int, filled);
    QFETCH(int, count);
    QFETCH(QString, operation);
    QFETCH(QString, ip);
    Komputer host;
    prepare(host, filled, count);

    const QString error = errorOf([&] {
        if (operation == QLatin1String("Ada"))
            host.Ada(ip);
        else if (operation == QLatin1String("Ambil"))
            host.Ambil(ip);
        else if (operation == QLatin1String("Tambah"))
            host.Tambah(ip, MacD);
        else
            host.Hapus(ip);
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
    prepare(host, 3, 1);
    QCOMPARE(host.Ada(IpB), qint16(0));
    QCOMPARE(host.Ambil(IpB), QString());
    host.Hapus(Ips[2]);
    QCOMPARE(host.storageSize(), 3);

    // ...and the next resize cuts them off.
    host.Tambah(IpD, MacD);
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
    const QStringList before = tableOf(host);

    QCOMPARE(errorOf([&] { host.Tambah(IpA, MacA); }), Overflow);
    QCOMPARE(host.Jumlah(), qint16(Full));
    QCOMPARE(host.storageSize(), Full);
    QCOMPARE(tableOf(host), before);

    // A known address still updates in place on a full table, and room made by Hapus is used.
    host.Tambah(ipOf(Full), MacA);
    QCOMPARE(host.AmbilMAC(Full).toString(), MacA);
    host.Hapus(ipOf(1));
    host.Tambah(IpA, MacB);
    QCOMPARE(host.Jumlah(), qint16(Full));
    QCOMPARE(host.AmbilIP(Full).toString(), IpA);
    QCOMPARE(host.AmbilIP(1).toString(), ipOf(2));
}

void TestArpTable::clearEntry_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three entries") << 3 << -99 << sample({1});
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
    prepare(host, filled, count);

    host.ClearEntry();

    QCOMPARE(tableOf(host), expected);
    QCOMPARE(host.storageSize(), 1);
    QCOMPARE(host.AmbilIP(2).toString(), QString());
}

void TestArpTable::tableAndSettersStayApart()
{
    // Table operations send no notice and return the empty value; the own address is no entry.
    Komputer host;
    host.setIP(IpA);
    QSignalSpy notices(&host, &Komputer::PropertyChanged);
    QVERIFY(!host.Tambah(IpA, MacA).isValid());
    fill(host, 3);
    host.setIP(IpB);
    QCOMPARE(tableOf(host), sample({1, 2, 3}));
    host.Ada(IpA);
    host.Ambil(IpA);
    host.AmbilMAC(1);
    QVERIFY(!host.Hapus(IpB).isValid());
    host.ClearEntry();
    QCOMPARE(namesOf(notices), QStringList({QStringLiteral("IP")}));
}

TOLVANE_HOST_TEST_MAIN(TestArpTable)
#include "tst_arptable.moc"
