// The one way the program tells the user that something went wrong.
#include <cstdarg>
#include <cstdio>

#include "ui/velto.h"

void myerror(const char *fmt, ...)
{
    char title[27];
    char buffer[256];
    snprintf(title, sizeof title, "%s", "Velto:  Error Notification");
    va_list args;
    va_start(args, fmt);
    vsnprintf(buffer, sizeof buffer, fmt, args);  // a longer message is cut
    va_end(args);
    // No owner: the main window goes on handling its messages meanwhile.
    MessageBoxA(NULL, buffer, title, MB_OK | MB_ICONERROR);
}
