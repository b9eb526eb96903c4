// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeline/TimelineWindow.h"

#include "capture/ArpFrame.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ExchangeRole = Qt::UserRole;
constexpr int StepRole = Qt::UserRole + 1;

// "5e:99:4a:b9:11:c0" or "192.168.0.4", as Wireshark writes an address.
QString macAt(const QByteArray &frame, int at)
{
    return QString::fromLatin1(frame.mid(at, 6).toHex(':'));
}

QString ipAt(const QByteArray &frame, int at)
{
    QStringList bytes;
    for (int i = at; i < at + 4; ++i)
        bytes << QString::number(quint8(frame[i]));
    return bytes.join(u'.');
}

// A reader hears the row as its sentence once: the other cells say nothing (an empty text
// would stand for the cell's own).
void heardOnce(QTreeWidgetItem &row, const QString &sentence)
{
    row.setData(0, Qt::AccessibleTextRole, sentence);
    for (int column = 1; column < 4; ++column)
        row.setData(column, Qt::AccessibleTextRole, QStringLiteral("\u200b"));
}

} // namespace

TimelineWindow::TimelineWindow(Recorder &recorder, QWidget *parent)
    : QMainWindow(parent), m_recorder(recorder), m_rows(new QTreeWidget),
      m_detail(new QPlainTextEdit), m_replay(new QPushButton(tr("&Replay the last exchange")))
{
    setWindowTitle(tr("Tolvane Timeline"));
    resize(640, 560);
    m_rows->setHeaderLabels({tr("Step"), tr("Host"), tr("Word"), tr("What happens")});
    m_rows->setAccessibleName(tr("Steps"));
    for (int column = 0; column < 3; ++column)
        m_rows->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_detail->setReadOnly(true);
    m_detail->setAccessibleName(tr("Step in detail"));
    m_replay->setEnabled(false);
    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(m_rows);
    split->addWidget(m_detail);
    auto *central = new QWidget;
    setCentralWidget(central);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(split);
    layout->addWidget(m_replay, 0, Qt::AlignRight);

    connect(&recorder, &Recorder::added, this, &TimelineWindow::added);
    connect(&recorder, &Recorder::removed, this, &TimelineWindow::removed);
    connect(&recorder, &Recorder::outcomeKnown, this, &TimelineWindow::outcomeKnown);
    connect(&recorder, &Recorder::noted, this, &TimelineWindow::noted);
    connect(m_rows, &QTreeWidget::currentItemChanged, this, &TimelineWindow::showDetail);
    connect(m_rows, &QTreeWidget::itemActivated, this, &TimelineWindow::choose);
    connect(m_replay, &QPushButton::clicked, &recorder, &Recorder::replay);
    // Built when first asked for, it shows what was recorded before.
    for (int e = 0; e < recorder.exchanges().size(); ++e) {
        added(e, -1);
        for (int s = 0; s < recorder.exchanges()[e].steps.size(); ++s) {
            added(e, s);
            const QStringList &notes = recorder.exchanges()[e].steps[s].notes;
            for (int n = 0; n < notes.size(); ++n)
                noted(e, s);
        }
    }
}

void TimelineWindow::showDetail(const QTreeWidgetItem *item)
{
    m_detail->setPlainText(
        item ? detailOf(m_recorder.exchanges()[item->data(0, ExchangeRole).toInt()],
                        item->data(0, StepRole).toInt())
             : QString());
}

QString TimelineWindow::detail() const
{
    return m_detail->toPlainText();
}

void TimelineWindow::added(int exchange, int step)
{
    const Recorder::Exchange &e = m_recorder.exchanges()[exchange];
    QTreeWidgetItem *item;
    if (step < 0) {
        item = new QTreeWidgetItem(m_rows, {heading(e)});
        item->setFirstColumnSpanned(true);
        item->setExpanded(true);
    } else {
        const Recorder::Step &s = e.steps[step];
        const QString number = s.word.isEmpty()
                                   ? QString()
                                   : QString::number(Recorder::words(e.steps.mid(0, step + 1)));
        item = new QTreeWidgetItem(m_rows->topLevelItem(exchange),
                                   {number, m_recorder.window().host(s.host).Nama(),
                                    s.word.isEmpty() ? QStringLiteral("Hapus Entri") : s.word,
                                    s.sentence});
        heardOnce(*item, s.sentence);
    }
    item->setData(0, ExchangeRole, exchange);
    item->setData(0, StepRole, step);
    m_rows->scrollToItem(item);
    replayable();
}

