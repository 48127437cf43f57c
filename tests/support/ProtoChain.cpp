#include "support/ProtoChain.h"

#include <algorithm>
#include <cfloat>

#include "config/Answers.h"
#include "link/Framer.h"
#include "nmea/Exception.h"
#include "nmea/FieldScan.h"
#include "nmea/Format.h"
#include "views/ChannelReport.h"
#include "views/SkyPlan.h"

using namespace tarnell;

void ProtoChain::Feed(const uint8_t* bytes, int32_t count) {
    FrameChunk(bytes, count, Line, Copy, [this] {
        ++Lines;
        if (!Gps.VerifyChecksum(Copy.Bytes.data(), Copy.Count)) return;
        ++Verified;
        try {
            Dispatch(Line);
        } catch (const Exception&) {
            ++Errors;
        }
    });
}

void ProtoChain::Dispatch(std::string& line) {
    if (line.size() > 250) {
        line.clear();
        return;
    }
    const std::string id = Fragment(line, 2, 5);
    if (id == "GPGSV") {
        if (DecodeGsv(line, Satellites) == "Show") {
            ++Redraws;
            if (Display) Shown += TakeSkyMarks(Satellites, Gps.UsedInFix, FixMode).size();
        }
    } else if (id == "GPGGA") {
        Gps.DecodeGga(line);
        Shown += Gps.AltitudeText.size();
    } else if (id == "GPRMC") {
        Gps.DecodeRmc(line);
        if (!Display) return;
        Shown += (Gps.NorthSouth + Gps.FormatCoordinate(Gps.LatitudeNmea)).size();
        Shown += (Gps.EastWest + Gps.FormatCoordinate(Gps.LongitudeNmea)).size();
        Shown += GeneralNumber(Gps.SpeedKmh).size();
        const auto lon = static_cast<float>(std::clamp(Gps.LongitudeNmea, -double{FLT_MAX}, double{FLT_MAX}));
        Shown += Gps.FormatLocalTime(TruncInt32(Gps.UtcTimeNmea), lon, Gps.EastWest).size();
        Shown += Gps.FormatLocalDate(Gps.UtcDateNmea).size();
    } else if (id == "GPGSA") {
        Gps.DecodeGsa(line);
        if (Display) Shown += FixedPoint(Gps.Pdop, 2, 2).size();
        FixMode = Gps.FixType == 2 || Gps.FixType == 3 ? std::to_string(Gps.FixType) + "D" : "NONE";
    } else if (id == "GPVTG" || id == "GPZDA" || id == "GPGLL") {
        ++Shown;
    } else {
        const std::string answer = Fragment(line, 2, 7);
        if (answer == "PMTK514") {
            Shown += static_cast<uint64_t>(ParseOutputRates(line).mchn != 0);
        } else if (answer == "PMTK501") {
            if (const auto source = ParseDgpsSource(line)) CheckedDgps = *source;
        } else if (answer == "PMTK702") {
            Shown += ParseRtcmSpeed(line).has_value();
        } else if (answer == "PMTK530") {
            Shown += static_cast<uint64_t>(ParseDatum(line) & 1);
        } else if (answer == "PMTK519") {
            Shown += ParseSbasMode(line).has_value();
        } else if (answer == "PMTK500") {
            Shown += ParseFixInterval(line).has_value();
        } else if (answer == "PMTK590") {
            Shown += ParseStoredSettings(line).speedItem.has_value();
        } else if (answer == "PMTK704" || answer == "PMTK705") {
            Shown += ParseVersionText(line).size();
        } else if (answer == "PMTKCHN") {
            for (int k = 0; k < 32; ++k)
                if (const auto entry = ChannelEntryAt(line, k)) Shown += entry->Status.size();
        } else if (answer == "PMTK001") {
            const AckOutcome ack = Acknowledgement(Fragment(line, 10, 3), line, CheckedDgps);
            Shown += ack.text != nullptr;
        }
    }
}
