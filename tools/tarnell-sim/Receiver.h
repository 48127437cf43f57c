#pragma once
#include <array>
#include <set>
#include <string>

namespace tarnell::sim {

// The sentences the receiver streams, in the field order of the output-rate command.
enum Output { kGll, kRmc, kVtg, kGga, kGsa, kGsv, kZda, kMchn, kOutputCount };

// Per sentence: 0 off, n sent with every n-th fix.
using Rates = std::array<int, kOutputCount>;

Rates DefaultRates();

// The speeds the receiver's port can run at.
bool IsLineSpeed(int bps);

// What a flash write keeps and the stored-settings answer reports.
struct StoredSettings {
    int fixHz = 1;
    std::string baud = "115200";
    Rates rates = DefaultRates();
    int dgps = 2;
    int datum = 0;
    std::string rtcmBaud = "4800";
};

// The receiver's settings and the requests its commands leave for the program around it.
struct Receiver {
    Rates rates = DefaultRates();
    int fixIntervalMs = 1000;
    int baud = 115200;
    int dgps = 2;      // 0 none, 1 RTCM, 2 SBAS
    int sbasMode = 1;  // 1 integrity, 0 test
    int datum = 0;
    int rtcmBaud = 4800;
    int lowCurrent = 0;
    int flashWritesLeft = 3;
    StoredSettings stored;
    std::string firmware = "TarnellSim_1.0,0001";
    std::string firmwareDetail = "EMULATED,32CH";

    std::set<int> failing;  // commands acknowledged as failed and not carried out

    int restartRequest = 0;  // 101, 102 or 103 until taken
    bool wakeRequest = false;
};

}  // namespace tarnell::sim
