// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson remembered: the recorder's rows and tables for the worked example, Back by some
// words then forward to the end giving what the exchange run straight through gives (across
// the start of the reply, across a Hapus Entri made during it, to the first word, after its
// end), Replay from the tables the exchange started with, and the step as the timeline shows it.

#include "WindowSuite.h"
#include "record/Recorder.h"
#include "timeline/TimelineMenu.h"
#include "timeline/TimelineWindow.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

class TestTimeline : public WindowSuite
{
    Q_OBJECT

    std::unique_ptr<Recorder> recorder;
    QString actions; // what the student does as each word waits; then Page Down

    // At each word that waits: "n" steps on, "b" goes back, "r" asks for Replay, "c" is Hapus
    // Entri, a digit selects that host; "c" and a digit are followed by the next action at the
    // same word.
    void act()
    {
        const QChar what = actions.isEmpty() ? u'n' : actions.front();
        actions.remove(0, 1);
        if (what == u'b' || what == u'B') // "B": at the first word, nowhere to go back to
            QVERIFY(recorder->back() == (what == u'b') && (what == u'b' || (pause->step(), true)));
        else if (what == u'r')
            QVERIFY(!recorder->replay() && (pause->step(), true));
        else if (what == u'n')
            pause->step();
        else {
            what == u'c' ? button("Command3")->click() : select(what.digitValue());
            act();
        }
    }

private Q_SLOTS:
    void init()
    {
        actions.clear();
        open();
        recorder = std::make_unique<Recorder>(*window, *pause);
        pause->setPace(Pause::Pace::Step);
        select(0);
        // Each word that waits for its step gets the next action once it waits.
        for (int i = 0; i < fUtama::HostCount; ++i)
            connect(&host(i), &Komputer::WordFlashed, window.get(), [this] {
                if (pause->pace() == Pause::Pace::Step && !pause->skipping())
                    QTimer::singleShot(0, window.get(), [this] { act(); });
            });
    }
    void cleanup()
    {
        recorder.reset();
        close();
    }

