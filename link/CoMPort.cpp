#include "link/CoMPort.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>
#include <termios.h>

#include "app/Dialogs.h"
#include "link/DeviceSpeed.h"
#include "nmea/Exception.h"

namespace {

bool ApplyPortSettings(QSerialPort& port, const PortSettings& s) {
    const auto parity = s.Parity == 1 ? QSerialPort::OddParity
                        : s.Parity == 2 ? QSerialPort::EvenParity
                                        : QSerialPort::NoParity;
    const auto flow = s.FlowControl == 1 ? QSerialPort::HardwareControl
                      : s.FlowControl == 2 ? QSerialPort::SoftwareControl
                                           : QSerialPort::NoFlowControl;
    if (s.ByteSize < 5 || s.ByteSize > 8) return false;
    return port.setBaudRate(s.BaudRate) && port.setDataBits(static_cast<QSerialPort::DataBits>(s.ByteSize)) &&
           port.setParity(parity) &&
           port.setStopBits(s.StopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
           port.setFlowControl(flow);
}

}  // namespace

bool ReadPortSettings(QSerialPort& port, PortSettings& s) {
    termios tio{};
    if (!port.isOpen() || tcgetattr(static_cast<int>(port.handle()), &tio) != 0) return false;
    const int bps = DeviceSpeed(static_cast<int>(port.handle()));
    s.BaudRate = bps > 0 ? bps : port.baudRate();
    switch (tio.c_cflag & CSIZE) {
        case CS5: s.ByteSize = 5; break;
        case CS6: s.ByteSize = 6; break;
        case CS7: s.ByteSize = 7; break;
        default: s.ByteSize = 8; break;
    }
    s.Parity = (tio.c_cflag & PARENB) ? ((tio.c_cflag & PARODD) ? 1 : 2) : 0;
    s.StopBits = (tio.c_cflag & CSTOPB) ? 2 : 0;
    s.FlowControl = (tio.c_cflag & CRTSCTS) ? 1 : ((tio.c_iflag & IXON) ? 2 : 0);
    return true;
}

std::unique_ptr<QSerialPort> CoMPort::OpenPort(const QString& name, int32_t speed, PortSettings& settings) {
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(name);
    if (!port->open(QIODevice::ReadWrite)) return nullptr;

    settings.BaudRate = speed;
    settings.ByteSize = 8;
    settings.Parity = 0;
    settings.StopBits = 0;
    if (!ApplyPortSettings(*port, settings)) {
        port->close();
        ShowMessageBox(QStringLiteral("SET DEC ERROR"), QStringLiteral("error"));
        return nullptr;
    }
    if (!port->clear(QSerialPort::AllDirections)) {
        port->close();
        throw tarnell::Exception("PurgeComm failed.");
    }
    if (!ReadPortSettings(*port, settings)) {
        port->close();
        throw tarnell::Exception("GetCommState failed.");
    }
    // Whatever does not fit stays queued in the driver until the next tick.
    port->setReadBufferSize(1024);
    // A device that goes away (unplugged, its other end closed) stays readable with nothing to read,
    // and the event loop would spin on it: stop watching it. A hung-up line needs a new open anyway.
    // The window still counts the port as open until the user switches it off; reads and writes
    // meanwhile find it closed.
    QSerialPort* const raw = port.get();
    QObject::connect(
        raw, &QSerialPort::errorOccurred, raw,
        [raw](QSerialPort::SerialPortError e) {
            if ((e == QSerialPort::ReadError || e == QSerialPort::ResourceError) && raw->isOpen())
                raw->close();
        },
        Qt::QueuedConnection);
    return port;
}

QString PortDevice(int selectedItem, const QString& typedText) {
    if (selectedItem >= 0) return QStringLiteral("/dev/ttyS%1").arg(selectedItem);
    const QString text = typedText.trimmed();
    if (text.startsWith(QLatin1Char('/'))) return text;
    static const QRegularExpression bareName(QStringLiteral("^[A-Za-z0-9_.-]+$"));
    if (bareName.match(text).hasMatch() && QFileInfo::exists(QStringLiteral("/dev/") + text))
        return QStringLiteral("/dev/") + text;
    return QStringLiteral("/dev/ttyS0");
}
