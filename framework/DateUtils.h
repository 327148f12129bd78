// Dates and times as one number, TDateTime: whole days since 30 December 1899 plus the time of day
// as the fraction (the day of a value is its floor). Portable: no Windows headers.
#pragma once

#include <cstdint>
#include <string>

using TDateTime = double;

struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// EConvertError "Invalid date" / "Invalid time" for values outside the calendar (years 1 to 9999)
// or the day.
TDateTime EncodeDateTime(const TDateTimeParts& parts);
// To the nearest millisecond.
TDateTimeParts DecodeDateTime(TDateTime value);
// 0 for Sunday.
int DayOfWeek(TDateTime value);

// "2024-05-17" and "13:45:00"; reading refuses anything else with EConvertError
// "'text' is not a valid date" (or time).
std::string DateToText(TDateTime value);
std::string TimeToText(TDateTime value);
TDateTime TextToDate(const std::string& text);
TDateTime TextToTime(const std::string& text);
