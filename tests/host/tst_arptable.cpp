// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A host's ARP table on its own, with no widget: add or update, look up, delete with the
// shift, entries by position, clear, and the subscript errors of a count set by hand.

#include "Support.h"
#include "host/ArpTable.h"

#include <QRegularExpression>

#include <functional>
#include <map>

class TestArpTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: a script run on a new table => what its queries answered => the entries left.
    void operations_data()
    {
        QTest::addColumn<QString>("row");
        const QString abc = "add 1 a; add 2 b; add 3 c";
        QTest::newRow("a known address keeps its place and takes the new MAC")
            << abc + "; add 2 z; find 2 => 2 => 1 a|2 z|3 c";
        QTest::newRow("addresses compare as exact text")
            << "add 1 a; add A b; find 1.0; find a; mac A => 0|0|b => 1 a|A b";
        QTest::newRow("deleting shifts the later entries down")
            << abc + "; del 2; find 3; mac 3 => 2|c => 1 a|3 c";
        QTest::newRow("deleting the first, the last, an unknown one")
            << abc + "; del 1; del 3; del 9 =>  => 2 b";
        QTest::newRow("entries by position, empty above the count")
            << abc + "; ip 1; macat 3; ip 4; macat 4; mac 9 => 1|c||| => 1 a|2 b|3 c";
        QTest::newRow("position 0 lies outside the table")
            << abc + "; ip 0; macat 0 => !Subscript out of range|!Subscript out of range => "
                     "1 a|2 b|3 c";
        QTest::newRow("a count beyond the storage fails every lookup")
            << "add 1 a; count 3; find 1; add 2 b; count 1 => !Subscript out of range|"
               "!Subscript out of range => 1 a";
        QTest::newRow("a smaller count hides entries until the next add cuts them")
            << abc + "; count 1; find 3; add 4 d => 0 => 1 a|4 d";
        QTest::newRow("a negative count: the next add has no storage to grow")
            << "add 1 a; count -5; add 2 b; count 1 => !Subscript out of range => 1 a";
        QTest::newRow("clearing keeps the first entry only") << abc + "; clear; ip 2 =>  => 1 a";
    }

    // One operation a step: "add IP MAC", "del IP", "count N", "clear" change the table; "find
    // IP", "mac IP", "ip N" and "macat N" answer. A run-time error answers "!" and its name.
    void operations()
    {
        QFETCH(QString, row);
        const QStringList part = row.split(" => ");
        ArpTable table;
        QStringList answers;
        for (const QString &operation : part[0].split("; ")) {
            const QStringList w = operation.split(u' ');
            const auto n = static_cast<qint16>(w.value(1).toInt());
            const std::map<QString, std::function<QString()>> run = {
                {"add", [&] { return table.add(w[1], w[2]), QString(); }},
                {"del", [&] { return table.remove(w[1]), QString(); }},
                {"count", [&] { return table.setCount(n), QString(); }},
                {"clear", [&] { return table.clearToFirst(), QString(); }},
                {"find", [&] { return QString::number(table.find(w[1])); }},
                {"mac", [&] { return table.macOf(w[1]); }},
                {"ip", [&] { return table.ipAt(n); }},
                {"macat", [&] { return table.macAt(n); }}};
            QString answer;
            const QString error = Support::errorOf([&] { answer = run.at(w[0])(); });
            if (!error.isEmpty() || operation.contains(QRegularExpression("^(find|mac|ip)")))
                answers << (error.isEmpty() ? answer : u'!' + error);
        }
        QCOMPARE(answers.join(u'|'), part[1]);
        QStringList entries;
        for (qint16 n = 1; n <= table.count(); ++n)
            entries << table.ipAt(n) + u' ' + table.macAt(n);
        QCOMPARE(entries.join(u'|'), part[2]);
        QCOMPARE(table.storageSize(), table.count());
    }
};

QTEST_GUILESS_MAIN(TestArpTable)
#include "tst_arptable.moc"
