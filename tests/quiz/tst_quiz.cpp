// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The predict pace: Tesu's exchanges answered with keys, the verdicts following what each host
// then did (also with a table cleared while a question waits), the score, the notes the
// timeline keeps, the keys that answer only the question shown, and the board.

#include "WindowSuite.h"
#include "quiz/Quiz.h"
#include "quiz/QuizBoard.h"
#include "quiz/QuizKeys.h"
#include "record/Recorder.h"
#include "timeline/TimelineWindow.h"

#include <QTimer>
#include <QTranslator>

using namespace std::chrono_literals;

// A language whose no begins with T, as Indonesian's "tidak" does.
struct NoIsT : QTranslator
{
    QString translate(const char *context, const char *, const char *, int) const override
    {
        return QByteArrayView(context) == "QuizKeys" ? QStringLiteral("T") : QString();
    }
};

class TestQuiz : public WindowSuite
{
    Q_OBJECT

    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<Quiz> quiz;
    std::unique_ptr<QuizKeys> keys;
    QStringList told;
    QString marks;        // a letter for each verdict: Right, Wrong, Skipped
    QString answers;      // a key for each question as it shows: a digit, y, n, - (Page Down)
    bool skipRest = true; // once the keys run out; otherwise the question stays

    void press(int key, Qt::KeyboardModifiers modifiers = {}, bool repeat = false)
    {
        const QString text = key < 0x80 ? QString(QChar(key)).toLower() : QString();
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text, repeat);
        QApplication::sendEvent(box("IPCari"), &event);
    }
    // "c": Bilrun chosen and its table cleared before the next key; "t": T.
    void answer()
    {
        if (answers.isEmpty() && !skipRest)
            return;
        const QChar what = answers.isEmpty() ? u'-' : answers.front();
        answers.remove(0, 1);
        if (what == u'c') {
            select(1);
            button("Command3")->click();
            return answer();
        }
        press(what.isDigit() ? Qt::Key_0 + what.digitValue()
              : what == u'y' ? Qt::Key_Y
              : what == u'n' ? Qt::Key_N
              : what == u't' ? Qt::Key_T
                             : Qt::Key_PageDown);
    }
    QString boardText() const
    {
        const auto *board = window->findChild<QuizBoard *>();
        return board && board->isVisible() ? QuizBoard::textOf(*quiz) : QString();
    }

    NoIsT language;

