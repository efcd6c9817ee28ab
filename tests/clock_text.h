// Clock text of a number of seconds, for the tests' expected values.
#ifndef VELTO_TEST_CLOCK_TEXT_H
#define VELTO_TEST_CLOCK_TEXT_H

#include <string>

#include "time/clocktext.h"

inline std::string Clock(long double seconds, int decimals = 1)
{
    char text[CLOCK_TEXT_SIZE];
    FormatClock(seconds, decimals, text, sizeof text);
    return text;
}

#endif
