// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "record/Recorder.h"

#include "host/Komputer.h"
#include "pace/Pause.h"
#include "runtime/Convert.h"

Recorder::Recorder(fUtama &window, Pause &pause) : m_window(window), m_pause(pause)
{
    connect(&window, &fUtama::propagationStarts, this, &Recorder::propagationStarts);
    connect(&window, &fUtama::propagationEnded, this, &Recorder::propagationEnded);
    connect(&window, &fUtama::tableCleared, this, &Recorder::cleared);
    connect(&window, &fUtama::broadcastRefused, this, &Recorder::refused);
    connect(&window, &fUtama::hostChosen, this,
            [this](const Komputer &host) { m_selected = indexOf(host); });
    for (int i = 0; i < fUtama::HostCount; ++i) {
        connect(&window.host(i), &Komputer::WordFlashed, this,
                [this, i](const QString &word) { heard(i, word); });
    }
    // The exchange a rewind stopped has unwound: it runs again from the window's event loop.
    connect(&pause, &Pause::rewound, this, &Recorder::restart, Qt::QueuedConnection);
}

int Recorder::words(const QList<Step> &steps)
{
    return int(std::count_if(steps.cbegin(), steps.cend(),
                             [](const Step &s) { return !s.word.isEmpty(); }));
}

Recorder::Tables Recorder::tablesOf(const fUtama &window)
{
    Tables tables;
    for (int i = 0; i < fUtama::HostCount; ++i) {
        const Komputer &k = window.host(i);
        // A count set beyond the storage names entries that are not there.
        const int n = qMin(int(k.Jumlah()), k.storageSize());
        for (qint16 e = 1; e <= n; ++e)
            tables[size_t(i)].append(
                {Convert::toText(k.AmbilIP(e)), Convert::toText(k.AmbilMAC(e))});
    }
    return tables;
}

// The tables now; a host's table that is as in `previous` shares its storage, so that a long
// lesson holds each change once.
Recorder::Tables Recorder::snapshot(const Tables &previous) const
{
    Tables now = tablesOf(m_window);
    for (size_t h = 0; h < now.size(); ++h) {
        if (now[h] == previous[h])
            now[h] = previous[h];
    }
    return now;
}

const Recorder::Tables &Recorder::latest() const
{
    static const Tables none;
    if (m_exchanges.isEmpty())
        return none;
    const Exchange &last = m_exchanges.last();
    return last.steps.isEmpty() ? last.before : last.steps.last().after;
}

int Recorder::indexOf(const Komputer &host) const
{
    for (int i = 0; i < fUtama::HostCount; ++i) {
        if (&m_window.host(i) == &host)
            return i;
    }
    return 0;
}

void Recorder::propagationStarts(const Komputer &origin, const ArpPacket &packet)
{
    m_story.starts(origin, packet);
    if (packet.Operation == 1) {
        m_running = true;
        m_word = 0;
        m_propagation = 0;
        if (!m_again) {
            Exchange exchange;
            exchange.requester = indexOf(origin);
            exchange.ip = packet.TargetIP;
            exchange.before = snapshot(latest());
            exchange.packetBefore = packet;
            exchange.selectedBefore = m_selected;
            add(exchange);
        }
    }
    Exchange &last = m_exchanges.last();
    if (m_propagation >= last.sent) {
        ++last.sent;
        Q_EMIT sent(packet);
    }
}

void Recorder::propagationEnded(const ArpPacket &packet)
{
    ++m_propagation;
    if (packet.Operation == 1 && Module1::ReplyReady)
        return; // the reply sets out next
    settleLast();
    Exchange &last = m_exchanges.last();
    const bool answered = packet.Operation != 1;
    last.outcome = answered ? Outcome::Answered : Outcome::NoAnswer;
    last.answerer = answered ? m_window.host(m_window.GetIdxByIP(packet.SenderIP)).Nama() : "";
    m_running = false;
    m_again = false;
    Q_EMIT outcomeKnown(int(m_exchanges.size()) - 1);
}

void Recorder::heard(int host, const QString &word)
{
    if (!m_running)
        return;
    settleLast();
    ++m_word;
    const int row = rowOfWord(m_word);
    if (row >= 0) {
        // On the way to the word gone to and at it, the window lists what it listed then;
        // from there on the student's clicks hold.
        const int selected = m_exchanges.last().steps[row].selected;
        if (m_word <= m_target && selected != m_selected) {
            m_selected = selected;
            m_window.Komputer1_Click(qint16(selected));
        }
        clearAgain();
        return;
    }
    Step step;
    step.host = host;
    step.word = word;
    step.sentence = m_story.sentence(m_window.host(host), word);
    step.packet = Module1::Packet;
    step.selected = m_selected;
    add(step);
}

void Recorder::cleared(const Komputer &host)
{
    if (!m_running) {
        Exchange exchange;
        exchange.requester = indexOf(host);
        exchange.outcome = Outcome::Cleared;
        add(exchange);
        return;
    }
    // Cleared anew where the exchange stands: what was recorded after this word is no longer
    // what comes.
    Exchange &last = m_exchanges.last();
    const int from = rowOfWord(m_word + 1);
    if (from >= 0) {
        last.steps.resize(from);
        Q_EMIT removed(int(m_exchanges.size()) - 1, from);
    }
    settleLast();
    Step step;
    step.host = indexOf(host);
    step.sentence = tr("%1's ARP table is cleared.").arg(host.Nama());
    step.packet = Module1::Packet;
    add(step);
}

