// Clock-style time text: seconds to "h:mm:ss.s" and back.
#ifndef VELTO_TIMECONVERSIONS_H
#define VELTO_TIMECONVERSIONS_H

#include <cstddef>

// Longest text to_timestring writes, terminator excluded: 2^64 - 1 hours
// (20 digits) followed by ":59:59.99".
const size_t TIME_TEXT_MAX = 29;

// printf conversion of the seconds field of every time text.
extern char szTimeFormat[5];

// Digits after the point of a "%.Nf" conversion ("%f" alone has six).
int FormatDecimals(const char *fmt);

// Writes secs as time text into buf, the seconds in szTimeFormat.
void to_timestring(float secs, char *buf, size_t bufsize);

// Reads time text into seconds, rounded to four significant digits;
// exactly -1.0 for malformed text.
double atosecs(const char *time_string);

// Folds field values (most significant first) into seconds, base 60.
double secs(const double *times, int nfields);

#endif
