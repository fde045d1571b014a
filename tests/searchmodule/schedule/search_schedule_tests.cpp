#include "search_schedule.h"

#include "logging/logging.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

std::time_t Local(int year, int month, int day, int hour, int minute, int second = 0)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

using Tasks = std::vector<ScheduledTask>;

class SearchScheduleTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox;
    BrandingLoaded branding;
    SearchSchedule schedule;

    RegKey User() { return RegKey::CURRENT_USER.CreateKey(kProductKey); }
    std::string Text(const char* name) { return User().QueryStringValue(name); }
    unsigned long Number(const char* name) { return User().QueryDWORDValue(name); }

    // The quick search on, every `minutes`, next at `nextEvent`, as the settings program saves it.
    void QuickSearchEvery(unsigned long minutes, const std::string& nextEvent)
    {
        RegKey user = User();
        user.SetDWORDValue("Background Process", 1);
        user.SetDWORDValue("Auto-Refresh", 1);
        user.SetDWORDValue("Auto-Refresh Timer Value", minutes);
        user.SetStringValue("Auto-Refresh Next Event", nextEvent);
    }
};

TEST_F(SearchScheduleTest, ARunIsDueAtItsNextEventAndOwedUntilDone)
{
    QuickSearchEvery(60, "2026 6 10 12 0");
    schedule.Reload(Local(2026, 6, 10, 11, 59, 30));
    EXPECT_TRUE(schedule.BackgroundEnabled());
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 11, 59, 30)));
    EXPECT_EQ(30000u, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 11, 59, 30)));
    EXPECT_EQ(SearchSchedule::kLongestWait, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 9, 0)));

    EXPECT_EQ(Tasks{ScheduledTask::QuickSearch}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 0)));
    EXPECT_EQ("2026 6 10 13 0", Text("Auto-Refresh Next Event"));
    EXPECT_EQ(1u, Number("MustRefresh"));
    // Handed out once: the same moment gives nothing more, and a reload does not re-arm it.
    schedule.Reload(Local(2026, 6, 10, 12, 0, 10));
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 0, 20)));

    schedule.MarkDone(ScheduledTask::QuickSearch);
    EXPECT_EQ(0u, Number("MustRefresh"));
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 30)));
    EXPECT_EQ(Tasks{ScheduledTask::QuickSearch}, schedule.TakeDueTasks(Local(2026, 6, 10, 13, 0)));
}

TEST_F(SearchScheduleTest, AnEventMissedWhileNotRunningRunsOnceAndKeepsItsPhase)
{
    QuickSearchEvery(60, "2026 6 10 12 0");
    schedule.Reload(Local(2026, 6, 10, 17, 20));
    EXPECT_EQ(0u, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 17, 20)));
    EXPECT_EQ(Tasks{ScheduledTask::QuickSearch}, schedule.TakeDueTasks(Local(2026, 6, 10, 17, 20)));
    EXPECT_EQ("2026 6 10 18 0", Text("Auto-Refresh Next Event"));
    schedule.MarkDone(ScheduledTask::QuickSearch);
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 17, 21)));
}

TEST_F(SearchScheduleTest, ARunOwedByAnEarlierSessionRunsAtStart)
{
    RegKey user = User();
    user.SetDWORDValue("Auto-Rescan", 1);
    user.SetDWORDValue("Auto-Rescan Timer Value", 1440);
    user.SetStringValue("Auto-Rescan Next Event", "2026 6 11 3 0");
    user.SetDWORDValue("MustRescan", 1);
    // No "Background Process": a profile without it runs what is switched on.
    schedule.Reload(Local(2026, 6, 10, 17, 20));
    EXPECT_TRUE(schedule.BackgroundEnabled());
    EXPECT_EQ(Tasks{ScheduledTask::FullSearch}, schedule.TakeDueTasks(Local(2026, 6, 10, 17, 20)));
    EXPECT_EQ("2026 6 11 3 0", Text("Auto-Rescan Next Event"));
}

TEST_F(SearchScheduleTest, ARunThatCouldNotStartIsHandedOutAgainAMinuteLater)
{
    RegKey user = User();
    user.SetDWORDValue("Auto-Update Public", 1);
    user.SetDWORDValue("Auto-Update Public Timer Value", 120);
    user.SetStringValue("Auto-Update Public Next Event", "2026 6 10 12 0");
    schedule.Reload(Local(2026, 6, 10, 12, 0));
    EXPECT_EQ(Tasks{ScheduledTask::UpdatePublic}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 0)));
    schedule.MarkNotStarted(ScheduledTask::UpdatePublic, Local(2026, 6, 10, 12, 0));
    EXPECT_EQ(1u, Number("MustUpdatePublic"));
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 0, 30)));
    EXPECT_EQ(30000u, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 12, 0, 30)));
    EXPECT_EQ(Tasks{ScheduledTask::UpdatePublic}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 1)));
    EXPECT_EQ("2026 6 10 14 0", Text("Auto-Update Public Next Event"));
    schedule.MarkDone(ScheduledTask::UpdatePublic);
    EXPECT_EQ(0u, Number("MustUpdatePublic"));
}

