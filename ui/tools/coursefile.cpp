// A course from a file: a GPX track or route with its named waypoints as
// stations (or, where the file has neither, its waypoints in order), read
// with the system's own XML reader (XmlLite), or a CSV of distance and height. The whole file is read once,
// when it is chosen; a file over 50 MB is refused before that.
#include <windows.h>
#include <initguid.h>  // IID_IXmlReader, defined here
#include <xmllite.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "model/raceday.h"
#include "ui/files.h"
#include "ui/tools/tools.h"

static const unsigned long long COURSE_FILE_MAX = 50ULL * 1024 * 1024;

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

// What a GPX holds: the points of its tracks, of its routes, and its waypoints.
struct Gpx {
    CourseBuilder tracks, routes;
    std::vector<Waypoint> waypoints;
    // Inside a point: its kind (t, r or w), where it is, and the child read.
    wchar_t point;
    long double lat, lon, ele;
    char name[48];
    enum { NONE, ELE, NAME } child;
    CourseBuilder *failed;  // the one that refused a point
    bool elements, dtd;
};

// A point's latitude and longitude, NaN where it has none: its attributes
// gone through once, quicker than looked up by name.
static void Position(IXmlReader *reader, Gpx *gpx)
{
    gpx->lat = gpx->lon = gpx->ele = NAN;
    gpx->name[0] = '\0';
    for (HRESULT at = reader->MoveToFirstAttribute(); at == S_OK; at = reader->MoveToNextAttribute()) {
        const wchar_t *name = NULL, *value = NULL;
        if (FAILED(reader->GetLocalName(&name, NULL)) || FAILED(reader->GetValue(&value, NULL)) || !name || !value)
            continue;
        if (!wcscmp(name, L"lat"))
            gpx->lat = WideNumber(value);
        else if (!wcscmp(name, L"lon"))
            gpx->lon = WideNumber(value);
    }
    reader->MoveToElement();
}

// The point just closed, to the points of its kind: false when refused.
static bool EndPoint(Gpx *gpx)
{
    wchar_t kind = gpx->point;
    gpx->point = 0;
    if (kind == L'w') {
        gpx->waypoints.push_back({(double)gpx->lat, (double)gpx->lon, (double)gpx->ele, ""});
        snprintf(gpx->waypoints.back().name, sizeof gpx->waypoints.back().name, "%s", gpx->name);
        return true;
    }
    CourseBuilder *to = kind == L't' ? &gpx->tracks : &gpx->routes;
    if (AddGeoPoint(to, gpx->lat, gpx->lon, gpx->ele))
        return true;
    gpx->failed = to;
    return false;
}

// One node of the file; false when a point in it is refused.
static bool Node(IXmlReader *reader, XmlNodeType type, Gpx *gpx)
{
    const wchar_t *name = NULL, *value = NULL;
    if (type == XmlNodeType_DocumentType) {
        gpx->dtd = true;
        return false;
    }
    if (type == XmlNodeType_Element) {
        gpx->elements = true;
        reader->GetLocalName(&name, NULL);
        bool empty = reader->IsEmptyElement();
        if (!wcscmp(name, L"trkpt") || !wcscmp(name, L"rtept") || !wcscmp(name, L"wpt")) {
            gpx->point = name[0];
            Position(reader, gpx);
            if (empty)
                return EndPoint(gpx);
        } else if (gpx->point && !empty) {
            gpx->child = !wcscmp(name, L"ele") ? Gpx::ELE : !wcscmp(name, L"name") ? Gpx::NAME : Gpx::NONE;
        }
    } else if ((type == XmlNodeType_Text || type == XmlNodeType_CDATA) && gpx->child != Gpx::NONE) {
        reader->GetValue(&value, NULL);
        if (gpx->child == Gpx::ELE)
            gpx->ele = value ? WideNumber(value) : NAN;
        else if (value && !WideCharToMultiByte(CP_ACP, 0, value, -1, gpx->name, sizeof gpx->name, NULL, NULL))
            gpx->name[0] = '\0';  // longer than any name of a place
    } else if (type == XmlNodeType_EndElement) {
        reader->GetLocalName(&name, NULL);
        gpx->child = Gpx::NONE;
        if (gpx->point && (!wcscmp(name, L"trkpt") || !wcscmp(name, L"rtept") || !wcscmp(name, L"wpt")))
            return EndPoint(gpx);
    }
    return true;
}