private Q_SLOTS:
    void initTestCase() { QCoreApplication::installTranslator(&language); }
    void init()
    {
        told.clear();
        marks.clear();
        skipRest = true;
        open(nullptr, 0ms);
        recorder = std::make_unique<Recorder>(*window, *pause);
        quiz = std::make_unique<Quiz>(*window, *pause);
        keys = std::make_unique<QuizKeys>(*quiz, *pause);
        QuizBoard::follow(*quiz, *window, *pause);
        connect(quiz.get(), &Quiz::noted, recorder.get(), &Recorder::note);
        connect(quiz.get(), &Quiz::told, window.get(), [this](const QString &sentence) {
            told << sentence;
            if (quiz->waiting() && sentence == quiz->waiting()->text)
                QTimer::singleShot(0, window.get(), [this] { answer(); });
        });
        connect(quiz.get(), &Quiz::noted, window.get(), [this](int host, const QString &note) {
            if (host >= 0)
                marks += note.contains(" Right. ")          ? u'R'
                         : note.contains(" Not this time.") ? u'W'
                                                            : u'S';
        });
        select(0);
        box("IPCari")->setFocus();
    }
    void cleanup()
    {
        keys.reset();
        quiz.reset();
        recorder.reset();
        close();
    }

    // "known": "1:0" for host 1 holding host 0's address beforehand; "keys" as answer() reads
    // them; "verdicts" as marks writes them; "heard" sentences told or, for a right answer
    // about a host (told as "Right."), noted.
    static void row(const char *name, const char *known, const char *ip, const char *keys,
                    const char *verdicts, const QStringList &heard)
    {
        QTest::newRow(name) << QString(known) << QString(ip) << QString(keys) << QString(verdicts)
                            << heard;
    }
    void exchanges_data()
    {
        for (const char *column : {"known", "ip", "keys", "verdicts"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<QStringList>("heard");
        row("worked example, all right", "", "192.168.0.4", "4ynynyyynyyyyy", "RRRRRRRRRRRRRR",
            {"Which host will answer? 1 Tesu, 2 Bilrun, 3 Dovel, 4 Wimse, 5 Lurfa, 0 none.",
             "Right. Bilrun did not have Tesu's address yet.",
             "Right. 192.168.0.4 is Wimse's own address, so it answers.",
             "Right. Wimse has that address and answers.",
             "Will Dovel store the answer for 192.168.0.4?",
             "Right. Every host that hears an answer stores it, the requester or not."});
        row("all wrong, no as T", "", "192.168.0.4", "0tytytttyttttt", "WWWWWWWWWWWWWW",
            {"Not this time. 192.168.0.4 is neither Bilrun's address nor in its ARP table.",
             "Not this time. Wimse has that address and answers."});
        row("skipped", "", "192.168.0.4", "", "SSSSSSSSSSSSSS",
            {"Bilrun did not have Tesu's address yet."});
        row("a host that knew the requester", "1:0", "192.168.0.4", "4nnynyyynyyyyy",
            "RRRRRRRRRRRRRR", {"Right. Bilrun already had Tesu's address."});
        row("an answer from a table", "4:3", "192.168.0.4", "5ynynyyyyyyyyy", "RRRRRRRRRRRRRR",
            {"Right. Lurfa has 192.168.0.4 in its ARP table, so it answers too.",
             "Right. Wimse and Lurfa answer, and Lurfa's answer, the last, is kept.",
             "Will Wimse save Lurfa's address?"});
        row("only a table has it", "4:9", "192.168.0.9", "5ynynynyyyyyyy", "RRRRRRRRRRRRRR",
            {"Right. Lurfa has 192.168.0.9 in its ARP table, so it answers.",
             "Right. Lurfa answers from its ARP table."});
        row("no host has it", "", "192.168.0.9", "0ynynynyn", "RRRRRRRRR",
            {"Right. No host has 192.168.0.9, so no answer comes."});
        row("Hapus Entri while a question waits", "1:0", "192.168.0.4", "4ncnynyyynyyyyy",
            "WRRRRRRRRRRRRR", {"Not this time. Bilrun did not have Tesu's address yet."});
    }
    void exchanges()
    {
        QFETCH(QString, known);
        for (const QString &pair : known.split(u' ', Qt::SkipEmptyParts)) {
            const Komputer &owner = host(pair.section(u':', 1).toInt() % fUtama::HostCount);
            const QString ip = pair.endsWith(u'9') ? "192.168.0.9" : owner.IP(); // nobody's
            host(pair.section(u':', 0, 0).toInt()).Tambah(ip, owner.MAC());
        }
        QFETCH(QString, keys);
        answers = keys;
        pause->setPace(Pause::Pace::Predict);
        QFETCH(QString, ip);
        const TimelineWindow live(*recorder);
        broadcast(ip);
        QTEST(marks, "verdicts");
        QCOMPARE(told.last(), QString("You predicted %1 of %2.")
                                  .arg(marks.count(u'R'))
                                  .arg(marks.size() - marks.count(u'S')));
        // The timeline keeps every question with its answer and verdict, then the score.
        const auto &steps = recorder->exchanges().last().steps;
        QStringList notes;
        for (const Recorder::Step &step : steps)
            notes << step.notes;
        QFETCH(QStringList, heard);
        for (const QString &sentence : heard)
            QVERIFY2(told.contains(sentence) ||
                         (told.contains("Right.") && sentence.startsWith("Right.") &&
                          notes.join(u'|').contains(sentence)),
                     qPrintable(sentence));
        QCOMPARE(notes.size(), marks.size() + 1);
        QCOMPARE(steps.last().notes.last(), told.last()); // the score, under the last step
        // A row of its own under the step it was judged by.
        const TimelineWindow later(*recorder);
        for (const TimelineWindow *timeline : {&live, &later}) {
            const QTreeWidgetItem *exchange = timeline->findChild<QTreeWidget *>()->topLevelItem(0);
            QStringList rows;
            for (int step = 0; step < exchange->childCount(); ++step) {
                for (int note = 0; note < exchange->child(step)->childCount(); ++note)
                    rows << exchange->child(step)->child(note)->text(3);
            }
            QCOMPARE(rows, notes);
        }
        const auto first = std::find_if(steps.cbegin(), steps.cend(),
                                        [](const Recorder::Step &s) { return !s.notes.isEmpty(); });
        QVERIFY(first->host == 1 &&
                first->notes.first().startsWith("Will Bilrun save Tesu's address? "));
    }

    // A key answers only the question it fits, a held key's repeats answer nothing, and none
    // types into the box that has the focus.
    void keysOfTheQuestionShown()
    {
        answers = "4";
        connect(
            quiz.get(), &Quiz::told, window.get(),
            [this] {
                if (quiz->asksForHost() && answers == "4") {
                    press(Qt::Key_Y);
                    press(Qt::Key_9);
                    press(Qt::Key_4, {}, true);
                    press(Qt::Key_4, Qt::ControlModifier);
                }
            },
            Qt::DirectConnection);
        pause->setPace(Pause::Pace::Predict);
        QStringList then; // as the keys have been pressed, the question still waiting
        QTimer::singleShot(0, window.get(), [&] {
            then << told << box("IPCari")->text() << boardText();
            pause->setPace(Pause::Pace::Slow); // the exchange goes on, nothing more is asked
        });
        broadcast("192.168.0.4");
        QCOMPARE(then.size(), 3);
        QVERIFY(then[0].startsWith("Which host will answer?"));
        QCOMPARE(then[1], "192.168.0.4");
        QVERIFY(then[2].startsWith(then[0] + "\nPress 0 to 5, or Page Down to skip."));
        QCOMPARE(tables(), WorkedExample);
        QVERIFY(boardText().isEmpty());
        QVERIFY(!quiz->waiting());
    }

    // Nothing of the board exists before the pace is chosen; it stands beside the host asked,
    // inside the area, in letters the size of the hosts' words, and shows typed text as typed.
    void board()
    {
        QVERIFY(!window->findChild<QuizBoard *>());
        const QString typed = "<b>" + QString(3000, u'x');
        answers = "4y";
        skipRest = false;
        pause->setPace(Pause::Pace::Predict);
        // As the question shows: its text, whether it is bold, where the board stands.
        QString shown;
        bool bold = false, beside = false;
        connect(quiz.get(), &Quiz::told, window.get(), [&](const QString &sentence) {
            if (sentence == "Will Bilrun answer?")
                QTimer::singleShot(0, window.get(), [&] {
                    const auto *board = window->findChild<QuizBoard *>();
                    shown = boardText();
                    bold =
                        board->text().contains("<b>Will Bilrun") && board->font().pointSize() >= 12;
                    const QRect at = board->geometry(), of = host(1).geometry();
                    beside = at.right() + 1 == of.left() && at.top() == of.top();
                    skipRest = true;
                    answer();
                });
        });
        broadcast(typed);
        const auto *board = window->findChild<QuizBoard *>();
        QVERIFY(window->networkArea()->rect().contains(board->geometry()));
        QVERIFY(board->text().contains("&lt;b&gt;xxx") && boardText().contains(typed));
        QVERIFY(boardText().endsWith("You predicted 1 of 2."));
        QCOMPARE(shown, "Will Bilrun answer?\nPress Y for yes, N for no, Page Down to skip.");
        QVERIFY(bold && beside);
    }
};

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
