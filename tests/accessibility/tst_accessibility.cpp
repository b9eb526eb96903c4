// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader learns of the window: hosts as radio buttons in chain order, checked
// while selected; the words and the outcome of each command spoken through the notification;
// quiet identity boxes, the whole pair of a table row, and the focus outline on a host.

#include "host/Komputer.h"
#include "host/Runtime.h"
#include "ui_fUtama.h"
#include "window/MessageBox.h"
#include "window/fUtama.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
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

class Accessibility : public QObject
{
    Q_OBJECT

    fUtama *m_window = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        // Qt sends accessibility events only while an assistive tool listens; this stands in.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(listen);
        MessageBox::setRecorder([](MessageBox::Icon, const QString &, const QString &) {});
        Runtime::setDelayPasses(2);
    }

    void init()
    {
        g_spoken.clear();
        m_window = new fUtama;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QCOMPARE(g_spoken, QStringList()); // opening the window says nothing
        g_checked.clear();
        g_sources.clear();
    }

    void cleanup() { delete m_window; }

    void hostsAreRadioButtons_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("host");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<qsizetype>("changes");
        QTest::newRow("selected") << QList<int>{2} << 2 << true << qsizetype(1);
        QTest::newRow("never selected") << QList<int>{2} << 0 << false << qsizetype(0);
        QTest::newRow("selected twice") << QList<int>{2, 2} << 2 << true << qsizetype(1);
        QTest::newRow("another selected") << QList<int>{4, 1} << 4 << false << qsizetype(2);
    }

    void hostsAreRadioButtons()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, host);
        QFETCH(bool, checked);
        QFETCH(qsizetype, changes);
        for (const int index : clicks)
            m_window->Komputer1_Click(qint16(index));
        Komputer &k = m_window->host(host);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&k);
        QCOMPARE(iface->role(), QAccessible::RadioButton);
        QVERIFY(iface->state().checkable);
        QCOMPARE(iface->state().checked, checked);
        QCOMPARE(g_checked.count(&k), changes);
        QCOMPARE(iface->text(QAccessible::Description),
                 "IP address 192.168.0." + QString::number(host + 1));
        QCOMPARE(iface->childCount(), 0);
        QCOMPARE(iface->actionInterface()->actionNames().value(0),
                 QAccessibleActionInterface::pressAction());
        // The network area lists the hosts alone, in chain order, inside a window.
        QAccessibleInterface *network = iface->parent();
        QCOMPARE(network->role(), QAccessible::Grouping);
        QCOMPARE(network->childCount(), fUtama::HostCount);
        QCOMPARE(network->indexOfChild(iface), host);
        QCOMPARE(network->parent()->role(), QAccessible::Window);
    }

    // Host 0 asks: one notification for each word flashed, then the outcome. The words
    // themselves, in order, are the AT-SPI test's part.
    void commandsAreSpoken_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<int>("said");
        QTest::addColumn<QString>("last");
        QTest::newRow("answered")
            << "192.168.0.4" << false << 22
            << "Wimse answered: 192.168.0.4 is at MAC. The ARP table of Tesu has 2 entries.";
        QTest::newRow("nobody answered")
            << "192.168.0.9" << false << 9 << "No host answered for 192.168.0.9.";
        // The message box that refuses speaks for itself.
        QTest::newRow("refused") << "192.168.0.1" << false << 0 << QString();
        QTest::newRow("Hapus Entri")
            << "192.168.0.4" << true << 1 << "Table cleared. The ARP table of Tesu has 1 entry.";
    }

    void commandsAreSpoken()
    {
        QFETCH(QString, target);
        QFETCH(bool, clear);
        QFETCH(int, said);
        QFETCH(QString, last);
        m_window->controls().IPCari->setText(target);
        m_window->Komputer1_Click(0);
        m_window->Command2_Click();
        if (clear) {
            g_spoken.clear();
            m_window->Command3_Click();
        }
        QCOMPARE(g_spoken.size(), said);
        QCOMPARE(g_spoken.value(said - 1),
                 last.replace(" MAC.", ' ' + m_window->host(3).MAC() + '.'));
        g_spoken.clear();
        // What speaks takes no room: a click at the top of host 0 still reaches the host.
        QCOMPARE(m_window->childAt(50, 25), &m_window->host(0));
    }

    void boxesAndRows()
    {
        const Ui::fUtama &ui = m_window->controls();
        m_window->host(0).Tambah("192.168.0.77", "AB-CD-EF-01-23-45");
        m_window->Komputer1_Click(0);
        QVERIFY(g_sources.contains(ui.Nama));
        // A refresh that changes no box's text sends a reader nothing from the boxes.
        g_sources.clear();
        m_window->Komputer1_Click(0);
        for (QObject *box : {ui.Nama, ui.IP, ui.MAC})
            QVERIFY(!g_sources.contains(box));
        // Each cell of a row has the whole pair as its tip and its spoken text.
        const QString whole = QStringLiteral("IP 192.168.0.77, MAC AB-CD-EF-01-23-45");
        auto *table = QAccessible::queryAccessibleInterface(ui.ListView1)->tableInterface();
        QTRY_COMPARE(table->rowCount(), 2); // the view lays its rows out once events are processed
        for (const int column : {0, 1}) {
            QCOMPARE(ui.ListView1->topLevelItem(1)->toolTip(column), whole);
            QCOMPARE(table->cellAt(1, column)->text(QAccessible::Name), whole);
        }
    }

    void focusOutline()
    {
        // Host 0, first in the tab order, has the focus as the window opens, and shows it.
        Komputer &k = m_window->host(0);
        const QImage focused = k.grab().toImage();
        m_window->controls().IPCari->setFocus();
        QTRY_VERIFY(!k.hasFocus());
        const QImage plain = k.grab().toImage();
        const QRgb highlight = k.palette().color(QPalette::Highlight).rgb();
        const int w = focused.width();
        const int h = focused.height();
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, h / 2), QPoint(w - 2, h - 1), QPoint(w / 2, h - 2)}) {
            QCOMPARE(focused.pixel(p), highlight);
            QVERIFY(plain.pixel(p) != highlight);
        }
        // An outline two pixels wide and nothing else: inside it the host looks as without focus.
        QCOMPARE(focused.copy(2, 2, w - 4, h - 4), plain.copy(2, 2, w - 4, h - 4));
    }
};

QTEST_MAIN(Accessibility)
#include "tst_accessibility.moc"
