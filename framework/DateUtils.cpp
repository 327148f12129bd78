#include "DateUtils.h"

#include "SysUtils.h"

#include <cmath>

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kDaysBefore1970 = 25569; // from 30 December 1899

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

bool ValidDate(const TDateTimeParts& p) {
    return p.Year >= 1 && p.Year <= 9999 && p.Month >= 1 && p.Month <= 12 && p.Day >= 1 &&
           p.Day <= DaysInMonth(p.Year, p.Month);
}

bool ValidTime(const TDateTimeParts& p) {
    return p.Hour >= 0 && p.Hour <= 23 && p.Minute >= 0 && p.Minute <= 59 && p.Second >= 0 &&
           p.Second <= 59 && p.Millisecond >= 0 && p.Millisecond <= 999;
}

// Days since 1 January 1970 of a proleptic Gregorian date, in eras of 400 years.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, TDateTimeParts& p) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    p.Day = int(doy - (153 * mp + 2) / 5 + 1);
    p.Month = int(mp < 10 ? mp + 3 : mp - 9);
    p.Year = int(yoe + era * 400 + (p.Month <= 2));
}

// Whole days and milliseconds into the day, rounded to the millisecond.
void Split(TDateTime value, int64_t& days, int64_t& ms) {
    days = int64_t(std::floor(value));
    ms = std::llround((value - double(days)) * double(kMsPerDay));
    if (ms >= kMsPerDay) ++days, ms -= kMsPerDay;
}

// Digits at the given places and separators elsewhere, as the pattern shows them ('9' a digit).
bool Matches(const std::string& text, const char* pattern) {
    size_t i = 0;
    for (; pattern[i]; ++i) {
        if (i >= text.size()) return false;
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return false;
    }
    return i == text.size();
}

int Number(const std::string& text, size_t at, size_t count) {
    return std::stoi(text.substr(at, count));
}

} // namespace

TDateTime EncodeDateTime(const TDateTimeParts& p) {
    if (!ValidDate(p)) throw EConvertError("Invalid date");
    if (!ValidTime(p)) throw EConvertError("Invalid time");
    int64_t days = DaysFromCivil(p.Year, p.Month, p.Day) + kDaysBefore1970;
    int64_t ms = ((int64_t(p.Hour) * 60 + p.Minute) * 60 + p.Second) * 1000 + p.Millisecond;
    return double(days) + double(ms) / double(kMsPerDay);
}

TDateTimeParts DecodeDateTime(TDateTime value) {
    int64_t days, ms;
    Split(value, days, ms);
    TDateTimeParts p;
    CivilFromDays(days - kDaysBefore1970, p);
    p.Millisecond = int(ms % 1000);
    p.Second = int(ms / 1000 % 60);
    p.Minute = int(ms / 60000 % 60);
    p.Hour = int(ms / 3600000);
    return p;
}

int DayOfWeek(TDateTime value) {
    int64_t days, ms;
    Split(value, days, ms);
    return int(((days + 6) % 7 + 7) % 7); // the first day was a Saturday
}

std::string DateToText(TDateTime value) {
    TDateTimeParts p = DecodeDateTime(value);
    return Format("%04d-%02d-%02d", p.Year, p.Month, p.Day);
}

std::string TimeToText(TDateTime value) {
    TDateTimeParts p = DecodeDateTime(value);
    return Format("%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
}

TDateTime TextToDate(const std::string& text) {
    TDateTimeParts p;
    bool shaped = Matches(text, "9999-99-99");
    if (shaped) p.Year = Number(text, 0, 4), p.Month = Number(text, 5, 2), p.Day = Number(text, 8, 2);
    if (!shaped || !ValidDate(p)) throw EConvertError("'" + text + "' is not a valid date");
    return EncodeDateTime(p);
}

// The time of day alone: on day 0.
TDateTime TextToTime(const std::string& text) {
    TDateTimeParts p;
    bool shaped = Matches(text, "99:99:99");
    if (shaped) p.Hour = Number(text, 0, 2), p.Minute = Number(text, 3, 2), p.Second = Number(text, 6, 2);
    if (!shaped || !ValidTime(p)) throw EConvertError("'" + text + "' is not a valid time");
    return EncodeDateTime(p);
}
