// The runner's tools, against values worked by hand.
#include <gtest/gtest.h>

#include <string>

#include "model/tools.h"
#include "model_reset.h"
#include "time/timeconversions.h"

namespace {

const float KM = 1.609344f;

std::string Row(const SplitPlan &plan, long long k)
{
    char unit[SPLIT_UNIT_SIZE], time[TIME_TEXT_MAX + 1];
    SplitRow(plan, k, unit, sizeof unit, time, sizeof time);
    return std::string(unit) + " " + time;
}

std::string Clock(long double seconds)
{
    char text[TIME_TEXT_MAX + 1];
    to_timestring((float)seconds, text, sizeof text);
    return text;
}

// 26.22 miles are 42.197 km: 42 whole kilometres and the finish.
TEST(Splits, MarathonInThreeAndAHalfHoursByKilometreAndByMile)
{
    ResetModel();
    SplitPlan plan;
    ASSERT_TRUE(PlanSplits(26.22f, 12600, KM, &plan));
    EXPECT_EQ(plan.rows, 43);
    EXPECT_EQ(Row(plan, 9), "10 49:46.0");  // 12600 x 10 / 42.197 = 2985.99 s
    EXPECT_EQ(Row(plan, 42), "42.20 3:30:00.0");
    ASSERT_TRUE(PlanSplits(26.22f, 12600, 1.0f, &plan));
    EXPECT_EQ(plan.rows, 27);
    EXPECT_EQ(Row(plan, 25), "26 3:28:14.3");  // 12600 x 26 / 26.22 = 12494.28 s
    EXPECT_EQ(Row(plan, 26), "26.22 3:30:00.0");
}

// 10 km is 9.9999998 km in floats, yet ten whole rows and no finish row.
TEST(Splits, WholeDistanceEndsOnItsLastUnit)
{
    ResetModel();
    SplitPlan plan;
    ASSERT_TRUE(PlanSplits(10 / KM, 2700, KM, &plan));
    EXPECT_EQ(plan.rows, 10);
    EXPECT_EQ(Row(plan, 0), "1 4:30.0");
    EXPECT_EQ(Row(plan, 9), "10 45:00.0");
    ASSERT_TRUE(PlanSplits(1e-30f, 2700, KM, &plan));  // less than a unit: the finish alone
    EXPECT_EQ(plan.rows, 1);
    EXPECT_FALSE(PlanSplits(0, 2700, KM, &plan));
    EXPECT_FALSE(PlanSplits(6.2f, 0, KM, &plan));
}

// 1000 miles are 8046.72 laps of 200 m; two billion miles stay within
// 10,000 rows, every n-th lap, and end at the finish.
TEST(Splits, KeptToTenThousandRows)
{
    ResetModel();
    SplitPlan plan;
    ASSERT_TRUE(PlanSplits(1000, 360000, 8.04672f, &plan));
    EXPECT_EQ(plan.every, 1);
    EXPECT_EQ(plan.rows, 8047);
    ASSERT_TRUE(PlanSplits(2e9f, 3.6e8f, 8.04672f, &plan));
    EXPECT_GT(plan.every, 1);
    EXPECT_LE(plan.rows, SPLIT_ROWS_MAX);
    EXPECT_EQ(Row(plan, plan.rows - 1).substr(0, 6), "160934");  // 1.609344e10 laps
}

// 20:00 for 5 K: 1200 x (42.195 / 5)^1.06 = 11509.3 s for the marathon.
TEST(Prediction, RiegelFromTwentyMinutesForFiveK)
{
    ResetModel();
    EXPECT_EQ(Clock(PredictSeconds(5 / KM, 1200, fRaceMiles[RACE_MARATHON])), "3:11:49.3");
    EXPECT_EQ(Clock(PredictSeconds(5 / KM, 1200, fRaceMiles[RACE_5K])), "20:00.0");
    EXPECT_EQ(PredictSeconds(0, 1200, fRaceMiles[RACE_MARATHON]), 0);
    EXPECT_FALSE(WithinRiegelRange(209));
    EXPECT_TRUE(WithinRiegelRange(210));
    EXPECT_TRUE(WithinRiegelRange(4 * 3600));
    EXPECT_FALSE(WithinRiegelRange(4 * 3600 + 1));
}

TEST(TimeFromPace, FourThirtyPerKilometreOverTenKilometres)
{
    ResetModel();
    EXPECT_EQ(Clock(TimeFromPace(270, 10 / KM, KM)), "45:00.0");
    EXPECT_EQ(Clock(TimeFromPace(480, 26.22f, 1.0f)), "3:29:45.6");  // 8:00 x 26.22
}

}  // namespace
