// A course from a file: a GPX track or route, read with the system's own
// XML reader (XmlLite, loaded on first use), or a CSV of distance and
// height. The whole file is read once, when it is chosen; a file over 50 MB
// is refused before that.
#include <windows.h>
#include <initguid.h>  // IID_IXmlReader, defined here
#include <xmllite.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "ui/tools.h"

static const LONGLONG COURSE_FILE_MAX = 50LL * 1024 * 1024;

using CreateReader = HRESULT(WINAPI *)(REFIID, void **, IMalloc *);
using CreateStream = HRESULT(WINAPI *)(HGLOBAL, BOOL, IStream **);

// A number of an attribute or a text node, or NaN. The usual form, a sign,
// digits and a point, is read here (a course has hundreds of thousands of
// them, and the C library's reading is slow); any other goes to wcstold.
static long double WideNumber(const wchar_t *text)
{
    const wchar_t *c = text;
    while (*c == L' ' || *c == L'\t' || *c == L'\r' || *c == L'\n')
        c++;
    bool negative = *c == L'-';
    if (*c == L'-' || *c == L'+')
        c++;
    unsigned long long mantissa = 0;
    int digits = 0, decimals = -1;
    for (; (*c >= L'0' && *c <= L'9') || (*c == L'.' && decimals < 0); c++) {
        if (*c == L'.')
            decimals = 0;
        else if (++digits <= 19) {
            mantissa = mantissa * 10 + (unsigned long long)(*c - L'0');
            if (decimals >= 0)
                decimals++;
        }
    }
    const wchar_t *rest = c;
    while (*rest == L' ' || *rest == L'\t' || *rest == L'\r' || *rest == L'\n')
        rest++;
    if (digits > 0 && digits <= 19 && *rest == L'\0') {
        static const long double tens[20] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                             1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
        long double value = (long double)mantissa / tens[decimals > 0 ? decimals : 0];
        return negative ? -value : value;
    }
    wchar_t *end;
    long double value = wcstold(text, &end);
    while (*end == L' ' || *end == L'\t' || *end == L'\r' || *end == L'\n')
        end++;
    return end != text && *end == L'\0' ? value : NAN;
}

// A point's latitude and longitude, NaN where it has none: its attributes
// gone through once, quicker than looked up by name.
static void Position(IXmlReader *reader, long double *lat, long double *lon)
{
    *lat = *lon = NAN;
    for (HRESULT at = reader->MoveToFirstAttribute(); at == S_OK; at = reader->MoveToNextAttribute()) {
        const wchar_t *name = NULL, *value = NULL;
        if (FAILED(reader->GetLocalName(&name, NULL)) || FAILED(reader->GetValue(&value, NULL)) || !name || !value)
            continue;
        if (!wcscmp(name, L"lat"))
            *lat = WideNumber(value);
        else if (!wcscmp(name, L"lon"))
            *lon = WideNumber(value);
    }
    reader->MoveToElement();
}

