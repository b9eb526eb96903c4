// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader learns of the window: hosts as radio buttons in chain order, checked
// while selected; the words and the outcome of each command spoken through the notification;
// quiet identity boxes, the whole pair of a table row once, and the focus outline on a host.

#include "Support.h"

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {

QStringList g_spoken;       // the notification's name each time it shows
QList<QObject *> g_checked; // sources of checked state changes
QList<QObject *> g_sources; // sources of every other event

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface->role() == QAccessible::Notification)
        g_spoken.append(iface->text(QAccessible::Name));
    else if (event->type() != QAccessible::StateChanged)
        g_sources.append(event->object());
    else if (static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked)
        g_checked.append(event->object());
}

} // namespace

class Accessibility : public WindowSuite
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Qt sends accessibility events only while an assistive tool listens; this stands in.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(listen);
    }

    void init()
    {
        g_spoken.clear();
        open();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(g_spoken, QStringList()); // opening the window says nothing
        g_checked.clear();
        g_sources.clear();
    }

    void cleanup() { close(); }

    // Hosts are radio buttons in chain order in a grouping inside the window, pressed to
    // select, checked while lit, each change of that told once; the description keeps the IP.
    void hostsAreRadioButtons_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("checked"); // per host: checked, then changes told
        QTest::newRow("one selected") << "2"
                                      << "00100 00100";
        QTest::newRow("selected twice") << "22"
                                        << "00100 00100";
        QTest::newRow("another selected") << "41"
                                          << "01000 01002";
    }

    void hostsAreRadioButtons()
    {
        QFETCH(QString, clicks);
        // A reader's Press selects, as a click does.
        for (const QChar c : clicks)
            QAccessible::queryAccessibleInterface(&host(c.digitValue()))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        QString checked, changes;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&host(i));
            QCOMPARE(iface->role(), QAccessible::RadioButton);
            QVERIFY(iface->state().checkable);
            QCOMPARE(iface->text(QAccessible::Name), host(i).Nama());
            QCOMPARE(iface->text(QAccessible::Description), "IP address " + host(i).IP());
            QCOMPARE(iface->childCount(), 0);
            QCOMPARE(iface->actionInterface()->actionNames().value(0),
                     QAccessibleActionInterface::pressAction());
            QCOMPARE(iface->parent()->indexOfChild(iface), i);
            checked += iface->state().checked ? u'1' : u'0';
            changes += QString::number(g_checked.count(&host(i)));
        }
        QTEST(checked + u' ' + changes, "checked");
        QAccessibleInterface *network = QAccessible::queryAccessibleInterface(ui().Frame1);
        QCOMPARE(network->role(), QAccessible::Grouping);
        QCOMPARE(network->childCount(), fUtama::HostCount);
        QCOMPARE(network->parent()->role(), QAccessible::Window);
    }

    // Host 0 asks: one notification for each word flashed, then the outcome. The words
    // themselves, in order, are the AT-SPI test's part.
    void commandsAreSpoken_data()
    {
        QTest::addColumn<QString>("target"); // "+" clears the table afterwards
        QTest::addColumn<int>("said");
        QTest::addColumn<QString>("last");
        QTest::newRow("answered")
            << "192.168.0.4" << 22
            << "Wimse answered: 192.168.0.4 is at MAC. The ARP table of Tesu has 2 entries.";
        QTest::newRow("nobody answered")
            << "192.168.0.9" << 9 << "No host answered for 192.168.0.9.";
        // The message box that refuses speaks for itself.
        QTest::newRow("refused") << "192.168.0.1" << 0 << QString();
        QTest::newRow("Hapus Entri")
            << "192.168.0.4+" << 1 << "Table cleared. The ARP table of Tesu has 1 entry.";
    }

    void commandsAreSpoken()
    {
        QFETCH(QString, target);
        QFETCH(int, said);
        QFETCH(QString, last);
        select(0);
        broadcast(QString(target).remove(u'+'));
        if (target.endsWith(u'+')) {
            g_spoken.clear();
            ui().Command3->click();
        }
        QCOMPARE(g_spoken.size(), said);
        QCOMPARE(g_spoken.value(said - 1), last.replace(" MAC.", ' ' + host(3).MAC() + '.'));
        g_spoken.clear();
        // What speaks takes no room: a click at the top of host 0 still reaches the host.
        QCOMPARE(window->childAt(50, 25), &host(0));
    }

    void boxesAndRows()
    {
        host(0).Tambah("192.168.0.77", "AB-CD-EF-01-23-45");
        select(0);
        QVERIFY(g_sources.contains(ui().Nama));
        // A refresh that changes no box's text sends a reader nothing from the boxes.
        g_sources.clear();
        select(0);
        for (QObject *box : {ui().Nama, ui().IP, ui().MAC})
            QVERIFY(!g_sources.contains(box));
        // Each cell of a row has the whole pair as its tip; spoken, the row says it once.
        const QString whole = QStringLiteral("IP 192.168.0.77, MAC AB-CD-EF-01-23-45");
        auto *table = QAccessible::queryAccessibleInterface(ui().ListView1)->tableInterface();
        QTRY_COMPARE(table->rowCount(), 2); // the view lays its rows out once events are processed
        QStringList spoken;
        for (const int column : {0, 1}) {
            QCOMPARE(ui().ListView1->topLevelItem(1)->toolTip(column), whole);
            spoken << table->cellAt(1, column)->text(QAccessible::Name);
        }
        QCOMPARE(spoken.join(", "), whole);
    }

    void focusOutline()
    {
        // Host 0, first in the tab order, has the focus as the window opens, and shows it.
        Komputer &k = host(0);
        const QImage focused = k.grab().toImage();
        ui().IPCari->setFocus();
        QTRY_VERIFY(!k.hasFocus());
        const QImage plain = k.grab().toImage();
        const QRgb highlight = k.palette().color(QPalette::Highlight).rgb();
        const int w = focused.width();
        const int h = focused.height();
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, h / 2), QPoint(w - 2, h / 2), QPoint(w / 2, h - 2)}) {
            QCOMPARE(focused.pixel(p), highlight);
            QVERIFY(plain.pixel(p) != highlight);
        }
        // An outline two pixels wide and nothing else: inside it the host looks as without focus.
        QCOMPARE(focused.copy(2, 2, w - 4, h - 4), plain.copy(2, 2, w - 4, h - 4));
    }
};

QTEST_MAIN(Accessibility)
#include "tst_accessibility.moc"
