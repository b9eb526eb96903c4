// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quiz/QuizBoard.h"

#include "pace/Pause.h"
#include "quiz/Quiz.h"
#include "window/fUtama.h"

QuizBoard::QuizBoard(const Quiz &quiz, const fUtama &window)
    : QLabel(window.networkArea()), m_quiz(quiz), m_window(window)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(PointSize);
    setFont(font);
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setFixedWidth(Width);
    setMargin(6);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette paper = palette();
    paper.setColor(QPalette::Window, QColor(255, 250, 205));
    paper.setColor(QPalette::WindowText, Qt::black);
    setPalette(paper);
    setAccessibleName(tr("Prediction"));
}

void QuizBoard::follow(const Quiz &quiz, const fUtama &window, const Pause &pause)
{
    auto board = std::make_shared<QuizBoard *>(nullptr);
    auto update = [board, &quiz, &window, &pause] {
        if (!*board && pause.pace() != Pause::Pace::Predict)
            return;
        if (!*board)
            *board = new QuizBoard(quiz, window);
        (*board)->update(pause);
    };
    QObject::connect(&quiz, &Quiz::changed, window.networkArea(), update);
    QObject::connect(&pause, &Pause::paceChanged, window.networkArea(), update);
}

QString QuizBoard::textOf(const Quiz &quiz)
{
    QStringList lines = quiz.verdicts();
    if (const Quiz::Question *question = quiz.waiting()) {
        lines << question->text
              << (quiz.asksForHost() ? tr("Press 0 to 5, or Page Down to skip.")
                                     : tr("Press Y for yes, N for no, Page Down to skip."));
    }
    if (quiz.asked() > 0 || quiz.over())
        lines << quiz.score();
    return lines.join(u'\n');
}

void QuizBoard::update(const Pause &pause)
{
    const QString text = textOf(m_quiz);
    QString shown;
    for (const QString &line : text.split(u'\n')) {
        // Typed text is shown as typed, and an address of any length leaves room for the rest.
        QString html = (line.size() > MaxLine ? line.left(MaxLine) + u'…' : line).toHtmlEscaped();
        if (m_quiz.waiting() && line == m_quiz.waiting()->text)
            html = QStringLiteral("<b>") + html + QStringLiteral("</b>");
        shown += QStringLiteral("<p style=\"margin:0 0 4px 0\">") + html + QStringLiteral("</p>");
    }
    setText(shown);
    setVisible(pause.pace() == Pause::Pace::Predict && !text.isEmpty());
    if (isHidden())
        return;
    adjustSize();
    place();
    raise();
}

// Beside the host asked about, on the side where there is room, within the area.
void QuizBoard::place()
{
    const QWidget *area = parentWidget();
    const QRect host = m_window.host(m_quiz.host()).geometry();
    int x = host.right() + 1;
    if (x + width() > area->width())
        x = host.left() - width();
    x = qBound(0, x, area->width() - width());
    const int y = qBound(0, host.top(), area->height() - height());
    move(x, y);
}