// The points of the GPX in `memory`: those of its tracks, or where it has
// none those of its routes, each segment after the one before.
static bool ReadGpx(HGLOBAL memory, CourseBuilder *tracks, CourseBuilder *routes, char *why, size_t size)
{
    static CreateReader createReader;
    static CreateStream createStream;
    if (!createReader) {
        HMODULE xml = LoadLibraryW(L"xmllite.dll"), ole = LoadLibraryW(L"ole32.dll");
        createReader = reinterpret_cast<CreateReader>(
            reinterpret_cast<void *>(xml ? GetProcAddress(xml, "CreateXmlReader") : NULL));
        createStream = reinterpret_cast<CreateStream>(
            reinterpret_cast<void *>(ole ? GetProcAddress(ole, "CreateStreamOnHGlobal") : NULL));
    }
    IStream *stream = NULL;
    IXmlReader *reader = NULL;
    if (!createReader || !createStream || FAILED(createStream(memory, FALSE, &stream)) ||
        FAILED(createReader(IID_IXmlReader, reinterpret_cast<void **>(&reader), NULL))) {
        if (stream)
            stream->Release();
        snprintf(why, size, "%s", "Windows' XML reader (xmllite.dll) could not be loaded");
        return false;
    }
    // A GPX needs no DTD, and a hostile file must not expand entities.
    reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    reader->SetInput(stream);
    BeginCourse(tracks);
    BeginCourse(routes);
    CourseBuilder *point = NULL;   // inside a point: the builder it goes to
    CourseBuilder *failed = NULL;  // the one that refused a point
    long double lat = 0, lon = 0, ele = NAN;
    bool inEle = false, good = true, elements = false;
    XmlNodeType type;
    HRESULT result = S_OK;
    while (good && (result = reader->Read(&type)) == S_OK) {
        const wchar_t *name = NULL;
        if (type == XmlNodeType_Element) {
            elements = true;
            reader->GetLocalName(&name, NULL);
            bool empty = reader->IsEmptyElement();
            if (!wcscmp(name, L"trkpt") || !wcscmp(name, L"rtept")) {
                point = name[0] == L't' ? tracks : routes;
                Position(reader, &lat, &lon);
                ele = NAN;
                if (empty) {
                    good = AddGeoPoint(point, lat, lon, ele);
                    failed = good ? NULL : point;
                    point = NULL;
                }
            } else if (point && !wcscmp(name, L"ele")) {
                inEle = !empty;
            }
        } else if (type == XmlNodeType_Text && inEle) {
            const wchar_t *value = NULL;
            reader->GetValue(&value, NULL);
            ele = value ? WideNumber(value) : NAN;
        } else if (type == XmlNodeType_EndElement) {
            reader->GetLocalName(&name, NULL);
            if (!wcscmp(name, L"ele")) {
                inEle = false;
            } else if (point && (!wcscmp(name, L"trkpt") || !wcscmp(name, L"rtept"))) {
                good = AddGeoPoint(point, lat, lon, ele);
                failed = good ? NULL : point;
                point = NULL;
            }
        }
    }
    UINT line = 0;
    reader->GetLineNumber(&line);
    reader->Release();
    stream->Release();
    if (failed) {
        snprintf(why, size, "%s", failed->error);
        return false;
    }
    if (FAILED(result) || !elements) {  // text with no element at all is no XML either
        snprintf(why, size, "not XML, or cut off, at line %u", line);
        return false;
    }
    return true;
}

bool LoadCourseFile(const char *path, Course *course, char *why, size_t size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    LARGE_INTEGER length = {};
    if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &length)) {
        snprintf(why, size, "%s", "the file could not be read");
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        return false;
    }
    if (length.QuadPart > COURSE_FILE_MAX) {
        CloseHandle(file);
        snprintf(why, size, "the file is over 50 MB, larger than any course");
        return false;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)length.QuadPart + 1);
    char *text = memory ? static_cast<char *>(GlobalLock(memory)) : NULL;
    DWORD read = 0;
    bool whole = text && ReadFile(file, text, (DWORD)length.QuadPart, &read, NULL) && read == length.QuadPart;
    CloseHandle(file);
    if (!whole) {
        if (memory) {
            GlobalUnlock(memory);
            GlobalFree(memory);
        }
        snprintf(why, size, "%s", "the file could not be read");
        return false;
    }
    text[read] = '\0';
    // A .gpx is XML, and so is a file that begins with '<' (after a UTF-8
    // mark or blanks); anything else is a CSV.
    const char *first = text + (read >= 3 && !memcmp(text, "\xEF\xBB\xBF", 3) ? 3 : 0);
    while (*first == ' ' || *first == '\t' || *first == '\r' || *first == '\n')
        first++;
    size_t n = strlen(path);
    bool gpx = *first == '<' || (n > 4 && !_stricmp(path + n - 4, ".gpx"));
    static CourseBuilder tracks, routes;
    bool good;
    CourseBuilder *points = &tracks;
    if (gpx) {
        GlobalUnlock(memory);
        good = ReadGpx(memory, &tracks, &routes, why, size);
        if (good && tracks.points == 0)
            points = &routes;
    } else {
        good = ReadCourseCsv(text, read, &tracks);
        if (!good)
            snprintf(why, size, "%s", tracks.error);
        GlobalUnlock(memory);
    }
    GlobalFree(memory);
    if (!good)
        return false;
    const char *name = strrchr(path, '\\');
    if (!FinishCourse(points, name ? name + 1 : path, course)) {
        snprintf(why, size, "%s", points->error);
        return false;
    }
    return true;
}
