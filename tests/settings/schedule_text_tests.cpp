#include "sheet/schedule_text.h"

#include "settings/scheduled_task.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned long kMinutes = 0, kHours = 1, kDays = 2;

TEST(ScheduleTextTest, APeriodIsTakenOnlyAsTheNumberItWritesBackAs)
{
    EXPECT_EQ(0ul, ParsePeriodCount("0", kMinutes));
    EXPECT_EQ(2ul, ParsePeriodCount("2", kHours));
    EXPECT_EQ(120ul, ParsePeriodCount("120", kMinutes));
    for (const char* refused : {"12a", "-1", "", " 12", "12 ", "007", "+5", "1.5", "0x10", "-0"})
        EXPECT_FALSE(ParsePeriodCount(refused, kMinutes)) << '"' << refused << '"';
}

TEST(ScheduleTextTest, APeriodWhoseMinutesDoNotFitIsRefusedLikeAWrongText)
{
    // Ten years is the longest period the search module runs.
    EXPECT_EQ(3660ul, ParsePeriodCount("3660", kDays));
    EXPECT_EQ(kLongestPeriodMinutes, PeriodMinutes(3660, kDays));
    EXPECT_FALSE(ParsePeriodCount("3661", kDays));
    // Days times 1440 past 32 bits, and counts past 32 bits themselves.
    EXPECT_FALSE(ParsePeriodCount("2982617", kDays));
    EXPECT_FALSE(ParsePeriodCount("4294967297", kMinutes));
    EXPECT_FALSE(ParsePeriodCount("99999999999999999999", kMinutes));
    EXPECT_FALSE(ParsePeriodCount("1", 3));   // no such unit
}

TEST(ScheduleTextTest, TheTimePickerShowsTheLocaleFormatWithoutSeconds)
{
    EXPECT_EQ("h:mm tt", TimeFormatWithoutSeconds("h:mm:ss tt"));
    EXPECT_EQ("HH:mm", TimeFormatWithoutSeconds("HH:mm:ss"));
    EXPECT_EQ("tt h:mm", TimeFormatWithoutSeconds("tt h:mm:ss"));
    EXPECT_EQ("H.mm", TimeFormatWithoutSeconds("H.mm.s"));
    EXPECT_EQ("HH'h'mm'm'", TimeFormatWithoutSeconds("HH'h'mm'm'ss"));
    EXPECT_EQ("HH:mm 'secs'", TimeFormatWithoutSeconds("HH:mm 'secs'"));
    EXPECT_EQ("mm", TimeFormatWithoutSeconds("ss:mm"));
}

} // namespace
