#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "link/PortSettings.h"
#include "nmea/GpsDecoder.h"

class QSerialPort;

// The receiver's serial port together with the navigation decoders.
class CoMPort : public tarnell::GpsDecoder {
public:
    virtual ~CoMPort() = default;

    // Opens the named device read/write and exclusively, applies `settings`
    // with the speed and 8N1 written into it, empties both queues and reads the
    // settings back. Null when the port cannot be opened or configured; throws
    // tarnell::Exception when the port misbehaves after opening (it is closed first).
    virtual std::unique_ptr<QSerialPort> OpenPort(const QString& name, int32_t speed, PortSettings& settings);
};

// Reads the device's current line settings into `settings`; false when they cannot be read.
bool ReadPortSettings(QSerialPort& port, PortSettings& settings);

// The device that the port box's choice names: item i is /dev/ttyS<i>; a typed
// absolute path or a bare device name under /dev is used as it stands; anything
// else falls back to the first port.
QString PortDevice(int selectedItem, const QString& typedText);