// The points of the GPX in `bytes`, each segment after the one before.
static bool ReadGpx(const std::string &bytes, Gpx *gpx, char *why, size_t size)
{
    using CreateReader = HRESULT(WINAPI *)(REFIID, void **, IMalloc *);
    static CreateReader createReader;
    if (!createReader)
        createReader = reinterpret_cast<CreateReader>(
            reinterpret_cast<void *>(SystemFunction(L"xmllite.dll", "CreateXmlReader")));
    IStream *stream = ByteStream(bytes);
    IXmlReader *reader = NULL;
    if (!createReader || !stream || FAILED(createReader(IID_IXmlReader, reinterpret_cast<void **>(&reader), NULL))) {
        if (stream)
            stream->Release();
        snprintf(why, size, "%s", "Windows' XML reader (xmllite.dll) could not be loaded");
        return false;
    }
    // A GPX needs no DTD, and a hostile file must not expand entities.
    reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    reader->SetInput(stream);
    BeginCourse(&gpx->tracks);
    BeginCourse(&gpx->routes);
    gpx->waypoints.clear();
    gpx->point = 0;
    gpx->child = Gpx::NONE;
    gpx->failed = NULL;
    gpx->elements = gpx->dtd = false;
    XmlNodeType type;
    HRESULT result = S_OK;
    while ((result = reader->Read(&type)) == S_OK && Node(reader, type, gpx))
        ;
    UINT line = 0;
    reader->GetLineNumber(&line);
    reader->Release();
    stream->Release();
    gpx->dtd = gpx->dtd || result == (HRESULT)WC_E_DTDPROHIBITED ||
               (FAILED(result) && bytes.find("<!DOCTYPE") != std::string::npos);
    if (gpx->dtd)
        snprintf(why, size, "%s", "it has a DTD, which a course does not need: not read");
    else if (gpx->failed)
        snprintf(why, size, "%s", gpx->failed->error);
    else if (FAILED(result) || !gpx->elements)  // text with no element at all is no XML either
        snprintf(why, size, "not XML, or cut off, at line %u", line);
    else
        return true;
    return false;
}

// The course of a GPX: its tracks, else its routes, else its waypoints in
// the order of the file.
static bool GpxCourse(const std::string &bytes, const char *name, Course *course, char *why, size_t size)
{
    static Gpx gpx;  // 100,000 points and more: kept, not made anew for each file
    if (!ReadGpx(bytes, &gpx, why, size))
        return false;
    CourseBuilder *points = gpx.tracks.points > 0 ? &gpx.tracks : &gpx.routes;
    bool fromWaypoints = gpx.tracks.points == 0 && gpx.routes.points == 0 && !gpx.waypoints.empty();
    if (fromWaypoints) {
        BeginCourse(points);
        bool read = std::all_of(gpx.waypoints.begin(), gpx.waypoints.end(),
                                [&](const Waypoint &w) { return AddGeoPoint(points, w.lat, w.lon, w.height); });
        if (!read) {
            snprintf(why, size, "%s", points->error);
            return false;
        }
    }
    if (!FinishCourse(points, name, course)) {
        snprintf(why, size, "%s", points->error);
        return false;
    }
    course->waypoints = fromWaypoints ? (long long)gpx.waypoints.size() : 0;
    // A track's named waypoints are its stations; a course made of its
    // waypoints has none.
    if (!fromWaypoints)
        course->placing = PlaceStations(*course, gpx.waypoints, &course->stations);
    return true;
}

bool LoadCourseFile(const char *path, Course *course, char *why, size_t size)
{
    std::string bytes;
    DWORD error = ReadWhole(path, COURSE_FILE_MAX, &bytes);
    if (error == ERROR_FILE_TOO_LARGE) {
        snprintf(why, size, "%s", "the file is over 50 MB, larger than any course");
        return false;
    }
    if (error) {
        char reason[160];
        SystemReason(error, reason, sizeof reason);
        snprintf(why, size, "the file could not be read: %s", reason);
        return false;
    }
    // A .gpx is XML, and so is a file that begins with '<' (after a UTF-8
    // mark or blanks); anything else is a CSV.
    size_t first = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    first = bytes.find_first_not_of(" \t\r\n", first);
    size_t n = strlen(path);
    bool gpx = (first != std::string::npos && bytes[first] == '<') || (n > 4 && !_stricmp(path + n - 4, ".gpx"));
    const char *name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    if (gpx)
        return GpxCourse(bytes, name, course, why, size);
    static CourseBuilder points;
    if (!ReadCourseCsv(bytes.data(), bytes.size(), &points) || !FinishCourse(&points, name, course)) {
        snprintf(why, size, "%s", points.error);
        return false;
    }
    return true;
}
