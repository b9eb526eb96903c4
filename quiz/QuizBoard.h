// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

class Pause;
class Quiz;
class fUtama;

// The predict pace's board over the network area, beside the host asked about: the verdicts
// just given, the question in bold with the keys that answer it, and the score. Made when
// first needed and shown only at that pace, so the designed window is as it was at every other.
class QuizBoard : public QLabel
{
    Q_OBJECT

public:
    // Text at least the size of the hosts' words, read from the back of a room.
    static constexpr int PointSize = 12;
    static constexpr int Width = 240;
    static constexpr int MaxLine = 120;

    // Listens to `quiz`; the board is made on the window's network area when it first shows.
    static void follow(const Quiz &quiz, const fUtama &window, const Pause &pause);

    // The lines the board shows, as a reader would read them.
    static QString textOf(const Quiz &quiz);

private:
    QuizBoard(const Quiz &quiz, const fUtama &window);
    void update(const Pause &pause);
    void place();

    const Quiz &m_quiz;
    const fUtama &m_window;
};
