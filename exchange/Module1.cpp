// SPDX-FileCopyrightText: 2026 The Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exchange/Module1.h"

namespace Module1 {

ArpPacket Packet;
ArpPacket Reply;
bool ReplyReady = false;

} // namespace Module1
