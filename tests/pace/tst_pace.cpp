// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pause at each pace: as designed it counts its passes, slow lasts its time unless a pace
// change or the program's end cuts it short, step by step it waits for its key (from any focus
// but where that key moves something) or for the program's end; and the menu that chooses it.

#include "WindowSuite.h"
#include "classroom/PaceMenu.h"
#include "classroom/StepKeys.h"

#include <QMenu>
#include <QTimer>

namespace {

// Counts the passes of event processing it sees: each delivery posts the next, which Qt
// delivers in the next pass.
struct PassCounter : QObject
{
    int passes = 0;
    void customEvent(QEvent *) override
    {
        ++passes;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
};

// Counts the key presses that reach the object it watches.
struct KeysSeen : QObject
{
    int keys = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        keys += event->type() == QEvent::KeyPress;
        return false;
    }
};

} // namespace

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

    void designedCountsPasses()
    {
        Pause designed(7);
        PassCounter counter;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        designed.wait();
        QCOMPARE(counter.passes, 7);
    }

    // A slow word of an hour, unless it is cut short; "time" gives it a moment instead.
    void slowWord_data()
    {
        QTest::addColumn<QString>("during");
        QTest::newRow("its time passes") << "time";
        QTest::newRow("a new pace ends it") << "pace";
        QTest::newRow("the program's end ends it, unwinding") << "end";
    }

    void slowWord()
    {
        QFETCH(QString, during);
        const auto length =
            during == u"time" ? std::chrono::milliseconds(1) : std::chrono::hours(1);
        Pause slow(1, length);
        slow.setPace(Pause::Pace::Slow);
        bool handled = false; // the window's events are handled while the word shows
        QTimer::singleShot(0, [&] {
            handled = true;
            if (during == u"pace")
                slow.setPace(Pause::Pace::Step);
            else if (during == u"end")
                slow.end(0);
        });
        if (during == u"end")
            QVERIFY_THROWS_EXCEPTION(Unwind, slow.wait());
        else
            slow.wait();
        QVERIFY(handled);
    }

    // Which key the step keys take, with the focus where; or the program's end ending the step.
    void stepWaitsForItsKey_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key"); // 0: the program ends instead, unwinding
        QTest::addColumn<bool>("steps");
        QTest::newRow("Page Down in the address box") << "IPCari" << int(Qt::Key_PageDown) << true;
        QTest::newRow("Page Down in the table") << "ListView1" << int(Qt::Key_PageDown) << true;
        QTest::newRow("Right on a button") << "Command1" << int(Qt::Key_Right) << true;
        QTest::newRow("Right moves the caret in the box")
            << "IPCari" << int(Qt::Key_Right) << false;
        QTest::newRow("Page Up with nowhere to go back")
            << "Command1" << int(Qt::Key_PageUp) << false;
        QTest::newRow("Page Up going back") << "IPCari" << int(Qt::Key_PageUp) << true;
        QTest::newRow("the program's end") << "Command1" << 0 << true;
    }

    void stepWaitsForItsKey()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, steps);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        select(0); // the table has a row to move to
        control<QWidget>(focus)->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == control<QWidget>(focus)); // keys go there
        pause->setPace(Pause::Pace::Step);
        canGoBack = QTest::currentDataTag() == QLatin1String("Page Up going back");
        // A key the step keys take never reaches the control; a Page Down after it ends the
        // step where it still waits.
        KeysSeen seen;
        control<QWidget>(focus)->installEventFilter(&seen);
        QTimer::singleShot(0, window.get(), [&] {
            if (!key)
                return pause->end(0);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            if (pause->waitsForStep())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        });
        if (key)
            pause->wait();
        else
            QVERIFY_THROWS_EXCEPTION(Unwind, pause->wait());
        QCOMPARE(seen.keys, steps ? 0 : 1);
        QCOMPARE(backs > 0, key == Qt::Key_PageUp); // asked again as a key not taken goes up
        QVERIFY(!pause->waitsForStep());
        // The key moved nothing it stepped past; once the wait is over the keys are the
        // controls' again.
        QVERIFY(!view()->currentIndex().isValid());
        QTest::keyClick(view(), Qt::Key_PageDown);
        QVERIFY(view()->currentIndex().isValid());
    }

    // The three paces, one checked; a choice there is the pause's, and the other way round.
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