TEST_F(SearchScheduleTest, ASearchStillRunningCoversTheEventsThatPass)
{
    QuickSearchEvery(60, "2026 6 10 12 0");
    schedule.Reload(Local(2026, 6, 10, 12, 0));
    EXPECT_EQ(Tasks{ScheduledTask::QuickSearch}, schedule.TakeDueTasks(Local(2026, 6, 10, 12, 0)));
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 13, 5)));
    EXPECT_EQ("2026 6 10 14 0", Text("Auto-Refresh Next Event"));
    // Not a busy loop while it runs on.
    EXPECT_EQ(SearchSchedule::kLongestWait, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 13, 5)));
}

TEST_F(SearchScheduleTest, SwitchedOffRunsNothingAndOwesNothing)
{
    QuickSearchEvery(60, "2026 6 10 12 0");
    User().SetDWORDValue("Auto-Refresh", 0);
    User().SetDWORDValue("MustRefresh", 1);
    schedule.Reload(Local(2026, 6, 10, 17, 0));
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 17, 0)));
    EXPECT_EQ(SearchSchedule::kNothingScheduled, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 17, 0)));
    EXPECT_EQ(0u, Number("MustRefresh"));

    // Background searching off stops every run, whatever the switches say.
    QuickSearchEvery(60, "2026 6 10 12 0");
    User().SetDWORDValue("Background Process", 0);
    schedule.Reload(Local(2026, 6, 10, 17, 0));
    EXPECT_FALSE(schedule.BackgroundEnabled());
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 17, 0)));
    EXPECT_EQ(SearchSchedule::kNothingScheduled, schedule.MillisecondsUntilNext(Local(2026, 6, 10, 17, 0)));

    // No settings at all.
    RegKey::CURRENT_USER.DeleteKey(kProductKey);
    schedule.Reload(Local(2026, 6, 10, 17, 0));
    EXPECT_FALSE(schedule.BackgroundEnabled());
    EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(Local(2026, 6, 10, 17, 0)));
}

TEST_F(SearchScheduleTest, ADamagedOrMissingNextEventIsComputedFromNow)
{
    const std::time_t now = Local(2026, 6, 10, 9, 15, 42);
    for (const std::string damaged : {"", "garbage", "2026 2 31 10 0", "1900 1 1 0 0", "9999 1 1 0 0",
                                      "2026 6 10 12", "2026 6 10 12 0 7", "2026 -6 10 12 0", "2026 6 10 24 0",
                                      "2026 6 10 12 60", "2026 6 10 12 0x"}) {
        SCOPED_TRACE("next event \"" + damaged + "\"");
        QuickSearchEvery(30, damaged);
        schedule.Reload(now);
        EXPECT_EQ("2026 6 10 9 45", Text("Auto-Refresh Next Event"));
        EXPECT_EQ(Tasks{}, schedule.TakeDueTasks(now));
        EXPECT_EQ(Tasks{ScheduledTask::QuickSearch}, schedule.TakeDueTasks(Local(2026, 6, 10, 9, 45)));
        schedule.MarkDone(ScheduledTask::QuickSearch);
    }
    // Of another type altogether.
    QuickSearchEvery(30, "");
    User().SetDWORDValue("Auto-Refresh Next Event", 7);
    schedule.Reload(now);
    EXPECT_EQ("2026 6 10 9 45", Text("Auto-Refresh Next Event"));

    // A refused value leaves a trace in the log.
    TempDirectory folder;
    RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder.Path());
    Logging::LogIndicator = 1;
    QuickSearchEvery(30, "2026 13 1 0 0");
    schedule.Reload(now);
    Logging::LogIndicator = 0;
    EXPECT_NE(std::string::npos, ReadWholeFile(Logging::LogFilePath()).find("\"2026 13 1 0 0\""));
}

TEST_F(SearchScheduleTest, ThePeriodIsTheStoredMinutesElseCountTimesUnitElseOff)
{
    const std::time_t now = Local(2026, 6, 10, 9, 0);
    const struct {
        const char* what;
        const char* minutes;   // "-" absent, "text" of the wrong type
        unsigned long count, unit;
        const char* next;      // "" nothing scheduled
    } cases[] = {
        {"stored minutes win", "30", 2, 2, "2026 6 10 9 30"},
        {"two hours", "-", 2, 1, "2026 6 10 11 0"},
        {"two days", "-", 2, 2, "2026 6 12 9 0"},
        {"zero minutes", "0", 2, 1, ""},
        {"minus one", "4294967295", 2, 1, ""},
        {"minutes as text", "text", 2, 7, ""},
        {"unknown unit", "-", 5, 3, ""},
        {"zero count", "-", 0, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QuickSearchEvery(0, "");
        RegKey user = User();
        if (std::string(c.minutes) == "-")
            user.DeleteValue("Auto-Refresh Timer Value");
        else if (std::string(c.minutes) == "text")
            user.SetStringValue("Auto-Refresh Timer Value", "60");
        else
            user.SetDWORDValue("Auto-Refresh Timer Value", std::stoul(c.minutes));
        user.SetDWORDValue("Auto-Refresh Time", c.count);
        user.SetDWORDValue("Auto-Refresh Time Unit", c.unit);
        user.DeleteValue("Auto-Refresh Next Event");
        schedule.Reload(now);
        if (*c.next) {
            EXPECT_EQ(c.next, Text("Auto-Refresh Next Event"));
        } else {
            EXPECT_FALSE(user.ValueExists("Auto-Refresh Next Event"));
            EXPECT_EQ(SearchSchedule::kNothingScheduled, schedule.MillisecondsUntilNext(now));
        }
        RegKey::CURRENT_USER.DeleteKey(kProductKey);
    }
}

} // namespace
