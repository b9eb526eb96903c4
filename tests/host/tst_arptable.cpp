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
};

QTEST_MAIN(TestArpTable)
#include "tst_arptable.moc"
