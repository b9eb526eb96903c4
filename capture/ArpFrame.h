// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

struct ArpPacket;

// The Ethernet frame that a packet of the exchange stands for on a real segment (RFC 826,
// Ethernet and IPv4): a request broadcast from the requester, or a reply sent by the answering
// host to the requester, whose sender fields carry the resolved pair. An answer from a table
// is a reply too: operation 3 would be a RARP request on the wire.
namespace ArpFrame {

// The frame's bytes, or why the packet's addresses cannot be carried in one.
std::variant<QByteArray, QString> of(const ArpPacket &packet);

} // namespace ArpFrame
