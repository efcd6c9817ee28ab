#include "time/clocktext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Longer than any number a runner types; a longer token is not read.
static const size_t TOKEN_MAX = 40;

// The token: from the first non-blank up to a blank, a '/' or the end.
static size_t Token(const char *text, const char **start)
{
    while (*text == ' ' || *text == '\t')
        text++;
    *start = text;
    return strcspn(text, " \t/");
}

// Digits with at most one point in the token; `colons` of them may part it.
static Reading ReadFields(const char *text, int colonsAllowed, long double *value)
{
    const char *token;
    size_t length = Token(text, &token);
    if (length == 0)
        return READ_EMPTY;
    if (length > TOKEN_MAX)
        return READ_BAD;
    char field[TOKEN_MAX + 1];
    size_t used = 0;
    int colons = 0, points = 0, digits = 0;
    long double total = 0;
    for (size_t k = 0; k <= length; k++) {
        char c = k < length ? token[k] : ':';  // the end closes the last field
        if (c == ':') {
            if (k < length && ++colons > colonsAllowed)
                return READ_BAD;
            field[used] = '\0';
            total = total * 60 + (used ? strtold(field, nullptr) : 0);
            used = 0;
            continue;
        }
        if (c == '.' || c == ',') {  // half of Europe types a decimal comma
            c = '.';
            points++;
        } else if (c >= '0' && c <= '9')
            digits++;
        else
            return READ_BAD;
        if (points > 1)
            return READ_BAD;
        field[used++] = c;
    }
    if (digits == 0)
        return READ_BAD;  // ".", ":" and the like
    *value = total;
    return total > 0 ? READ_OK : READ_ZERO;
}

Reading ReadClock(const char *text, long double *seconds)
{
    return ReadFields(text, 2, seconds);
}

Reading ReadAmount(const char *text, long double *value)
{
    return ReadFields(text, 0, value);
}

// `hours`: h:mm:ss even under an hour, one format for a whole column.
static void Format(long double seconds, int decimals, bool hours, char *buf, size_t size)
{
    if (std::isnan(seconds) || seconds < 0) {
        snprintf(buf, size, "%s", "invalid");
        return;
    }
    if (std::isinf(seconds)) {
        snprintf(buf, size, "%s", "infinite");
        return;
    }
    if (decimals < 0)
        decimals = 0;
    if (decimals > 3)
        decimals = 3;
    unsigned scale = 1;
    for (int d = 0; d < decimals; d++)
        scale *= 10;
    // Rounded once, to the last decimal shown, before the split: 59.96 s is
    // 1:00.0, never 60.0.
    long double ticks = roundl(seconds * scale);
    if (ticks / scale / 3600 >= 18446744073709551616.0L) {
        snprintf(buf, size, "%s", "too long");
        return;
    }
    unsigned __int128 t = (unsigned __int128)ticks;
    unsigned __int128 whole = t / scale;
    unsigned fraction = (unsigned)(t % scale);
    unsigned long long hh = (unsigned long long)(whole / 3600);
    unsigned mm = (unsigned)(whole % 3600 / 60), ss = (unsigned)(whole % 60);
    char tail[8] = "";
    if (decimals > 0)
        snprintf(tail, sizeof tail, ".%0*u", decimals, fraction);
    if (hh > 0 || hours)
        snprintf(buf, size, "%llu:%02u:%02u%s", hh, mm, ss, tail);
    else if (mm > 0)
        snprintf(buf, size, "%u:%02u%s", mm, ss, tail);
    else
        snprintf(buf, size, "%u%s", ss, tail);
}

void FormatClock(long double seconds, int decimals, char *buf, size_t size)
{
    Format(seconds, decimals, false, buf, size);
}

void FormatClockHours(long double seconds, int decimals, char *buf, size_t size)
{
    Format(seconds, decimals, true, buf, size);
}

void FormatClockWords(long double seconds, char *buf, size_t size)
{
    if (!(seconds >= 0) || !std::isfinite(seconds) || seconds >= 3600.0L * 1e15L) {
        FormatClock(seconds, 1, buf, size);
        return;
    }
    long double ms = roundl(seconds * 1000);
    unsigned long long whole = (unsigned long long)(ms / 1000);
    long double rest = (ms - (long double)whole * 1000) / 1000 + whole % 60;
    char secs[16];
    snprintf(secs, sizeof secs, "%.3f", (double)rest);
    // Trailing zeros go, but one decimal stays: 4.300 is 4.3, 34.000 is 34.0.
    for (size_t n = strlen(secs); n > 2 && secs[n - 1] == '0' && secs[n - 2] != '.'; n--)
        secs[n - 1] = '\0';
    unsigned long long hh = whole / 3600;
    unsigned mm = (unsigned)(whole % 3600 / 60);
    if (hh > 0)
        snprintf(buf, size, "%llu h %u min %s s", hh, mm, secs);
    else if (mm > 0)
        snprintf(buf, size, "%u min %s s", mm, secs);
    else
        snprintf(buf, size, "%s s", secs);
}
