// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pause at each pace: as designed it counts its passes, slow lasts its time unless a pace
// change or the program's end cuts it short, step by step it waits for its key (from any focus
// but where that key moves something) or for the program's end; and the menu that chooses it.

#include "WindowSuite.h"
#include "classroom/PaceMenu.h"
#include "classroom/StepKeys.h"

#include <QKeySequence>
#include <QMenu>
#include <QTimer>

// Counts the passes of event processing it sees (each delivery posts the next, which Qt
// delivers in the next pass) and the key presses that reach the object it watches.
struct Counter : QObject
{
    int passes = 0, keys = 0;
    void customEvent(QEvent *) override
    {
        ++passes;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        keys += event->type() == QEvent::KeyPress;
        return false;
    }
};

class TestPace : public WindowSuite
{
    Q_OBJECT

    std::unique_ptr<StepKeys> keys;
    bool canGoBack = false; // what going back, asked by Page Up, finds
    int backs = 0;

private Q_SLOTS:
    void init()
    {
        open();
        keys = std::make_unique<StepKeys>(*pause);
        backs = 0;
        keys->setBack([this] { return ++backs, canGoBack; });
    }
    void cleanup()
    {
        keys.reset();
        close();
    }

    // A word at the designed pace of 7 passes, or a slow word of an hour unless it is cut short
    // ("time" gives it a moment instead); the window's events are handled while it shows.
    void word_data()
    {
        QTest::addColumn<QString>("during");
        QTest::newRow("as designed, its passes counted") << "passes";
        QTest::newRow("slow, its time passes") << "time";
        QTest::newRow("slow, a new pace ends it") << "pace";
        QTest::newRow("slow, the program's end ends it, unwinding") << "end";
    }

    void word()
    {
        QFETCH(QString, during);
        Pause word(7, during == u"time" ? std::chrono::milliseconds(1) : std::chrono::hours(1));
        if (during != u"passes")
            word.setPace(Pause::Pace::Slow);
        Counter counter;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        QTimer::singleShot(0, [&] {
            if (during == u"pace")
                word.setPace(Pause::Pace::Step);
            else if (during == u"end")
                word.end(0);
        });
        if (during == u"end")
            QVERIFY_THROWS_EXCEPTION(Unwind, word.wait());
        else
            word.wait();
        QVERIFY(during == u"passes" ? counter.passes == 7 : counter.passes > 0);
    }

    // Each row: the focus, the key ("end": the program ends instead, unwinding), "back" where
    // going back is possible => whether the step keys take the key.
    void stepKeys_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("Page Down in the address box") << "IPCari PgDown => taken";
        QTest::newRow("Page Down in the table") << "ListView1 PgDown => taken";
        QTest::newRow("Right on a button") << "Command1 Right => taken";
        QTest::newRow("Right moves the caret in the box") << "IPCari Right => passed on";
        QTest::newRow("Page Up with nowhere to go back") << "Command1 PgUp => passed on";
        QTest::newRow("Page Up going back") << "IPCari PgUp back => taken";
        QTest::newRow("the program's end") << "Command1 end => taken";
    }

    void stepKeys()
    {
        QFETCH(QString, row);
        const QStringList w = row.section(" => ", 0, 0).split(u' ');
        const int key = w[1] == u"end" ? 0 : QKeySequence::fromString(w[1])[0].key();
        canGoBack = w.value(2) == u"back";
        QWidget *focus = control<QWidget>(w[0]);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        select(0); // the table has a row to move to
        focus->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == focus); // keys go there
        pause->setPace(Pause::Pace::Step);
        // A key the step keys take never reaches the control; a Page Down after it ends the
        // step where it still waits.
        Counter seen;
        focus->installEventFilter(&seen);
        QTimer::singleShot(0, window.get(), [&] {
            if (!key)
                return pause->end(0);
            QTest::keyClick(focus, Qt::Key(key));
            if (pause->waitsForStep())
                QTest::keyClick(focus, Qt::Key_PageDown);
        });
        if (key)
            pause->wait();
        else
            QVERIFY_THROWS_EXCEPTION(Unwind, pause->wait());
        QCOMPARE(seen.keys, row.endsWith("taken") ? 0 : 1);
        QCOMPARE(backs > 0, key == Qt::Key_PageUp); // asked again as a key not taken goes up
        QVERIFY(!pause->waitsForStep());
        // The key moved nothing it stepped past; once the wait is over the keys are the
        // controls' again.
        QVERIFY(!view()->currentIndex().isValid());
        QTest::keyClick(view(), Qt::Key_PageDown);
        QVERIFY(view()->currentIndex().isValid());
    }

    // The paces, one checked; a choice there is the pause's, and the other way round.
    void menu()
    {
        const PaceMenu paces(*pause, window->networkArea());
        const QList<QAction *> actions = paces.menu()->actions();
        QCOMPARE(actions[0]->isChecked(), true);
        actions[2]->trigger();
        QCOMPARE(pause->pace(), Pause::Pace::Step);
        pause->setPace(Pause::Pace::Slow);
        QVERIFY(actions[1]->isChecked() && !actions[2]->isChecked());
    }
};

QTEST_MAIN(TestPace)
#include "tst_pace.moc"
