#include "model_reset.h"

#include <cstdio>

#include "model/pacemodel.h"

void ResetModel()
{
    dDistance = 0;
    dTime = 0;
    dPace = 0;
    dDistanceFactor = 1.0f;
    dSplitFactor = 1.0f;
    iUnitChecked = 13;
    iSplitChecked = 18;
    fMaxScrollMiles = 10.0f;
    fMaxScrollSecs = 5000.0f;
    snprintf(szDistanceFormat, sizeof szDistanceFormat, "%s", "%.2f");
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.1f");
    iDistancePrecisionChecked = 124;
    iTargetPrecisionChecked = 128;
    snprintf(szDistance, sizeof szDistance, "%s", "0");
    snprintf(szTime, sizeof szTime, "%s", "0.0");
    szPace[0] = '\0';
}
