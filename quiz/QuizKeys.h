// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class Pause;
class Quiz;

// The keys that answer the predict pace's questions from whichever control has the focus: Y
// and N (and the letter the language answers no with), a digit for "Which host will answer?",
// Page Down to skip. While a question waits they are its keys and type nothing; a held key's
// repeats answer nothing. The filter on the whole application is there only at that pace.
class QuizKeys : public QObject
{
    Q_OBJECT

public:
    QuizKeys(Quiz &quiz, Pause &pause);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch();
    void answer(int key);

    Quiz &m_quiz;
    Pause &m_pause;
};
