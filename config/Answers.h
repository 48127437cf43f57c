#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/Catalogue.h"

namespace tarnell {

// The receiver's answers are cut at fixed character positions, counted from 1 at
// the "$". A position past the end reads as the character with code 0.
char CharAt(const std::string& line, std::size_t pos);
// The character's code minus that of "0"; not checked, so a non-digit gives any value.
int DigitValue(const std::string& line, std::size_t pos);

// The items of a speed box ("4800" .. "115200") by the answer's first three digits.
std::optional<int> SpeedItem(std::string_view prefix);

// "PMTK514": the digit value of each rate field.
OutputRates ParseOutputRates(const std::string& line);
// "PMTK501": 0 disabled, 1 RTCM, 2 SBAS; nullopt for any other value.
std::optional<int> ParseDgpsSource(const std::string& line);
// "PMTK702": the speed item of the RTCM input.
std::optional<int> ParseRtcmSpeed(const std::string& line);
// "PMTK530": the datum number of one to three digits before the "*".
int ParseDatum(const std::string& line);
// "PMTK519": 0 test, 1 integrity; nullopt for any other character.
std::optional<int> ParseSbasMode(const std::string& line);
// "PMTK500": the item of the fix-rate box ("1".."5" Hz) for an interval of 1000, 500, 333, 250 or 200 ms.
std::optional<int> ParseFixInterval(const std::string& line);

// "PMTK590": remaining flash writes and the receiver's port speed.
struct StoredSettings {
    int remainingWrites = 0;
    std::optional<int> speedItem;
};
StoredSettings ParseStoredSettings(const std::string& line);

// "PMTK704"/"PMTK705": the text from position 10 up to the last "*".
std::string ParseVersionText(const std::string& line);

// "PMTK001": what an acknowledgement shows. checkedDgps is the DGPS radio button
// checked when it arrives (as DgpsSourceValue counts), -1 for none.
struct AckOutcome {
    const char* text = nullptr;  // null: no box
    const char* caption = nullptr;
    bool testModeEnabled = false;
};
AckOutcome Acknowledgement(std::string_view ackCommand, const std::string& line, int checkedDgps);

}  // namespace tarnell
