// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quiz/Quiz.h"

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "pace/Pause.h"
#include "window/fUtama.h"

Quiz::Quiz(fUtama &window, Pause &pause) : m_window(window), m_pause(pause)
{
    connect(&window, &fUtama::propagationStarts, this, &Quiz::propagationStarts);
    connect(&window, &fUtama::propagationEnded, this, &Quiz::propagationEnded);
    for (int i = 0; i < fUtama::HostCount; ++i) {
        connect(&window.host(i), &Komputer::WordFlashed, this,
                [this, i](const QString &word) { heard(i, word); });
    }
    // Another pace: the exchange goes on at it, and what was asked is forgotten.
    connect(&pause, &Pause::paceChanged, this, &Quiz::stop);
}

bool Quiz::predicting() const
{
    // The words before a step gone back to run again without a pause, and ask nothing.
    return m_pause.pace() == Pause::Pace::Predict && !m_pause.skipping();
}

QString Quiz::nameOf(int host) const
{
    return m_window.host(host).Nama();
}

void Quiz::propagationStarts(const Komputer &origin, const ArpPacket &packet)
{
    m_story.starts(origin, packet);
    m_firstReception = true;
    if (packet.Operation != 1)
        return;
    m_answers.clear();
    m_right = m_asked = 0;
    m_over = false;
}

void Quiz::heard(int host, const QString &word)
{
    const Story::Act act = m_story.act(m_window.host(host), word);
    if (act == Story::Act::Answers || act == Story::Act::AnswersFromTable)
        m_answers.append({host, act == Story::Act::AnswersFromTable});
    // Who will answer is asked before any host has received, or not at all.
    const bool first = act == Story::Act::Receives && std::exchange(m_firstReception, false);
    if (!predicting())
        return;
    // A host that shows its next word, or the next host's arrival, has done what it will.
    judge(act);
    if (act == Story::Act::Receives)
        ask(host, first);
    Q_EMIT changed();
}

// The questions about the host a packet reaches, asked one after the other while its word
// "Receive" is held.
void Quiz::ask(int host, bool first)
{
    const QString name = nameOf(host);
    if (!m_story.reply()) {
        if (first) {
            QStringList hosts;
            for (int i = 0; i < fUtama::HostCount; ++i)
                hosts << QString::number(i + 1) + u' ' + nameOf(i);
            m_queue.append({Story::Act::Receives, host,
                            tr("Which host will answer? %1, 0 none.").arg(hosts.join(", "))});
        }
        m_queue.append({Story::Act::SavesRequester, host,
                        tr("Will %1 save %2's address?").arg(name, m_story.requester())});
        m_queue.append({Story::Act::Answers, host, tr("Will %1 answer?").arg(name)});
    } else {
        m_queue.append({Story::Act::SavesAnswerer, host,
                        tr("Will %1 save %2's address?").arg(name, m_story.answerer())});
        if (first)
            m_queue.append({Story::Act::StoresAnswer, host,
                            tr("Will %1 store the answer for %2?").arg(name, m_story.ip())});
    }
    m_host = host;
    m_pause.hold();
    Q_EMIT told(m_queue.first().text);
}

bool Quiz::say(bool yes)
{
    if (!waiting() || asksForHost())
        return false;
    answered(yes ? Yes : No);
    return true;
}

bool Quiz::name(int host)
{
    if (!asksForHost() || host < 0 || host > fUtama::HostCount)
        return false;
    answered(host);
    return true;
}

bool Quiz::skip()
{
    if (!waiting())
        return false;
    answered(Skipped);
    return true;
}

void Quiz::answered(int said)
{
    Question question = m_queue.takeFirst();
    question.said = said;
    if (question.act == Story::Act::Receives)
        m_whoAnswers = question;
    else
        m_pending.append(question);
    m_verdicts.clear();
    if (waiting())
        Q_EMIT told(waiting()->text);
    else
        m_pause.release();
    Q_EMIT changed();
}

// What the host asked about has just done: each question about an act before it is answered no
// (it would have come first), one about this act yes.
void Quiz::judge(Story::Act act)
{
    // Both ways of answering answer "Will it answer?".
    const Story::Act done = act == Story::Act::AnswersFromTable ? Story::Act::Answers : act;
    while (!m_pending.isEmpty() && (m_pending.first().act < done || act == Story::Act::Receives)) {
        const Question question = m_pending.takeFirst();
        judge(question, false, why(question, false));
    }
    if (!m_pending.isEmpty() && m_pending.first().act == done) {
        const Question question = m_pending.takeFirst();
        judge(question, true, why(question, true));
    }
}

