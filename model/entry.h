// Reading the numbers a user types into the distance field and the two
// resolution dialogs (the time text is read by atosecs).
#ifndef VELTO_ENTRY_H
#define VELTO_ENTRY_H

// The distance field: its first number free of the suffix letters " MKL",
// in the shown unit (`factor` units a mile), as miles. -1 when the number
// is negative, not finite, or above `maximum` miles. A number above the
// maximum by no more than half of the last of `decimals` shown decimals is
// the maximum as shown, and gives `maximum`.
float ReadDistance(const char *text, float factor, float maximum, int decimals);

// The time field: its seconds as atosecs reads them, or -1 when the text is
// malformed or above `maximum`; as the distance, a time above it by no more
// than half of the last of `decimals` shown decimals gives `maximum`.
float ReadTime(const char *text, float maximum, int decimals);

// The distance-resolution field: the whole number at the start of the text
// goes to *number; the result is that number as an int, or 0 where it does
// not fit one.
int ReadWholeMiles(const char *text, long long *number);

#endif
