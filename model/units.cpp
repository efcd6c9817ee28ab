#include "model/units.h"

#include <cstring>

#include "ui/resource.h"  // the radios' ids, shared with the resources

const UnitInfo UNIT_TABLE[UNITS] = {
    {1609.344L, 1.0f, "Mile", " Mi.", " /Mile", " /Mile", "per Mile", "mi", "mi", "ft"},
    {1000.0L, 1.609344f, "Km", " Km.", " /Km", " /Km", "per Km", "km", "km", "m"},
    {400.0L, 4.02336f, "400m", " Laps", " /Lap", " /400m", "per 400m", "laps of 400 m", "laps", "m"},
    {402.336L, 4.0f, "440y", " Laps", " /Lap", " /440y", "per 440y", "laps of 440 y", "laps", "m"},
    {200.0L, 8.04672f, "200m", " Laps", " /Lap", " /200m", "per 200m", "laps of 200 m", "laps", "m"},
};

const char *const szPaceKindNames[PACE_KINDS] = {
    UNIT_TABLE[UNIT_MILE].perName, UNIT_TABLE[UNIT_KM].perName,   UNIT_TABLE[UNIT_400M].perName,
    UNIT_TABLE[UNIT_440Y].perName, UNIT_TABLE[UNIT_200M].perName, "km/h",
    "mph"};

long double HeightUnitMetres(int unit)
{
    return unit >= 0 && unit < UNITS && !strcmp(UNIT_TABLE[unit].height, "ft") ? FOOT_METRES : 1;
}

static int Radio(int first, int unit)
{
    return unit >= 0 && unit < UNITS ? first + unit : -1;
}

static int OfRadio(int first, int id)
{
    return id >= first && id < first + UNITS ? id - first : -1;
}

int DistanceRadio(int unit)
{
    return Radio(IDC_DISTANCE_MILE, unit);
}

int SplitRadio(int unit)
{
    return Radio(IDC_SPLIT_MILE, unit);
}

int UnitOfDistanceRadio(int id)
{
    return OfRadio(IDC_DISTANCE_MILE, id);
}

int UnitOfSplitRadio(int id)
{
    return OfRadio(IDC_SPLIT_MILE, id);
}
