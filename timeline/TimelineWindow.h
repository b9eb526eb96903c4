// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "record/Recorder.h"

#include <QMainWindow>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// A window of its own beside the simulation: every step of the run's exchanges as it happens,
// grouped by exchange, and for the row chosen the packet in flight field by field as Wireshark
// names them and every host's ARP table right after that step. A main window, so that a screen
// reader takes it for the window it is. Choosing a word of the last
// exchange (Enter or a double click) goes back or forward to it at the step-by-step pace.
class TimelineWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit TimelineWindow(Recorder &recorder, QWidget *parent = nullptr);

    // The detail of the row chosen, as the pane shows it.
    QString detail() const;

private:
    void added(int exchange, int step);
    void removed(int exchange, int step);
    void outcomeKnown(int exchange);
    void noted(int exchange, int step);
    void choose(const QTreeWidgetItem *item);
    QString heading(const Recorder::Exchange &exchange) const;
    QString detailOf(const Recorder::Exchange &exchange, int step) const;
    void replayable();
    void showDetail(const QTreeWidgetItem *item);

    Recorder &m_recorder;
    QTreeWidget *m_rows;
    QPlainTextEdit *m_detail;
    QPushButton *m_replay;
};
