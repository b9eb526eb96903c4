// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/RandomSource.h"

#include <QWidget>

#include <array>
#include <memory>

class Komputer;
class Narrator;
class Segment;

namespace Ui {
class fUtama;
}

// The simulation window: five hosts in a chain on the network area, the selected host's
// identity and ARP table beside it, and the commands that resolve an address, clear a table
// and end the program.
class fUtama : public QWidget
{
    Q_OBJECT

public:
    static constexpr int HostCount = 5;
    static constexpr int SegmentCount = 4;
    // Layout units: twips to one pixel at 96 dots per inch.
    static constexpr int TwipsPerPixel = 15;

    // Builds the window from its design, loads the hosts' stored values and runs Form_Load.
    // A run-time error there ends the program as anywhere else (Runtime::ending()).
    explicit fUtama(std::unique_ptr<RandomSource> random = nullptr, QWidget *parent = nullptr);
    ~fUtama() override;

    void Komputer1_Click(qint16 Index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    qint16 GetIdxByIP(const QString &ip) const;
    QString BuatMACAcak();
    QString BuatIPAcak();

    Komputer &host(int index) const;
    Segment &segment(int index) const;
    const Ui::fUtama &controls() const { return *ui; }
    qint16 selectedIndex() const { return SelectedIndex; }
    qint16 leftCursor() const { return LeftCursor; }
    qint16 rightCursor() const { return RightCursor; }
    bool exchangeRunning() const { return m_exchangeRunning; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Propagate();
    void loadHosts();
    void buildControls();
    void setUpListView();
    void connectEvents();
    void centre();
    void listTable(const Komputer &k);

    std::unique_ptr<Ui::fUtama> ui;
    std::unique_ptr<RandomSource> m_random;
    std::array<Komputer *, HostCount> Komputer1{};
    std::array<Segment *, SegmentCount> Line1{};
    Narrator *m_narrator = nullptr;
    qint16 SelectedIndex = 0;
    qint16 LeftCursor = 0;
    qint16 RightCursor = 0;
    // The cursors and the exchange slots are single: one exchange at a time.
    bool m_exchangeRunning = false;
};