    // Each row: the actions at the words ("e" after the exchange has ended), the tables once
    // it has ended again, as run straight through, and the host selected then.
    void backThenForward_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("tables");
        QTest::newRow("back across the start of the reply")
            << "nnnnnnnnnnnbbbb" << WorkedExample + " lit 0";
        QTest::newRow("back across a Hapus Entri made during the exchange")
            << "nnnnnnnnn2ncnnnnbbbbbbb"
            << "1 4|2 1 4|3 4|4 1|5 1 4 lit 0";
        QTest::newRow("a Hapus Entri made anew after going back")
            << "nnnnbb2c" << WorkedExample + " lit 2";
        QTest::newRow("back past a host chosen during it")
            << "nnnnnnnnn2nnnnbbb" << WorkedExample + " lit 2";
        QTest::newRow("back to the first word, no further")
            << "nnnnnbbbbbB" << WorkedExample + " lit 0";
        QTest::newRow("back and on and back") << "nnnbnnbbnb" << WorkedExample + " lit 0";
        QTest::newRow("after the exchange has ended") << "e" << WorkedExample + " lit 0";
    }

    void backThenForward()
    {
        QFETCH(QString, script);
        QSignalSpy sent(recorder.get(), &Recorder::sent);
        QSignalSpy going(recorder.get(), &Recorder::goingTo);
        actions = script == u"e" ? QString() : script;
        broadcast("192.168.0.4");
        if (script == u"e") // Page Up: the last word shows again
            QVERIFY(!recorder->running() && recorder->back());
        QTRY_VERIFY(!going.isEmpty() && !recorder->running() && !pause->waitsForStep());
        QTEST(tables() + " lit " + lit(), "tables");
        // Walked again, nothing is recorded or sent twice.
        QCOMPARE(recorder->exchanges().size(), 1);
        QCOMPARE(Recorder::words(recorder->exchanges()[0].steps), 21);
        QCOMPARE(sent.count(), 2);
        QVERIFY(going.first().at(2).toBool()); // the first move, also after the end, is back
    }

    // Replay, ignored while an exchange waits, puts the tables back and runs the last exchange
    // again: a new exchange with the same steps, its packets sent again. Enter on a step of the
    // last exchange in the timeline goes to it, by the same road as Page Up, and the exchange goes
    // on to the same end; a step of an earlier one is only shown.
    void replayAndChoose()
    {
        QVERIFY(!recorder->replay()); // nothing to replay yet
        broadcast("192.168.0.4");
        button("Command3")->click(); // Tesu forgets: a row of its own
        broadcast("192.168.0.4");    // the others answer from their tables
        const QString end = tables();
        QSignalSpy sent(recorder.get(), &Recorder::sent);
        // Ctrl+R replays and Ctrl+T shows the timeline, from any control.
        QMenu menu;
        TimelineMenu shortcuts(*recorder, &menu, window.get());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        actions = "r"; // as the first word waits
        QTest::keyClick(box("IPCari"), Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY(!recorder->running());
        QCOMPARE(tables(), end);
        QCOMPARE(recorder->exchanges().size(), 4);
        QCOMPARE(recorder->exchanges()[3].steps.size(), recorder->exchanges()[2].steps.size());
        QCOMPARE(sent.count(), 2);
        QTest::keyClick(box("IPCari"), Qt::Key_T, Qt::ControlModifier);
        const TimelineWindow *timeline = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && qobject_cast<TimelineWindow *>(top))
                timeline = qobject_cast<TimelineWindow *>(top);
        }
        QVERIFY(timeline);
        QSignalSpy going(recorder.get(), &Recorder::goingTo);
        auto *rows = timeline->findChild<QTreeWidget *>();
        QVERIFY(!recorder->goTo(0, 4)); // a step of an earlier exchange
        Q_EMIT rows->itemActivated(rows->topLevelItem(3)->child(0), 0);
        QTRY_VERIFY(going.count() == 1 && !recorder->running());
        QCOMPARE(rows->topLevelItem(1)->text(0), "Hapus Entri: Tesu's ARP table is cleared.");
        QCOMPARE(going.at(0).at(0).toInt(), 1);
        QCOMPARE(tables(), end);
    }

    // The worked example as recorded, its rows as they come, and the step chosen: the packet
    // field by field, the tables, the entry marked; a refusal is a row of its own.
    void detail()
    {
        pause->setPace(Pause::Pace::AsDesigned);
        TimelineWindow timeline(*recorder);
        auto *rows = timeline.findChild<QTreeWidget *>();
        QString running; // the heading while the exchange runs
        queue(1, [&] { running = rows->topLevelItem(0)->text(0); });
        broadcast("192.168.0.4");
        queued.clear();
        broadcast("192.168.0.4");
        QCOMPARE(running, "Tesu asks for 192.168.0.4.");
        const Recorder::Exchange &e = recorder->exchanges().at(0);
        QString words;
        for (const Recorder::Step &s : e.steps)
            words += QString::number(s.host) + s.word.left(1);
        QCOMPARE(words, "1R1S2R2S3R3S3F4R4S2R2S2S4R4S4S1R1S1S0R0S0S");
        QCOMPARE(e.steps[6].sentence, "Wimse has that address and answers.");
        QCOMPARE(e.steps.last().after, Recorder::tablesOf(*window));
        QVERIFY(rows->topLevelItem(0)->isFirstColumnSpanned());
        QVERIFY(timeline.findChild<QPushButton *>()->isEnabled()); // Replay, once there is one
        QCOMPARE(rows->topLevelItem(0)->text(0),
                 "Tesu asks for 192.168.0.4: the answer kept is Wimse's.");
        rows->setCurrentItem(rows->topLevelItem(1));
        QVERIFY(timeline.detail().endsWith("its table already holds it, \"Sudah ada nomor IP "
                                           "'192.168.0.4' dalam tabel ARP\"."));
        rows->setCurrentItem(rows->topLevelItem(0)->child(0));
        QVERIFY(timeline.detail().startsWith("Bilrun receives Tesu's request.\n"));
        rows->setCurrentItem(rows->topLevelItem(0)->child(9));
        QVERIFY(timeline.detail().contains("ARP opcode: reply (2), the simulation's Operation 2"));
        // A reader hears a row as its sentence, once.
        QTreeWidgetItem *saved = rows->topLevelItem(0)->child(1);
        QStringList heard;
        for (int column = 0; column < 4; ++column)
            heard << saved->data(column, Qt::AccessibleTextRole).toString();
        QCOMPARE(heard.join(u'|'), "Bilrun saves Tesu's address.|\u200b|\u200b|\u200b");
        rows->setCurrentItem(saved);
        const QStringList detail = timeline.detail().split(u'\n');
        QCOMPARE(detail.mid(0, 1), QStringList{"Bilrun saves Tesu's address."});
        QVERIFY(detail.contains("ARP opcode: request (1), the simulation's Operation 1"));
        QVERIFY(detail.contains("Ethernet destination: ff:ff:ff:ff:ff:ff"));
        QVERIFY(detail.contains("Sender IP address: 192.168.0.1"));
        QVERIFY(detail.contains("Target MAC address: 00:00:00:00:00:00"));
        QVERIFY(detail.contains("Target IP address: 192.168.0.4") &&
                detail.contains("The ARP tables after this step"));
        QVERIFY(detail.contains("Bilrun: 192.168.0.2 " + host(1).MAC() + ", 192.168.0.1 " +
                                host(0).MAC() + " (this step's)"));
    }
};

QTEST_MAIN(TestTimeline)
#include "tst_timeline.moc"