void Recorder::note(int host, const QString &text)
{
    if (m_exchanges.isEmpty())
        return;
    QList<Step> &steps = m_exchanges.last().steps;
    for (auto row = steps.size() - 1; row >= 0; --row) {
        if (host < 0 || steps[row].host == host) {
            steps[row].notes << text;
            Q_EMIT noted(int(m_exchanges.size()) - 1, int(row));
            return;
        }
    }
}

void Recorder::refused(const Komputer &host, const QString &ip)
{
    Exchange exchange;
    exchange.requester = indexOf(host);
    exchange.ip = ip;
    exchange.outcome = Outcome::Refused;
    add(exchange);
}

void Recorder::add(Exchange exchange)
{
    m_exchanges.append(std::move(exchange));
    Q_EMIT added(int(m_exchanges.size()) - 1, -1);
}

void Recorder::add(Step step)
{
    step.after = snapshot(latest());
    step.changedHost = -2; // its tables are taken again as the next step begins
    Exchange &last = m_exchanges.last();
    last.steps.append(std::move(step));
    Q_EMIT added(int(m_exchanges.size()) - 1, int(last.steps.size()) - 1);
}

// The last step's tables, once what it did is done: the first entry that differs from the
// step before is the one it added or changed.
void Recorder::settleLast()
{
    if (m_exchanges.isEmpty() || m_exchanges.last().steps.isEmpty())
        return;
    Exchange &last = m_exchanges.last();
    Step &step = last.steps.last();
    if (step.changedHost != -2)
        return;
    const Tables &before =
        last.steps.size() > 1 ? last.steps[last.steps.size() - 2].after : last.before;
    step.after = snapshot(before);
    step.changedHost = -1;
    for (int h = 0; h < fUtama::HostCount && step.changedHost < 0; ++h) {
        const auto &was = before[size_t(h)];
        const auto &now = step.after[size_t(h)];
        for (int e = 0; e < now.size(); ++e) {
            if (e >= was.size() || was[e] != now[e]) {
                step.changedHost = h;
                step.changedEntry = e + 1;
                break;
            }
        }
    }
}

// The row of word `word` (from 1) of the last exchange, or -1 where it has not been recorded.
int Recorder::rowOfWord(int word) const
{
    if (m_exchanges.isEmpty())
        return -1;
    const QList<Step> &steps = m_exchanges.last().steps;
    for (int row = 0, n = 0; row < steps.size(); ++row) {
        if (!steps[row].word.isEmpty() && ++n == word)
            return row;
    }
    return -1;
}

// Running again, the tables cleared while this word showed are cleared again.
void Recorder::clearAgain()
{
    const QList<Step> &steps = m_exchanges.last().steps;
    for (int row = rowOfWord(m_word) + 1; row < steps.size() && steps[row].word.isEmpty(); ++row) {
        m_window.host(steps[row].host).ClearEntry();
        m_window.Komputer1_Click(qint16(m_selected)); // as Hapus Entri refreshed the view
    }
}

bool Recorder::back()
{
    if (m_exchanges.isEmpty() || m_exchanges.last().steps.isEmpty())
        return false;
    return go(m_running ? m_word - 1 : words(m_exchanges.last().steps));
}

bool Recorder::goTo(int exchange, int step)
{
    if (exchange != m_exchanges.size() - 1 || step < 0 || step >= m_exchanges.last().steps.size())
        return false;
    int word = 0;
    for (int row = 0; row <= step; ++row)
        word += !m_exchanges.last().steps[row].word.isEmpty();
    return go(qMax(word, 1));
}

bool Recorder::go(int word)
{
    if (m_pause.pace() != Pause::Pace::Step || word < 1 || (m_running && !m_pause.waitsForStep()))
        return false;
    m_target = word;
    m_backwards = !m_running || word < m_word;
    if (m_running)
        m_pause.rewind(); // its exchange unwinds, then restart() comes
    else
        QMetaObject::invokeMethod(this, &Recorder::restart, Qt::QueuedConnection);
    return true;
}

void Recorder::restart()
{
    const Exchange &last = m_exchanges.last();
    Q_EMIT goingTo(m_target, words(last.steps), m_backwards);
    restore(last);
    m_again = true;
    m_pause.skip(m_target - 1);
    m_window.broadcastAgain(qint16(last.requester), last.ip);
}

bool Recorder::canReplay() const
{
    return std::any_of(m_exchanges.cbegin(), m_exchanges.cend(),
                       [](const Exchange &e) { return !e.steps.isEmpty(); });
}

bool Recorder::replay()
{
    if (m_running || !canReplay())
        return false;
    auto last = std::find_if(m_exchanges.crbegin(), m_exchanges.crend(),
                             [](const Exchange &e) { return !e.steps.isEmpty(); });
    const Exchange exchange = *last;
    restore(exchange);
    m_window.broadcastAgain(qint16(exchange.requester), exchange.ip);
    return true;
}

// The window at rest, every table as before the exchange, the packet slot as it set out.
void Recorder::restore(const Exchange &exchange)
{
    m_running = false;
    m_window.settle();
    for (int i = 0; i < fUtama::HostCount; ++i) {
        Komputer &k = m_window.host(i);
        k.setJumlah(0);
        for (const ArpEntry &entry : exchange.before[size_t(i)])
            k.Tambah(entry.IP, entry.MAC);
    }
    Module1::Packet = exchange.packetBefore;
    m_selected = exchange.selectedBefore;
    m_window.Komputer1_Click(qint16(m_selected));
}
