// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "capture/ArpFrame.h"

#include "exchange/Module1.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

// Reads the addresses of a frame, keeping why the first one it cannot read is no address.
class Addresses
{
public:
    // Four decimal numbers from 0 to 255 joined by dots: "192.168.0.4".
    QByteArray ip(const QString &text)
    {
        return read(text, u'.', 4, 10, 3,
                    QT_TRANSLATE_NOOP("ArpFrame", "'%1' is not an IPv4 address."));
    }
    // Six groups of one or two hexadecimal digits joined by dashes: "5E-99-4A-B9-11-C0",
    // "A-0-FF-1-2-3".
    QByteArray mac(const QString &text)
    {
        return read(text, u'-', 6, 16, 2,
                    QT_TRANSLATE_NOOP("ArpFrame", "'%1' is not a MAC address."));
    }

    QString error;

private:
    QByteArray read(const QString &text, QChar separator, int count, int base, int digits,
                    const char *notOne)
    {
        QByteArray bytes;
        const QStringList groups = text.split(separator);
        for (const QString &group : groups) {
            // ASCII digits only: QChar::isDigit() also holds for other scripts' digits, which
            // toUInt() does not read, and toUInt() alone would take a sign or blanks.
            const bool plain = std::all_of(group.begin(), group.end(), [base](QChar c) {
                return (c >= u'0' && c <= u'9') ||
                       (base == 16 && QStringLiteral("abcdefABCDEF").contains(c));
            });
            bool ok = false;
            const uint value = group.toUInt(&ok, base);
            if (!plain || !ok || group.size() > digits || value > 255)
                break;
            bytes += char(value);
        }
        if (groups.size() == count && bytes.size() == count)
            return bytes;
        if (error.isEmpty())
            error = QCoreApplication::translate("ArpFrame", notOne).arg(text);
        return {};
    }
};

} // namespace

std::variant<QByteArray, QString> ArpFrame::of(const ArpPacket &packet)
{
    const bool request = packet.Operation == 1;
    const QByteArray none(6, 0);
    Addresses read;
    // The frame goes from the host that sends it to everyone, or to the requester.
    const QByteArray from = read.mac(packet.SenderMAC);
    const QByteArray to = request ? QByteArray(6, char(0xff)) : read.mac(packet.DestMAC);
    // The message: the requester and the address it asks for; or the resolved pair, for the
    // requester.
    const QByteArray senderMAC = read.mac(request ? packet.SenderMAC : packet.TargetMAC);
    const QByteArray senderIP = read.ip(request ? packet.SenderIP : packet.TargetIP);
    const QByteArray targetMAC = request ? none : to;
    const QByteArray targetIP = read.ip(request ? packet.TargetIP : packet.DestIP);
    if (!read.error.isEmpty())
        return read.error;
    const QByteArray header = QByteArray::fromHex("0806"   // ARP
                                                  "0001"   // on Ethernet
                                                  "0800"   // for IPv4
                                                  "0604"); // address sizes
    return to + from + header + QByteArray::fromHex(request ? "0001" : "0002") + senderMAC +
           senderIP + targetMAC + targetIP;
}
