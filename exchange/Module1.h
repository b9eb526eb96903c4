// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// One simulated ARP packet. Records are copied by value, texts included, so a change to
// one record never shows in another.
struct ArpPacket
{
    quint8 Operation = 0; // 1 request, 2 reply from the target, 3 reply from a table entry
    QString DestIP;
    QString DestMAC;
    QString SenderIP;
    QString SenderMAC;
    QString TargetIP;
    QString TargetMAC;

    bool operator==(const ArpPacket &) const = default;
};

// The program-wide slots through which the window and the hosts hand over one exchange.
// Hosts never address each other: the window carries Packet from host to host, and a host
// that can answer builds its answer in Reply and raises ReplyReady.
namespace Module1 {

extern ArpPacket Packet;
extern ArpPacket Reply;
extern bool ReplyReady;

} // namespace Module1
