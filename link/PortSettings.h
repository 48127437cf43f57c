#pragma once
#include <cstdint>

// The port's device-control record. The open path writes the first four fields
// and applies the whole record; every receive tick reads it back from the port.
struct PortSettings {
    int32_t BaudRate = 0;
    int32_t ByteSize = 0;
    int32_t Parity = 0;    // 0 none, 1 odd, 2 even
    int32_t StopBits = 0;  // 0 one, 2 two
    int32_t FlowControl = 0;  // 0 none, 1 RTS/CTS, 2 XON/XOFF
};
