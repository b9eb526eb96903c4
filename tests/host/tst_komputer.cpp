// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The host control as the window and the design data use it: loading, new and saved stored
// values, the setters and their notices, the lit screen, the click, and the pause.

#include "Support.h"
#include "host/PropertyBag.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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
    void init() { Support::reset(); }

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
        QSignalSpy notices(&k, &Komputer::PropertyChanged);
        const QString error = Support::errorOf([&] { k.LoadProperties(store); });
        QTEST(describe(k) + (error.isEmpty() ? "" : " !" + error), "loaded");
        QCOMPARE(notices.count(), 0);
        // The picture stays as designed until the state is first set.
        QVERIFY(!k.isLit());
    }

    void newInstanceAndSave()
    {
        Komputer k;
        k.setNama("Lurfa");
        k.setState(false);
        k.setJumlah(1);
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

    void setters_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Nama") << "Nama" << QVariant("Wimse");
        QTest::newRow("MAC") << "MAC" << QVariant("A-B-C-D-E-F");
        QTest::newRow("IP") << "IP" << QVariant("192.168.0.4");
        QTest::newRow("State on") << "State" << QVariant(true);
        QTest::newRow("State off") << "State" << QVariant(false);
        QTest::newRow("Jumlah") << "Jumlah" << QVariant::fromValue(qint16(0));
        QTest::newRow("Caption") << "Caption" << QVariant("Found!");
        QTest::newRow("empty Caption") << "Caption" << QVariant("");
    }

    void setters()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        Komputer k;
        QSignalSpy notices(&k, &Komputer::PropertyChanged);
        // Every set notifies, also when the value does not change.
        for (int twice = 0; twice < 2; ++twice)
            QVERIFY(k.setProperty(property.toLatin1(), value));
        QCOMPARE(notices.count(), 2);
        QCOMPARE(notices.at(1).at(0).toString(), property);
        QCOMPARE(k.property(property.toLatin1()), value);
        QCOMPARE(k.isLit(), property == u"State" && value.toBool());
    }

    void click_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("on the word over the lit screen") << QPoint(77, 45);
        QTest::newRow("on white beside the picture") << QPoint(147, 156);
    }

    void click()
    {
        QFETCH(QPoint, at);
        Komputer k;
        k.setCaption("Receive");
        k.setState(true);
        k.show();
        QVERIFY(QTest::qWaitForWindowExposed(&k));
        QSignalSpy clicks(&k, &Komputer::Click);
        QTest::mouseClick(&k, Qt::LeftButton, {}, at);
        QTest::mouseClick(&k, Qt::RightButton, {}, at);
        QTest::keyClick(&k, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QTest::keyClick(&k, Qt::Key_Space);
        QCOMPARE(clicks.count(), 2);
    }

    void delayHandlesEventsBeforeItReturns()
    {
        Runtime::setDelayPasses(3);
        Komputer k;
        bool handled = false;
        QTimer::singleShot(0, &k, [&] { handled = true; });
        k.Delay();
        QVERIFY(handled);
    }
};

QTEST_MAIN(TestKomputer)
#include "tst_komputer.moc"
