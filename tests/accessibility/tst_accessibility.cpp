// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader learns of the window: hosts as radio buttons in chain order, checked
// while selected, the words and the outcome of each command spoken through the notifications
// (step by step one sentence a word), the pace announced, the boxes read whole, the whole pair
// of a table row once.

#include "WindowSuite.h"
#include "accessibility/AccessibleFactory.h"
#include "accessibility/Narrator.h"
#include "record/Recorder.h"
#include "runtime/PropertyBag.h"

#include <QAccessible>
#include <QRegularExpression>
#include <QTranslator>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace {

QStringList g_spoken;       // the notification's name each time it shows
QList<QObject *> g_voices;  // and the notification that showed
QList<QObject *> g_checked; // sources of checked state changes
QList<QObject *> g_sources; // sources of every other event

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface->role() == QAccessible::Notification) {
        g_spoken.append(iface->text(QAccessible::Name));
        g_voices.append(event->object());
    } else if (event->type() != QAccessible::StateChanged)
        g_sources.append(event->object());
    else if (static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked)
        g_checked.append(event->object());
}

QAccessibleInterface *a11y(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

class TestAccessibility : public WindowSuite
{
    Q_OBJECT

    QTranslator indonesian;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<Narrator> narrator;

    // The window built anew with the Indonesian translation installed.
    void openInIndonesian()
    {
        cleanup();
        QVERIFY(indonesian.load(QStringLiteral(":/i18n/tolvane_id.qm")));
        QCoreApplication::installTranslator(&indonesian);
        openNarrated();
    }

    void openNarrated()
    {
        g_spoken.clear();
        open();
        recorder = std::make_unique<Recorder>(*window, *pause);
        narrator = std::make_unique<Narrator>(*window, *pause, recorder.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(g_spoken, QStringList()); // opening the window says nothing
        g_checked.clear();
        g_sources.clear();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Qt sends accessibility events only while an assistive tool listens; this stands in.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(listen);
        AccessibleFactory::install();
    }

    void init() { openNarrated(); }
    void cleanup()
    {
        QCoreApplication::removeTranslator(&indonesian);
        narrator.reset();
        recorder.reset();
        close();
    }

    // Host 4 selected, then host 1, by a reader's Press, as by a click.
    void hostsAreRadioButtons()
    {
        for (const int i : {4, 1})
            a11y(&host(i))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QString checked, changes;
        for (int i = 0; i < fUtama::HostCount; ++i) {
            QAccessibleInterface *iface = a11y(&host(i));
            QCOMPARE(iface->role(), QAccessible::RadioButton);
            QCOMPARE(iface->text(QAccessible::Name), host(i).Nama());
            QCOMPARE(iface->actionInterface()->actionNames().value(0),
                     QAccessibleActionInterface::pressAction());
            QCOMPARE(iface->parent()->indexOfChild(iface), i);
            checked += iface->state().checked ? u'1' : u'0';
            changes += QString::number(g_checked.count(&host(i)));
        }
        QCOMPARE(checked + u' ' + changes, "01000 01002"); // checked, then changes told
        QAccessibleInterface *network = a11y(window->networkArea());
        // The hosts' group, in which a child already gone is no host 0.
        QVERIFY(network->role() == QAccessible::Grouping && network->indexOfChild(nullptr) == -1);
        // The sentences are a status bar's notifications, which a reader speaks without a role.
        QAccessibleInterface *voice = a11y(g_voices.last());
        QVERIFY(voice->parent()->role() == QAccessible::StatusBar && voice->rect().isEmpty());
        // How to start.
        QVERIFY(network->parent()->text(QAccessible::Description).contains("Alt+B"));
    }

    // What each command tells, sentence by sentence ("MAC3" is host 3's MAC). Host 0 asks; the
    // last of the commands is heard, those before it run first: a digit broadcasts for that last
    // digit, "c" clears, "s1" selects host 1, "m2" selects host 2 in the middle of the exchange,
    // "id" opens the window anew in Indonesian. Each row: the commands => the sentences, "|...|"
    // for some left out.
    void commandsAreSpoken_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("answered")
            << "4 => Tesu broadcasts a request for 192.168.0.4.|Bilrun, Dovel, Wimse and Lurfa "
               "saved Tesu's address.|Wimse has that address and answers.|The others saved MAC "
               "MAC3, and Tesu now holds 2 entries.";
        QTest::newRow("several answered, the last kept")
            << "4 c 4 => ...|Bilrun, Dovel, Wimse and Lurfa already had Tesu's address.|Bilrun "
               "answers from its ARP table.|Dovel answers from its ARP table.|Wimse has that "
               "address and answers.|Lurfa answers from its ARP table.|The last answer, from "
               "Lurfa, is the one kept.|The others saved MAC MAC3, and Tesu now holds 3 entries.";
        QTest::newRow("two answered, the last kept")
            << "4 c s2 c s4 c 4 => ...|Dovel and Lurfa saved Tesu's address, Bilrun and Wimse "
               "already had it.|Bilrun answers from its ARP table.|Wimse has that address and "
               "answers.|The last answer, from Wimse, is the one kept.|The others saved MAC MAC3, "
               "and Tesu now holds 2 entries.";
        QTest::newRow("some already had the requester")
            << "9 s1 c 9 => Tesu broadcasts a request for 192.168.0.9.|Bilrun saved Tesu's "
               "address, Dovel, Wimse and Lurfa already had it.|No host has 192.168.0.9, so no "
               "answer comes.";
        QTest::newRow("refused") << "1 => "; // the message box that refuses speaks for itself
        QTest::newRow("Hapus Entri") << "4 c => Tesu's ARP table is cleared and holds 1 entry.";
        QTest::newRow("selected") << "4 s0 => Tesu has IP address 192.168.0.1 and MAC address "
                                     "MAC0, and its ARP table holds 2 entries.";
        QTest::newRow("answered, another host selected in the middle")
            << "m2 4 => ...|Wimse has that address and answers.|Dovel has IP address 192.168.0.3 "
               "and MAC address MAC2, and its ARP table holds 2 entries.|The others saved MAC "
               "MAC3, and Tesu now holds 2 entries.";
        QTest::newRow("answered, step by step")
            << "step 4 => ...|Bilrun receives Tesu's request.|Bilrun saves Tesu's "
               "address.|...|Wimse has that address and answers.|...|Dovel receives Wimse's "
               "answer.|Dovel saves Wimse's address.|Dovel saves the answer for "
               "192.168.0.4.|...|The others saved MAC MAC3, and Tesu now holds 2 entries.";
        QTest::newRow("step by step, answers from tables")
            << "4 c step 4 => ...|Bilrun receives Tesu's request.|Bilrun answers from its ARP "
               "table.|Dovel receives Tesu's request.|...";
        QTest::newRow("step by step, after an answer")
            << "5 step 9 => ...|Bilrun receives Tesu's request.|Dovel receives Tesu's "
               "request.|Wimse receives Tesu's request.|Lurfa receives Tesu's request.|No host has "
               "192.168.0.9, so no answer comes.";
        QTest::newRow("step by step, back a word")
            << "step b3 4 => ...|Dovel receives Tesu's request.|Back to step 2 of 3.|Bilrun saves "
               "Tesu's address.|Dovel receives Tesu's request.|...";
        QTest::newRow("a pace chosen")
            << "paces => Slow motion, a second for every word.|Step by step. Page Down shows the "
               "next word.|The exchange runs at its designed pace.";
        QTest::newRow("answered, in Indonesian")
            << "id 4 => Tesu menyiarkan permintaan untuk 192.168.0.4.|Bilrun, Dovel, Wimse dan "
               "Lurfa menyimpan alamat Tesu.|Wimse memiliki alamat itu dan menjawab.|Komputer lain "
               "menyimpan MAC MAC3, dan tabel ARP Tesu sekarang berisi 2 entri.";
    }

    void commandsAreSpoken()
    {
        QFETCH(QString, row);
        QString said = row.section(" => ", 1);
        select(0);
        const QStringList commands = row.section(" => ", 0, 0).split(u' ');
        for (const QString &what : commands) {
            if (&what == &commands.constLast()) { // the one heard
                select(0);
                g_spoken.clear();
                g_voices.clear();
            }
            if (what == u"id")
                openInIndonesian();
            else if (what == u"step") { // each word gets its step once it waits
                pause->setPace(Pause::Pace::Step);
                queue(0, [this] { pause->step(); });
            } else if (what == u"paces")
                for (const auto pace :
                     {Pause::Pace::Slow, Pause::Pace::Step, Pause::Pace::AsDesigned})
                    pause->setPace(pace);
            else if (what.startsWith(u'b'))
                queue(what.mid(1).toInt(), [this] { recorder->back(); });
            else if (what.startsWith(u'm'))
                queue(10, [this, index = what.mid(1).toInt()] { select(index); });
            else if (what == u"c")
                button("Command3")->click();
            else if (what.startsWith(u's'))
                select(what.mid(1).toInt());
            else
                broadcast("192.168.0." + what);
        }
        QTRY_VERIFY(!recorder->running()); // an exchange gone back to runs again, then ends
        // Eight sentences in a row each show a voice of their own.
        const QList<QObject *> first = g_voices.first(qMin(g_voices.size(), 8));
        QCOMPARE(QSet<QObject *>(first.begin(), first.end()).size(), first.size());
        for (int i = 0; i < fUtama::HostCount; ++i)
            said.replace("MAC" + QString::number(i), host(i).MAC());
        // Where sentences are left out, the rest are heard in their order; else all of them.
        const QString heard = g_spoken.join(u'|');
        const QString pattern = QRegularExpression::escape(said).replace(R"(\.\.\.)", ".*");
        QVERIFY2(QRegularExpression('^' + pattern + '$').match(heard).hasMatch(),
                 qPrintable(heard));
        // What speaks takes no room: a click at the top of host 0 still reaches the host.
        QCOMPARE(window->childAt(50, 25), &host(0));
    }

    void boxesAndRows()
    {
        // A change made while no reader listens is in the host's description all the same.
        auto *accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
        accessibility->setActive(false);
        host(0).Tambah("192.168.0.77", "AB-CD-EF-01-23-45");
        accessibility->setActive(true);
        // A new name, address, entry or count, or values loaded, are told to a reader that listens.
        const std::function<void()> changes[] = {
            [&] { host(2).setNama("Zed"); },        [&] { host(2).Tambah("192.168.0.88", "88"); },
            [&] { host(2).ClearEntry(); },          [&] { host(2).setJumlah(2); },
            [&] { host(2).setIP("192.168.0.33"); }, [&] { host(2).LoadProperties({}); }};
        for (const auto &change : changes) {
            g_sources.clear();
            change();
            QVERIFY(g_sources.contains(&host(2)));
        }
        host(3).setJumlah(5); // a count set beyond the storage names no entry
        QCOMPARE(a11y(&host(0))->text(QAccessible::Description) + u' ' +
                     a11y(&host(1))->text(QAccessible::Description) + u' ' +
                     a11y(&host(3))->text(QAccessible::Description),
                 "IP address 192.168.0.1. Its ARP table holds 2 entries, the last 192.168.0.77 at "
                 "AB-CD-EF-01-23-45. IP address 192.168.0.2. Its ARP table holds 1 entry, the last "
                 "192.168.0.2 at " +
                     host(1).MAC() + ". IP address 192.168.0.4. Its ARP table holds 5 entries.");
        select(0);
        QVERIFY(g_sources.contains(box("Nama")));
        // A refresh that changes no box's text sends a reader nothing from the boxes.
        g_sources.clear();
        select(0);
        for (QObject *box :
             std::initializer_list<QObject *>{box("Nama"), box("IP"), box("MAC"), view()})
            QVERIFY(!g_sources.contains(box));
        // Each cell of a row has the whole pair as its tip; spoken, the row says it once.
        const QString whole = QStringLiteral("IP 192.168.0.77, MAC AB-CD-EF-01-23-45");
        QAccessibleTableInterface *table = a11y(view())->tableInterface();
        QTRY_COMPARE(table->rowCount(), 2); // the view lays its rows out once events are processed
        QCOMPARE(a11y(view())->text(QAccessible::Description), "2 entries");
        for (const int column : {0, 1})
            QCOMPARE(view()->topLevelItem(1)->toolTip(column), whole);
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name) + ", " +
                     table->cellAt(1, 1)->text(QAccessible::Name),
                 whole);
        // The first arrow key in the table goes to the first row.
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key_Down);
        QCOMPARE(view()->currentIndex().row(), 0);

        // A read-only box: its text whole in one run of attributes, its selection and caret,
        // a character found where the box says it stands.
        QAccessibleInterface *mac = a11y(box("MAC"));
        QAccessibleTextInterface *text = mac->textInterface();
        int start = -1, end = -1;
        QCOMPARE(text->attributes(3, &start, &end), QString());
        const QString own = host(0).MAC();
        QCOMPARE(QString("%1 %2 ").arg(start).arg(end) + text->text(start, end),
                 QString("0 %1 ").arg(own.size()) + own);
        text->addSelection(2, 5); // a reader's selection is the box's one selection
        text->selection(0, &start, &end);
        QCOMPARE(QString("%1 %2 %3").arg(start).arg(end).arg(text->selectionCount()), "2 5 1");
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
        text->setCursorPosition(7);
        const QRect character = text->characterRect(7);
        const QRect cursor = box("MAC")->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        // The character stands on the line where the box draws its cursor, beginning where the
        // box puts the cursor before it.
        QCOMPARE(QRect(character.left(), character.top(), 1, character.height()),
                 QRect(box("MAC")->mapToGlobal(QPoint(cursor.center().x(), cursor.top())),
                       QSize(1, cursor.height())));
        QCOMPARE(text->offsetAtPoint(character.center()), 7);
        QVERIFY(character.width() > 0 && mac->rect().contains(character));
        QVERIFY(mac->state().readOnly && mac->state().selectableText &&
                mac->role() == QAccessible::EditableText && !mac->editableTextInterface());
        QCOMPARE(mac->text(QAccessible::Value), own); // what a reader reads as the box's text
        // The address box reads whole too, and takes a reader's edits.
        QAccessibleInterface *address = a11y(box("IPCari"));
        QVERIFY(!address->state().readOnly && address->state().editable);
        address->textInterface()->attributes(0, &start, &end);
        QCOMPARE(address->textInterface()->text(start, end), "192.168.0.4");
        QAccessibleEditableTextInterface *edit = address->editableTextInterface();
        edit->replaceText(8, 9, "1");
        edit->insertText(0, "1");
        edit->deleteText(0, 1);
        QCOMPARE(box("IPCari")->text(), "192.168.1.4");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"