// A prediction goes under the step it was judged by, a row of its own.
void TimelineWindow::noted(int exchange, int step)
{
    QTreeWidgetItem *row = m_rows->topLevelItem(exchange)->child(step);
    const Recorder::Step &s = m_recorder.exchanges()[exchange].steps[step];
    const QString &note = s.notes[row->childCount()];
    auto *item = new QTreeWidgetItem(row, {QString(), QString(), tr("Predicted"), note});
    heardOnce(*item, note);
    item->setData(0, ExchangeRole, exchange);
    item->setData(0, StepRole, step);
    row->setExpanded(true);
    m_rows->scrollToItem(item);
}

void TimelineWindow::removed(int exchange, int step)
{
    QTreeWidgetItem *heading = m_rows->topLevelItem(exchange);
    while (heading->childCount() > step)
        delete heading->takeChild(heading->childCount() - 1);
}

void TimelineWindow::outcomeKnown(int exchange)
{
    m_rows->topLevelItem(exchange)->setText(0, heading(m_recorder.exchanges()[exchange]));
    replayable();
}

void TimelineWindow::replayable()
{
    m_replay->setEnabled(m_recorder.canReplay());
}

void TimelineWindow::choose(const QTreeWidgetItem *item)
{
    m_recorder.goTo(item->data(0, ExchangeRole).toInt(), item->data(0, StepRole).toInt());
}

QString TimelineWindow::heading(const Recorder::Exchange &e) const
{
    const QString name = m_recorder.window().host(e.requester).Nama();
    switch (e.outcome) {
    case Recorder::Outcome::Running:
        return tr("%1 asks for %2.").arg(name, e.ip);
    case Recorder::Outcome::Answered:
        return tr("%1 asks for %2: the answer kept is %3's.").arg(name, e.ip, e.answerer);
    case Recorder::Outcome::NoAnswer:
        return tr("%1 asks for %2: no host has it.").arg(name, e.ip);
    case Recorder::Outcome::Refused:
        return tr("%1 asks for %2: its table already holds it, \"%3\".")
            .arg(name, e.ip,
                 QStringLiteral("Sudah ada nomor IP '") + e.ip +
                     QStringLiteral("' dalam tabel ARP"));
    case Recorder::Outcome::Cleared:
        break;
    }
    return tr("Hapus Entri: %1's ARP table is cleared.").arg(name);
}

QString TimelineWindow::detailOf(const Recorder::Exchange &e, int step) const
{
    if (step < 0)
        return heading(e);
    const Recorder::Step &s = e.steps[step];
    QStringList lines{s.sentence};
    lines << s.notes << QString() << tr("The packet in flight");
    const auto frame = ArpFrame::of(s.packet);
    if (const QByteArray *bytes = std::get_if<QByteArray>(&frame)) {
        const bool request = s.packet.Operation == 1;
        lines << tr("Ethernet destination: %1").arg(macAt(*bytes, 0))
              << tr("Ethernet source: %1").arg(macAt(*bytes, 6))
              << tr("ARP opcode: %1 (%2), the simulation's Operation %3")
                     .arg(request ? tr("request") : tr("reply"))
                     .arg(request ? 1 : 2)
                     .arg(s.packet.Operation)
              << tr("Sender MAC address: %1").arg(macAt(*bytes, 22))
              << tr("Sender IP address: %1").arg(ipAt(*bytes, 28))
              << tr("Target MAC address: %1").arg(macAt(*bytes, 32))
              << tr("Target IP address: %1").arg(ipAt(*bytes, 38));
    } else {
        lines << std::get<QString>(frame)
              << tr("Operation %1, from %2 (%3) for %4")
                     .arg(s.packet.Operation)
                     .arg(s.packet.SenderIP, s.packet.SenderMAC, s.packet.TargetIP);
    }
    lines << QString() << tr("The ARP tables after this step");
    for (int h = 0; h < fUtama::HostCount; ++h) {
        QStringList entries;
        const auto &table = s.after[size_t(h)];
        for (int n = 0; n < table.size(); ++n) {
            QString entry = table[n].IP + u' ' + table[n].MAC;
            if (h == s.changedHost && n + 1 == s.changedEntry)
                entry += u' ' + tr("(this step's)");
            entries << entry;
        }
        lines << tr("%1: %2").arg(m_recorder.window().host(h).Nama(),
                                  entries.isEmpty() ? tr("empty") : entries.join(tr(", ")));
    }
    return lines.join(u'\n');
}
