// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

#include <array>

class Announcer;
class Komputer;
class QWidget;

// Tells a screen reader what an exchange does in a few sentences, each once the step it tells
// has shown on the screen: who asks, who receives the request and saves the requester, who
// answers, who saves the answer, and what the requester's table holds. The sentences are
// built from the words the hosts flash, so they tell what happened, also when a click during
// a pause changes the course of the exchange.
class Narrator : public QObject
{
    Q_OBJECT

public:
    // The voices are children of the window.
    explicit Narrator(QWidget *window);

    void requestStarts(const Komputer &requester, const QString &ip);
    // Connected to every host's WordFlashed.
    void heard(const Komputer &host, const QString &word);
    void requestEnded();
    void replyEnded(const QString &mac, const Komputer &requester);
    void cleared(const Komputer &host);
    void selected(const Komputer &host);

private:
    // One host's part in a pass, in the order the hosts received.
    struct Reception
    {
        QString host;
        int saved = 0;
        bool answered = false;
        bool fromTable = false;
    };

    void tellReceivers();
    void tellAnswers();
    void say(const QString &sentence);
    static QString list(QStringList names);

    // Each sentence shows a voice of its own, so that a reader that has fallen behind takes
    // two sentences in a row for two events, never for one repeated; eight sentences go by
    // before a voice speaks again.
    std::array<Announcer *, 8> m_voices{};
    size_t m_next = 0;
    QString m_requester;
    QString m_ip;
    QList<Reception> m_pass;
};
