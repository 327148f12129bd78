#include "DateUtils.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

TEST(DateUtils, DaysCountFromTheEndOf1899AcrossLeapRules) {
    EXPECT_EQ(EncodeDateTime({1899, 12, 30}), 0.0);
    EXPECT_EQ(EncodeDateTime({1900, 3, 1}), 61.0); // 1900 was no leap year
    EXPECT_EQ(EncodeDateTime({2000, 2, 29}), 36585.0);
    EXPECT_EQ(EncodeDateTime({1800, 1, 1}), -36522.0);
    EXPECT_EQ(EncodeDateTime({2024, 5, 17, 12, 0, 0, 0}), 45429.5);
    EXPECT_EQ(DayOfWeek(0), 6);       // a Saturday
    EXPECT_EQ(DayOfWeek(45429.9), 5); // a Friday, late in the day
    EXPECT_EQ(DayOfWeek(-1.5), 4);    // before the first day
    EXPECT_THROW(EncodeDateTime({2023, 2, 29}), EConvertError);
    EXPECT_THROW(EncodeDateTime({10000, 1, 1}), EConvertError);
    EXPECT_THROW(EncodeDateTime({2024, 1, 1, 24}), EConvertError);
}

TEST(DateUtils, DecodeRoundsToTheMillisecondAndCarriesIntoTheNextDay) {
    for (TDateTimeParts p : {TDateTimeParts{1, 1, 1}, TDateTimeParts{1752, 9, 14, 23, 59, 59, 999},
                             TDateTimeParts{9999, 12, 31, 13, 45, 7, 500}, TDateTimeParts{1899, 12, 29, 6}}) {
        TDateTimeParts back = DecodeDateTime(EncodeDateTime(p));
        EXPECT_EQ(DateToText(EncodeDateTime(back)), DateToText(EncodeDateTime(p)));
        EXPECT_EQ(back.Hour * 3600000 + back.Minute * 60000 + back.Second * 1000 + back.Millisecond,
                  p.Hour * 3600000 + p.Minute * 60000 + p.Second * 1000 + p.Millisecond);
    }
    TDateTimeParts late = DecodeDateTime(EncodeDateTime({2024, 12, 31}) + 0.9999999999);
    EXPECT_EQ(DateToText(EncodeDateTime(late)), "2025-01-01");
    EXPECT_EQ(late.Hour, 0);
}

TEST(DateUtils, TextIsIsoAndNothingElse) {
    EXPECT_EQ(TextToDate("2024-02-29"), EncodeDateTime({2024, 2, 29}));
    EXPECT_EQ(TextToTime("13:45:07"), EncodeDateTime({1899, 12, 30, 13, 45, 7}));
    EXPECT_EQ(DateToText(45429.75), "2024-05-17");
    EXPECT_EQ(TimeToText(45429.75), "18:00:00");
    for (const char* bad : {"2023-02-29", "2024-2-29", "2024-02-29 ", "24-02-29", "2024/02/29", ""})
        EXPECT_THROW(TextToDate(bad), EConvertError) << bad;
    for (const char* bad : {"24:00:00", "12:60:00", "1:00:00", "12:00", "ab:cd:ef"})
        EXPECT_THROW(TextToTime(bad), EConvertError) << bad;
}
