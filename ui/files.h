// Files and system libraries, one way for all of Velto: a file read whole
// and one written whole or not at all, with the system's reason when
// either fails; a stream of exactly a file's bytes for the XML reader; and
// libraries loaded from the system folder only, never from beside Velto.
#ifndef VELTO_FILES_H
#define VELTO_FILES_H

#include <windows.h>
#include <objidl.h>  // IStream

#include <string>

// From now on every library this process loads by name comes from the
// system folder: a copy planted beside velto.exe is never taken.
void SafeLibrarySearch();
// A library of Windows, and a function of one, from the system folder.
HMODULE SystemLibrary(const wchar_t *name);
FARPROC SystemFunction(const wchar_t *library, const char *name);

// The whole of a file of at most `limit` bytes into *bytes: 0, the system's
// error, or ERROR_FILE_TOO_LARGE for a larger one.
DWORD ReadWhole(const char *path, unsigned long long limit, std::string *bytes);

// Writes a file whole or not at all: a new file in the same folder, flushed,
// then put in the place of the one named (keeping that file's attributes
// and permissions) or moved there: 0, or the system's error, and then the
// file named is as it was.
DWORD WriteWhole(const char *path, const char *text, size_t length);

// The system's words for an error, without the closing stop: "Access is denied".
void SystemReason(DWORD error, char *buf, DWORD size);

// A stream of exactly these bytes (a copy), for XmlLite; NULL if none can be made.
IStream *ByteStream(const std::string &bytes);

#endif
