// Recalculation: pace, units and the three readout texts.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/pacemodel.h"
#include "model_reset.h"

static std::string shownPace, shownTime, shownDistance;
static int shows;

void ShowReadouts(const char *pace, const char *time, const char *distance)
{
    shownPace = pace;
    shownTime = time;
    shownDistance = distance;
    shows++;
}

namespace {

class Recalculation : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModel();
        shows = 0;
    }

    void Units(int distanceId, int splitId)
    {
        iUnitChecked = distanceId;
        dDistanceFactor = UnitFactor(distanceId);
        iSplitChecked = splitId;
        dSplitFactor = UnitFactor(splitId);
    }
};

TEST_F(Recalculation, InitialStateShowsZeros)
{
    EXPECT_EQ(dSplit, 1.0f);
    EXPECT_EQ(fMaxScrollMiles, 10.0f);
    EXPECT_EQ(fMaxScrollSecs, 5000.0f);
    EXPECT_EQ(iDistancePrecisionChecked, 124);
    EXPECT_EQ(iTargetPrecisionChecked, 128);
    ReCalc();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(shownPace, "0.0 /Mile");
    EXPECT_EQ(shownTime, "0.0");
    EXPECT_EQ(shownDistance, "0.00 Mi.");
}

TEST_F(Recalculation, WorkedExample)
{
    dDistance = 6.2137f;
    dTime = 2400;
    ReCalc();
    // 2400 / 6.2137 = 386.2433 s per mile
    EXPECT_NEAR(dPace, 386.2433, 1e-3);
    EXPECT_EQ(shownPace, "6:26.2 /Mile");
    EXPECT_EQ(shownTime, "40:00.0");
    EXPECT_EQ(shownDistance, "6.21 Mi.");

    Units(13, 19);  // 386.2433 / 1.609344 = 240.0005 s per km
    ReCalc();
    EXPECT_EQ(shownPace, "4:00.0 /Km");

    Units(14, 18);  // 6.2137 x 1.609344 = 9.99998 km
    ReCalc();
    EXPECT_EQ(shownDistance, "10.00 Km.");
    EXPECT_NEAR(dPace, 386.2433, 1e-3);  // still per mile: dSplit is 1

    snprintf(szDistanceFormat, sizeof szDistanceFormat, "%s", "%.1f");
    ReCalc();
    EXPECT_EQ(shownDistance, "10.0 Km.");
}

TEST_F(Recalculation, ZeroDistanceGivesZeroPaceInEveryPrecision)
{
    dTime = 1234;
    ReCalc();
    EXPECT_EQ(dPace, 0.0f);
    EXPECT_EQ(shownPace, "0.0 /Mile");
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.0f");
    ReCalc();
    EXPECT_EQ(shownPace, "0 /Mile");
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.2f");
    ReCalc();
    EXPECT_EQ(shownPace, "0.00 /Mile");
}

TEST_F(Recalculation, FactorsAreTheSinglePrecisionUnitsPerMile)
{
    EXPECT_EQ((double)UnitFactor(13), 1.0);
    EXPECT_EQ((double)UnitFactor(14), 1.6093440055847168);
    EXPECT_EQ((double)UnitFactor(15), 4.023359775543213);
    EXPECT_EQ((double)UnitFactor(16), 4.0);
    EXPECT_EQ((double)UnitFactor(17), 8.046719551086426);
    for (int k = 0; k < 5; k++)
        EXPECT_EQ(UnitFactor(13 + k), UnitFactor(18 + k));
    EXPECT_EQ(UnitFactor(12), 0.0f);
    EXPECT_EQ(UnitFactor(23), 0.0f);
}

TEST_F(Recalculation, EveryUnitWithItsSuffix)
{
    // One mile run in 400 s.
    dDistance = 1;
    dTime = 400;
    const char *distance[5] = {"1.00 Mi.", "1.61 Km.", "4.02 Laps", "4.00 Laps", "8.05 Laps"};
    // 400 / 1.609344 = 248.55; / 4.02336 = 99.419; / 4 = 100; / 8.04672 = 49.710
    const char *pace[5] = {"6:40.0 /Mile", "4:08.5 /Km", "1:39.4 /Lap", "1:40.0 /Lap", "49.7 /Lap"};
    for (int k = 0; k < 5; k++) {
        Units(13 + k, 18 + k);
        ReCalc();
        EXPECT_EQ(shownDistance, distance[k]) << "unit " << k;
        EXPECT_EQ(shownPace, pace[k]) << "unit " << k;
        EXPECT_EQ(shownTime, "6:40.0");
    }
}

TEST_F(Recalculation, QuarterMileLapDiffersFromFourHundredMetres)
{
    dDistance = 1;
    snprintf(szDistanceFormat, sizeof szDistanceFormat, "%s", "%.4f");
    Units(15, 18);
    ReCalc();
    EXPECT_EQ(shownDistance, "4.0234 Laps");
    Units(16, 18);
    ReCalc();
    EXPECT_EQ(shownDistance, "4.0000 Laps");
}

