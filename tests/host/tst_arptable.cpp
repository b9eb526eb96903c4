// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A host's ARP table through the host's own members: each row runs a script of operations on
// a fresh host and compares what the queries answered and the table left behind.

#include "Support.h"

#include <QRegularExpression>
#include <QTest>

class TestArpTable : public QObject
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

private Q_SLOTS:
    void operations_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("table");
        const QStringList abc = {"add 1 a", "add 2 b", "add 3 c"};
        QTest::newRow("new addresses append in order")
            << abc << QStringList() << QStringList{"1 a", "2 b", "3 c"};
        QTest::newRow("a known address keeps its place and takes the new MAC")
            << abc + QStringList{"add 2 z", "find 2"} << QStringList{"2"}
            << QStringList{"1 a", "2 z", "3 c"};
        QTest::newRow("addresses compare as exact text")
            << QStringList{"add 1 a", "add A b", "find 1.0", "find a", "mac A"}
            << QStringList{"0", "0", "b"} << QStringList{"1 a", "A b"};
        QTest::newRow("deleting shifts the later entries down")
            << abc + QStringList{"del 2", "find 3", "mac 3"} << QStringList{"2", "c"}
            << QStringList{"1 a", "3 c"};
        QTest::newRow("deleting the first and the last")
            << abc + QStringList{"del 1", "del 3"} << QStringList() << QStringList{"2 b"};
        QTest::newRow("deleting an unknown address changes nothing")
            << abc + QStringList{"del 9"} << QStringList() << QStringList{"1 a", "2 b", "3 c"};
        QTest::newRow("entries by position, empty above the count")
            << abc + QStringList{"ip 1", "macat 3", "ip 4", "macat 4", "mac 9"}
            << QStringList{"1", "c", "", "", ""} << QStringList{"1 a", "2 b", "3 c"};
        QTest::newRow("position 0 lies outside the table")
            << abc + QStringList{"ip 0", "macat 0"}
            << QStringList{"!Subscript out of range", "!Subscript out of range"}
            << QStringList{"1 a", "2 b", "3 c"};
        QTest::newRow("a count beyond the storage fails every lookup")
            << QStringList{"add 1 a", "count 3", "find 1", "add 2 b", "count 1"}
            << QStringList{"!Subscript out of range", "!Subscript out of range"}
            << QStringList{"1 a"};
        QTest::newRow("a smaller count hides entries until the next add cuts them")
            << abc + QStringList{"count 1", "find 3", "add 4 d"} << QStringList{"0"}
            << QStringList{"1 a", "4 d"};
        QTest::newRow("clearing keeps the own entry only")
            << abc + QStringList{"clear"} << QStringList() << QStringList{"1 a"};
    }

    void operations()
    {
        QFETCH(QStringList, script);
        Komputer k;
        QStringList answers;
        for (const QString &operation : std::as_const(script)) {
            const QString answer = run(k, operation);
            if (!answer.isEmpty() || operation.contains(QRegularExpression("^(find|mac|ip)")))
                answers << answer;
        }
        QTEST(answers, "answers");
        QTEST(Support::tableOf(k), "table");
        QCOMPARE(k.storageSize(), k.Jumlah());
    }
};

QTEST_MAIN(TestArpTable)
#include "tst_arptable.moc"
