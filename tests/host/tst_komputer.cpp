// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The host control as the design data and the user meet it: loading, new and saved stored
// values, and the click.

#include "Support.h"
#include "host/PropertyBag.h"

#include <QSignalSpy>
#include <QTest>

class TestKomputer : public QObject
{
    Q_OBJECT

    static QString describe(const Komputer &k)
    {
        return QStringLiteral("%1|%2|%3|%4|%5|%6")
            .arg(k.Nama(), k.MAC(), k.IP(), k.State() ? "on" : "off")
            .arg(k.Jumlah())
            .arg(k.Caption());
    }

private Q_SLOTS:
    void init() { Runtime::reset(); }

    // Each row: the values stored, then the host as loaded, with the error that stopped it.
    void load_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("the window's keys, in any letter case")
            << QVariantMap{{"nama", "Tesu"}, {"mac", "11"}, {"IP", ".1"}}
            << "Tesu|11|.1|on|0|Label1";
        QTest::newRow("nothing stored") << QVariantMap() << "0|0|0|on|0|Label1";
        QTest::newRow("texts and numbers convert")
            << QVariantMap{{"State", "False"}, {"Jumlah", "2.5"}, {"Caption", 7}}
            << "0|0|0|off|2|7";
        QTest::newRow("true as text and as a count, nothing as text")
            << QVariantMap{{"Nama", QVariant()}, {"State", " True "}, {"Jumlah", true}}
            << "|0|0|on|-1|Label1";
        QTest::newRow("a non-zero number is true")
            << QVariantMap{{"State", "2"}, {"Jumlah", 3.5}} << "0|0|0|on|4|Label1";
        QTest::newRow("a value that is no number stops at its name")
            << QVariantMap{{"Nama", "Dovel"}, {"State", "lit"}}
            << "Dovel|0||off|0|Label1 !Type mismatch";
        QTest::newRow("a count beyond 16 bits")
            << QVariantMap{{"Jumlah", 40000}} << "0|0|0|on|0|Label1 !Overflow";
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
    }

    void newInstanceAndSave()
    {
        Komputer k;
        k.setNama("Lurfa");
        k.setState(false);
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
        QTest::mouseClick(&k, Qt::RightButton, {}, QPoint(77, 45));
        QTest::keyClick(&k, Qt::Key_Return);
        QCOMPARE(clicks.count(), 2);
        QTest::keyClick(&k, Qt::Key_Space);
        QCOMPARE(clicks.count(), 3);
    }
};

QTEST_MAIN(TestKomputer)
#include "tst_komputer.moc"
