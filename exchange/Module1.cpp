#include "exchange/Module1.h"

namespace Module1 {

ArpPacket Packet;
ArpPacket Reply;
bool ReplyReady = false;

void reset()
{
    Packet = ArpPacket();
    Reply = ArpPacket();
    ReplyReady = false;
}

} // namespace Module1
