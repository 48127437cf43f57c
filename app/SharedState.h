#pragma once
#include <QFile>
#include <QSerialPort>
#include <cstdint>
#include <memory>
#include <string>

#include "link/CoMPort.h"
#include "link/LineBuffer.h"
#include "link/PortSettings.h"
#include "nmea/Satellites.h"

// Everything the program keeps between events besides the controls. One object
// per window, so a fresh window starts from a fresh state.
struct SharedState {
    CoMPort GpsPort;

    std::string FixDigit;
    std::string SentenceLine;
    std::string SentenceId;
    std::string AnswerId;
    std::string AckCommand;
    std::string PendingQuery;

    tarnell::SatelliteTable SatelliteTable{};

    tarnell::LineBuffer LineBytes;
    tarnell::LineBuffer StartupLineBytes;

    std::unique_ptr<QSerialPort> PortHandle;  // null: no port open
    ::PortSettings PortSettings;

    std::unique_ptr<QFile> LogHandle;  // null: no log file open
    int32_t LogActive = 0;
};
