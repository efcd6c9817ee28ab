// Reading the numbers a user types into the distance field and the two
// resolution dialogs (the time text is read by atosecs).
#ifndef VELTO_ENTRY_H
#define VELTO_ENTRY_H

// The distance field: its first number free of the suffix letters " MKL",
// in the shown unit (`factor` units a mile), as miles. -1 when the number
// is negative, not finite, or above `maximum` miles.
float ReadDistance(const char *text, float factor, float maximum);

// The distance-resolution field: the whole number at the start of the text
// goes to *number; the result is that number as an int, or 0 where it does
// not fit one.
int ReadWholeMiles(const char *text, long long *number);

#endif
