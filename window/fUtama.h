// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exchange/Module1.h"
#include "host/Komputer.h"
#include "window/EventEntry.h"
#include "window/MessageBox.h"
#include "window/RandomSource.h"

#include <QWidget>

#include <array>
#include <memory>

class Pause;
class QLineEdit;
class Segment;

namespace Ui {
class fUtama;
}

// The simulation window: five hosts in a chain on the network area, the selected host's
// identity and ARP table beside it, and the commands that resolve an address, clear a table
// and end the program. It tells what it does through its signals, so that what narrates or
// records an exchange listens without the window knowing of it.
class fUtama : public QWidget
{
    Q_OBJECT

public:
    static constexpr int HostCount = 5;
    static constexpr int SegmentCount = 4;
    // Layout units: twips to one pixel at 96 dots per inch.
    static constexpr int TwipsPerPixel = 15;

    // Builds the window from its design, loads the hosts' stored values and runs Form_Load. The
    // hosts pause with `pause`, which also learns when the program ends: a run-time error here
    // ends it as anywhere else. Without a random source or a message box, the program's own.
    explicit fUtama(Pause &pause, std::unique_ptr<RandomSource> random = nullptr,
                    std::unique_ptr<MessageBox> messages = nullptr, QWidget *parent = nullptr);
    ~fUtama() override;

    void Komputer1_Click(qint16 Index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Broadcast's exchange for `ip`, asked by host `requester` whatever is selected, entered as
    // a window event is: what goes back or replays an exchange runs it through the same rules.
    void broadcastAgain(qint16 requester, const QString &ip);
    // Every host's word gone and every segment black, as between two exchanges.
    void settle();
    qint16 GetIdxByIP(const QString &ip) const;
    QString BuatMACAcak();
    QString BuatIPAcak();

    // The hosts in their order along the chain, and the area they stand on.
    Komputer &host(int index) const;
    QWidget *networkArea() const;
    // The boxes that show the selected host's name, IP address and MAC address.
    std::array<QLineEdit *, 3> identityBoxes() const;
    // The box the user types the address to find into.
    QLineEdit *addressBox() const;

Q_SIGNALS:
    // A packet sets out from `origin` along the chain: the request, then the reply.
    void propagationStarts(const Komputer &origin, const ArpPacket &packet);
    void propagationEnded(const ArpPacket &packet);
    // The user chose a host, or cleared the selected host's table.
    void hostChosen(const Komputer &host);
    void tableCleared(const Komputer &host);
    // Broadcast was refused: the host's table already holds the address.
    void broadcastRefused(const Komputer &host, const QString &ip);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Propagate();
    void broadcast(qint16 requester, const QString &T);
    void send(qint16 origin);
    void loadHosts();
    void setUpListView();
    void connectEvents();
    void centre();
    void listTable(const Komputer &k);
    Segment &segment(int index) const;

    std::unique_ptr<Ui::fUtama> ui;
    Pause &m_pause;
    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<MessageBox> m_messages;
    EventEntry m_entry;
    std::array<Komputer *, HostCount> Komputer1{};
    std::array<Segment *, SegmentCount> Line1{};
    qint16 SelectedIndex = 0;
    qint16 LeftCursor = 0;
    qint16 RightCursor = 0;
    // The cursors and the exchange slots are single: one exchange at a time.
    bool m_exchangeRunning = false;
};
