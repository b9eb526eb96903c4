// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pause at each pace: as designed it counts its passes, slow lasts its second, step by
// step it waits for its key (from any focus but where that key moves something) or for the
// program's end; the menu that chooses it; and a change of pace in the middle of an exchange.

#include "WindowSuite.h"
#include "pace/PaceMenu.h"

#include <QElapsedTimer>
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

const QString WorkedExample = QStringLiteral("1 4|2 1 4|3 1 4|4 1|5 1 4");

} // namespace

class TestPace : public WindowSuite
{
    Q_OBJECT

    // Presses a key on the focused widget once the pause is under way.
    void pressLater(int key, int ms = 20)
    {
        QTimer::singleShot(ms, window.get(), [this, key] {
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : window.get(), Qt::Key(key));
        });
    }

private Q_SLOTS:
    void init() { open(); }
    void cleanup() { close(); }

    void designedCountsPasses()
    {
        Pause designed(7);
        PassCounter counter;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        designed.wait();
        QCOMPARE(counter.passes, 7);
    }

    void slowLastsASecond()
    {
        Pause slow(1);
        slow.setPace(Pause::Pace::Slow);
        QElapsedTimer clock;
        clock.start();
        slow.wait();
        QVERIFY(clock.elapsed() >= 900 && clock.elapsed() < 1500);
    }

    // Which key ends a step, with the focus where.
    void stepWaitsForItsKey_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("steps");
        QTest::newRow("Page Down in the address box") << "IPCari" << int(Qt::Key_PageDown) << true;
        QTest::newRow("Page Down in the table") << "ListView1" << int(Qt::Key_PageDown) << true;
        QTest::newRow("Right on a button") << "Command1" << int(Qt::Key_Right) << true;
        QTest::newRow("Right moves the caret in the box")
            << "IPCari" << int(Qt::Key_Right) << false;
        QTest::newRow("Page Up is no step") << "Command1" << int(Qt::Key_PageUp) << false;
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
        bool waited = false;
        pressLater(key);
        // Without its key the step goes on waiting: the program's end ends it, unwinding.
        QTimer::singleShot(200, [&] {
            waited = pause->waitsForStep();
            pause->end(0);
        });
        if (steps)
            pause->wait();
        else
            QVERIFY_THROWS_EXCEPTION(Unwind, pause->wait());
        QVERIFY(waited == !steps && !pause->waitsForStep());
        // The key moved nothing it stepped past.
        QVERIFY(!control<QTreeWidget>("ListView1")->currentIndex().isValid());
        QTest::keyClick(control<QTreeWidget>("ListView1"), Qt::Key_PageDown); // no step waits
        QVERIFY(control<QTreeWidget>("ListView1")->currentIndex().isValid());
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

    // A pace chosen in the middle of an exchange holds from the next pause (here, the word just
    // shown); the exchange runs on to the same end.
    void changeInTheMiddle_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("step, then as designed")
            << int(Pause::Pace::Step) << int(Pause::Pace::AsDesigned);
        QTest::newRow("as designed, then step")
            << int(Pause::Pace::AsDesigned) << int(Pause::Pace::Step);
    }

    void changeInTheMiddle()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        pause->setPace(Pause::Pace(from));
        select(0);
        int stepped = 0;
        onPause = [&](int word) {
            if (word == 4)
                pause->setPace(Pause::Pace(to));
            // Each word that will wait for its step gets its key once it waits.
            if (pause->pace() == Pause::Pace::Step) {
                ++stepped;
                pressLater(Qt::Key_PageDown, 0);
            }
        };
        broadcast("192.168.0.4");
        QCOMPARE(pauses.size(), 21);
        QCOMPARE(tables(), WorkedExample);
        QCOMPARE(stepped, from == int(Pause::Pace::Step) ? 3 : 18);
    }
};

QTEST_MAIN(TestPace)
#include "tst_pace.moc"