TEST_F(Recalculation, UnknownUnitIdsAppendNothing)
{
    dDistance = 2;
    dTime = 600;
    iUnitChecked = 0;
    iSplitChecked = 12;
    ReCalc();
    EXPECT_EQ(shownPace, "5:00.0");
    EXPECT_EQ(shownDistance, "2.00");
}

// Exact binary ties round to even, in the host and the Windows build alike.
TEST_F(Recalculation, DistanceTiesRoundToEven)
{
    dDistance = 0.125f;
    ReCalc();
    EXPECT_EQ(shownDistance, "0.12 Mi.");
    dDistance = 0.375f;
    ReCalc();
    EXPECT_EQ(shownDistance, "0.38 Mi.");
    snprintf(szDistanceFormat, sizeof szDistanceFormat, "%s", "%.1f");
    dDistance = 0.25f;
    ReCalc();
    EXPECT_EQ(shownDistance, "0.2 Mi.");
}

TEST_F(Recalculation, VanishingDistanceGivesAPaceNoClockShows)
{
    dTime = 2400;
    dDistance = 1e-45f;  // 2400 / 1.4e-45 is beyond the float range
    ReCalc();
    EXPECT_TRUE(std::isinf(dPace));
    EXPECT_EQ(shownPace, "infinite /Mile");
    EXPECT_EQ(shownTime, "40:00.0");
    EXPECT_EQ(shownDistance, "0.00 Mi.");

    dDistance = 1e-30f;  // 2.4e33 s is more than 2^64 hours
    ReCalc();
    EXPECT_EQ(shownPace, "too long /Mile");
}

TEST_F(Recalculation, LargestTextsFitTheirBuffers)
{
    // FLT_MAX x 8.04672 = 2.738e39: 40 digits, then ".0000 Laps".
    dDistance = FLT_MAX;
    Units(17, 18);
    snprintf(szDistanceFormat, sizeof szDistanceFormat, "%s", "%.4f");
    dTime = std::nextafter(3600.0f * 18446744073709551616.0f, 0.0f);
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.2f");
    ReCalc();
    EXPECT_EQ(shownDistance.size(), 50u);
    EXPECT_EQ(shownDistance.substr(40), ".0000 Laps");
    EXPECT_EQ(shownTime.size(), TIME_TEXT_MAX);
    EXPECT_LT(strlen(szDistance), sizeof szDistance);

    dDistance = 1;
    Units(13, 18);
    ReCalc();
    EXPECT_EQ(shownPace.size(), TIME_TEXT_MAX + strlen(" /Mile"));
    EXPECT_LT(strlen(szPace), sizeof szPace);
}

}  // namespace

namespace {

TEST(ScrollMapping, ValueToThumbDividesFirstAndTruncates)
{
    // A bar of 300 positions for 10 miles: 3.47 / 10 x 300 = 104.1, 3.43 gives 102.9.
    EXPECT_EQ(ScrollPosition(3.47f, 10, 300), 104);
    EXPECT_EQ(ScrollPosition(3.43f, 10, 300), 102);
    EXPECT_EQ(ScrollPosition(0.03f, 10, 300), 0);
    EXPECT_EQ(ScrollPosition(10, 10, 300), 300);
    EXPECT_EQ(ScrollPosition(0, 10, 300), 0);
    EXPECT_EQ(ScrollPosition(2400, 5000, 486), 233);  // 233.28
    // Beyond the maximum the position is passed on as computed: 9000 / 7200 x 400.
    EXPECT_EQ(ScrollPosition(9000, 7200, 400), 500);
}

TEST(ScrollMapping, NoDivisionByANonPositiveMaximumOrRange)
{
    EXPECT_EQ(ScrollPosition(5, 0, 300), 0);
    EXPECT_EQ(ScrollPosition(5, -10, 300), 0);
    EXPECT_EQ(ScrollPosition(5, NAN, 300), 0);
    EXPECT_EQ(ScrollPosition(5, 10, 0), 0);
    EXPECT_EQ(ScrollPosition(5, 10, -142), 0);
    EXPECT_EQ(ScrollPosition(NAN, 10, 300), 0);
    EXPECT_EQ(ScrollPosition(-1, 10, 300), 0);
}

TEST(ScrollMapping, PositionsBeyondAnIntAreHeldAtItsLargest)
{
    EXPECT_EQ(ScrollPosition(INFINITY, 10, 300), INT_MAX);
    EXPECT_EQ(ScrollPosition(FLT_MAX, 1e-30f, 300), INT_MAX);
    EXPECT_EQ(ScrollPosition(1e7f, 1, 300), INT_MAX);  // 3e9
}

}  // namespace
