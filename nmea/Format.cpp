// The texts of the Status page: coordinates, local time and date, and the number formats.
#include "nmea/Format.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "nmea/GpsDecoder.h"

namespace tarnell {

namespace {

// "0%d" below 10, "%d" from 10 on: the two-digit parts of times and dates.
std::string TwoDigits(int32_t v) {
    return (v <= 9 ? "0" : "") + std::to_string(v);
}

bool IsLeapYear(int32_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int32_t DaysInMonth(int32_t month, int32_t year) {
    static const int32_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

std::string UpperNonFinite(double v) {
    return std::isnan(v) ? "NAN" : (v < 0 ? "-INF" : "INF");
}

}  // namespace

int32_t TruncInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

std::string GeneralNumber(double v) {
    if (!std::isfinite(v)) return UpperNonFinite(v);
    if (v == 0.0) return "0";
    // 15 significant digits, correctly rounded: d.dddddddddddddde±x
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const bool negative = sci[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t ePos = sci.find('e');
    std::string digits = sci.substr(start, 1) + sci.substr(start + 2, ePos - start - 2);
    int exp = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exp);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exp < -4 || exp > 14) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        return out + "E" + std::to_string(exp);
    }
    if (exp < 0) return out + "0." + std::string(static_cast<std::size_t>(-exp - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exp) + 1;
    if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

std::string FixedPoint(double v, int decimals, int width) {
    std::string text;
    if (std::isfinite(v)) {
        char buf[400];
        const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        text.assign(buf, res.ptr);
    } else {
        text = UpperNonFinite(v);
    }
    if (text.size() < static_cast<std::size_t>(width)) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string GpsDecoder::FormatCoordinate(double v) const {
    const int32_t a = TruncInt32(v);
    const double seconds = (v - a) * 60.0;
    const int32_t degrees = a / 100;
    const int32_t minutes = TruncInt32(v - degrees * 100.0);
    return std::to_string(degrees) + '\xB0' + std::to_string(minutes) + "'" + FixedPoint(seconds, 1, 2);
}

std::string GpsDecoder::FormatLocalTime(int32_t t, float lon, const std::string& ew) {
    // 15 degrees of longitude to the hour; trunc(lon * 0.01) is the whole degrees of dddmm.mmmm.
    const int32_t zone = TruncInt32(static_cast<double>(lon) * 0.01) / 15;
    if (ew == "W") ZoneHours = -zone;
    if (ew == "E") ZoneHours = zone;
    int32_t hh = t / 10000;
    const int32_t mm = t / 100 - hh * 100;
    const int32_t ss = t - (t / 100) * 100;
    hh += ZoneHours;
    DayCarry = 0;
    if (hh >= 24) {
        hh -= 24;
        DayCarry = 1;
    }
    if (hh < 0) {
        hh += 24;
        DayCarry = -1;
    }
    return TwoDigits(hh) + ":" + TwoDigits(mm) + ":" + TwoDigits(ss);
}

std::string GpsDecoder::FormatLocalDate(int32_t d) const {
    int32_t dd = d / 10000;
    int32_t mm = d / 100 - dd * 100;
    int32_t year = d - (d / 100) * 100 + 2000;
    const bool calendarDate = mm >= 1 && mm <= 12 && dd >= 1 && dd <= DaysInMonth(mm, year);
    dd += DayCarry;
    // A real date carries through month and year ends; anything else (0 without a fix) only shifts the day.
    if (calendarDate && dd < 1) {
        if (--mm < 1) {
            mm = 12;
            --year;
        }
        dd = DaysInMonth(mm, year);
    } else if (calendarDate && dd > DaysInMonth(mm, year)) {
        dd = 1;
        if (++mm > 12) {
            mm = 1;
            ++year;
        }
    }
    return std::to_string(year) + "/" + TwoDigits(mm) + "/" + TwoDigits(dd);
}

}  // namespace tarnell
