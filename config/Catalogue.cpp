#include "config/Catalogue.h"

#include "config/DatumTable.h"

namespace tarnell {

namespace {

std::string Num(int v) {
    return std::to_string(v);
}

}  // namespace

std::string OutputRatesBody(const OutputRates& r) {
    return "$PMTK314," + Num(r.gll) + ',' + Num(r.rmc) + ',' + Num(r.vtg) + ',' + Num(r.gga) + ',' +
           Num(r.gsa) + ',' + Num(r.gsv) + ",0,0,0,0,0,0,0,0,0,0,0," + Num(r.zda) + ',' + Num(r.mchn);
}

std::string FixIntervalBody(int ms) {
    return "$PMTK300," + Num(ms) + ",0,0,0,0";
}

std::string BaudBody(std::string_view speed) {
    return "$PMTK251," + std::string(speed);
}

std::string DgpsSourceBody(int source) {
    return "$PMTK301," + Num(source);
}

std::string SbasModeBody(int mode) {
    return "$PMTK319," + Num(mode);
}

std::string DatumBody(int datum) {
    return "$PMTK330," + Num(datum);
}

std::string TestModeBody() {
    return "$PMTK160,1";
}

std::string WakeupBody() {
    return "$PMTK188,1";
}

std::string FlashWriteBody(const FlashSettings& s) {
    // The rates stand in another order than in the output-rates command: GSA and GSV before GGA.
    const OutputRates& r = s.rates;
    return "$PMTK390," + s.protection + ',' + Num(s.fixHz) + ',' + s.baud + ',' + Num(r.gll) + ',' +
           Num(r.rmc) + ',' + Num(r.vtg) + ',' + Num(r.gsa) + ',' + Num(r.gsv) + ',' + Num(r.gga) + ',' +
           Num(r.zda) + ',' + Num(r.mchn) + ',' + Num(s.dgpsSource) + ',' + Num(s.datum) + ',' + s.rtcmBaud;
}

int RateValue(int item) {
    return item >= 0 && item <= 5 ? item : 0;
}

int DatumValue(int item) {
    return item >= 0 && item < kDatumCount ? item : 0;
}

int DgpsSourceValue(bool waas, bool rtcm) {
    return waas ? 2 : rtcm ? 1 : 0;
}

int FixRateHz(int item, std::string_view shownText) {
    if (item >= 0 && item <= 4) return item + 1;
    if (shownText.empty()) return 1;
    int n = 0;
    for (char c : shownText) {
        if (c < '0' || c > '9') return 1;
        n = n * 10 + (c - '0');
        if (n > 10) return 1;
    }
    return n >= 1 ? n : 1;
}

int FixIntervalMs(int hz) {
    return 1000 / hz;
}

}  // namespace tarnell
