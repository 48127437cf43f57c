#pragma once
#include <array>
#include <string>
#include <string_view>

namespace tarnell {

// Sentences without a variable field, stored complete and written as stored.
inline constexpr char kHotRestart[] = "$PMTK101*32\r\n";
inline constexpr char kWarmRestart[] = "$PMTK102*31\r\n";
inline constexpr char kColdRestart[] = "$PMTK103*30\r\n";
inline constexpr char kDefaultOutput[] = "$PMTK314,-1*04\r\n";
inline constexpr char kQueryFixInterval[] = "$PMTK400*36\r\n";
inline constexpr char kQueryDgpsSource[] = "$PMTK401*37\r\n";
inline constexpr char kQueryOutputRates[] = "$PMTK414*33\r\n";
inline constexpr char kQuerySbasMode[] = "$PMTK419*3E\r\n";
inline constexpr char kQueryDatum[] = "$PMTK430*35\r\n";
inline constexpr char kQueryStoredSettings[] = "$PMTK490*3F\r\n";
inline constexpr char kQueryRtcmSpeed[] = "$PMTK602*36\r\n";
inline constexpr char kQueryVersionSecond[] = "$PMTK604*30\r\n";
inline constexpr char kQueryVersion[] = "$PMTK605*31\r\n";

// The seven settings queries: as sent when the port has just been opened, and as
// the flash group's Query button sends them.
inline constexpr std::array<const char*, 7> kStartupQueries = {
    kQueryOutputRates,    kQueryDgpsSource,  kQueryRtcmSpeed, kQueryDatum,
    kQueryStoredSettings, kQueryFixInterval, kQuerySbasMode};
inline constexpr std::array<const char*, 7> kAllQueries = {
    kQueryStoredSettings, kQueryOutputRates, kQueryDgpsSource, kQueryRtcmSpeed,
    kQueryDatum,          kQuerySbasMode,    kQueryFixInterval};

// Output rate per sentence, 0 (off) to 5.
struct OutputRates {
    int gll = 0, rmc = 0, vtg = 0, gga = 0, gsa = 0, gsv = 0, zda = 0, mchn = 0;
};

// Everything the flash write carries, in the receiver's units.
struct FlashSettings {
    std::string protection = "0";  // or, write-protected, the remaining-writes count as shown
    int fixHz = 1;
    std::string baud;  // speed item text, empty when none
    OutputRates rates;
    int dgpsSource = 0;
    int datum = 0;
    std::string rtcmBaud;
};

// Command bodies (without "*", checksum and line end).
std::string OutputRatesBody(const OutputRates& r);
std::string FixIntervalBody(int ms);
std::string BaudBody(std::string_view speed);
std::string DgpsSourceBody(int source);
std::string SbasModeBody(int mode);
std::string DatumBody(int datum);
std::string TestModeBody();
std::string WakeupBody();
std::string FlashWriteBody(const FlashSettings& s);

// Field values from what the controls show; an item index of -1 means none selected.
int RateValue(int item);   // items "0".."5"; none or other: 0
int DatumValue(int item);  // 0..222; none or other: 0
int DgpsSourceValue(bool waas, bool rtcm);
// Fix rate in hertz: item "1".."5", or a typed whole number 1..10; anything else 1.
int FixRateHz(int item, std::string_view shownText);
int FixIntervalMs(int hz);

}  // namespace tarnell