void Quiz::judge(const Question &question, bool done, const QString &why)
{
    QString said, verdict = why;
    if (question.said == Skipped) {
        said = tr("Skipped.");
    } else {
        const bool right = question.act == Story::Act::Receives ? done : question.said == done;
        ++m_asked;
        m_right += right;
        verdict = (right ? tr("Right.") : tr("Not this time.")) + u' ' + why;
        if (question.act != Story::Act::Receives)
            said = question.said == Yes ? tr("You said yes.") : tr("You said no.");
        else
            said = tr("You said %1.").arg(question.said ? nameOf(question.said - 1) : tr("none"));
    }
    m_verdicts << verdict;
    // A reader hears a right answer about a host as "Right.", so that the next question comes
    // within moments; where the student was wrong, or skipped, or asked who answers, the reason.
    const bool brief = question.act != Story::Act::Receives && question.said == done;
    Q_EMIT told(brief ? tr("Right.") : verdict);
    Q_EMIT noted(question.host, question.text + u' ' + said + u' ' + verdict);
}

QString Quiz::why(const Question &question, bool done) const
{
    const QString host = nameOf(question.host);
    const QString ip = m_story.ip();
    switch (question.act) {
    case Story::Act::SavesRequester:
    case Story::Act::SavesAnswerer: {
        const QString other =
            question.act == Story::Act::SavesRequester ? m_story.requester() : m_story.answerer();
        return done ? tr("%1 did not have %2's address yet.").arg(host, other)
                    : tr("%1 already had %2's address.").arg(host, other);
    }
    case Story::Act::Answers:
        if (!done)
            return tr("%1 is neither %2's address nor in its ARP table.").arg(ip, host);
        if (!m_answers.last().fromTable)
            return tr("%1 is %2's own address, so it answers.").arg(ip, host);
        return m_answers.size() > 1
                   ? tr("%1 has %2 in its ARP table, so it answers too.").arg(host, ip)
                   : tr("%1 has %2 in its ARP table, so it answers.").arg(host, ip);
    case Story::Act::StoresAnswer:
        return tr("Every host that hears an answer stores it, the requester or not.");
    default:
        return whoAnswered();
    }
}

// The verdict's reason for "Which host will answer?": every host that did, and whose answer is
// kept where there were several.
QString Quiz::whoAnswered() const
{
    if (m_answers.isEmpty())
        return tr("No host has %1, so no answer comes.").arg(m_story.ip());
    if (m_answers.size() == 1)
        return Story::answers(nameOf(m_answers.first().host), m_answers.first().fromTable);
    QStringList names;
    for (const Answer &answer : m_answers)
        names << nameOf(answer.host);
    return tr("%1 answer, and %2's answer, the last, is kept.")
        .arg(Story::list(names), nameOf(m_answers.last().host));
}

void Quiz::propagationEnded(const ArpPacket &packet)
{
    if (!predicting())
        return;
    judge(Story::Act::Receives); // the last host to receive has done what it will
    if (packet.Operation == 1 && m_whoAnswers) {
        const Question question = *std::exchange(m_whoAnswers, std::nullopt);
        const bool right =
            question.said == 0
                ? m_answers.isEmpty()
                : std::any_of(m_answers.cbegin(), m_answers.cend(),
                              [&](const Answer &a) { return a.host == question.said - 1; });
        judge(question, right, whoAnswered());
    }
    if (packet.Operation == 1 && Module1::ReplyReady)
        return; // the reply sets out next
    m_over = true;
    Q_EMIT told(score());
    Q_EMIT noted(-1, score());
    Q_EMIT changed();
}

QString Quiz::score() const
{
    return m_over ? tr("You predicted %1 of %2.").arg(m_right).arg(m_asked)
                  : tr("%1 of %2 right so far.").arg(m_right).arg(m_asked);
}

void Quiz::stop()
{
    m_queue.clear();
    m_pending.clear();
    m_whoAnswers.reset();
    m_verdicts.clear();
    Q_EMIT changed();
}
