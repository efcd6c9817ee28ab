// Clock text for the runner's tools, exact: what is typed keeps every
// decimal (no four-digit rounding), and what is shown is rounded once.
#ifndef VELTO_CLOCKTEXT_H
#define VELTO_CLOCKTEXT_H

#include <cstddef>

// How an entry of the tools read.
enum Reading { READ_OK, READ_EMPTY, READ_ZERO, READ_BAD };

// Longest clock text, terminator included: 2^64 - 1 hours, ":59:59.9".
const size_t CLOCK_TEXT_SIZE = 32;

// Seconds, minutes:seconds or hours:minutes:seconds, blanks around it
// allowed, one decimal point (or comma) in the whole text, fields of any size ("1:75"
// is 135 s); anything after a blank or a '/' is a unit and not read
// ("8:00.0 /Mile"). READ_ZERO for 0, READ_EMPTY for nothing.
Reading ReadClock(const char *text, long double *seconds);

// A plain decimal number (a distance, a speed, a percentage), read the same
// way: digits and one point, then an optional unit after a blank.
Reading ReadAmount(const char *text, long double *value);

// Seconds as h:mm:ss.d, m:ss.d or s.d with `decimals` decimals (0 to 3),
// rounded once; "infinite", "too long" or "invalid" where no clock fits.
void FormatClock(long double seconds, int decimals, char *buf, size_t size);

// The same always with hours, "0:00:57.1": a spreadsheet reads a column of
// them as times.
void FormatClockHours(long double seconds, int decimals, char *buf, size_t size);

// Seconds in words, for what an entry was read as: "3 h 29 min 45.6 s".
void FormatClockWords(long double seconds, char *buf, size_t size);

#endif
