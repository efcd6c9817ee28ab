#include "model/watchfiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/fit.h"

// The profile's messages and the values Velto gives them.
enum { MESG_FILE_ID = 0, MESG_LAP = 19, MESG_RECORD = 20, MESG_EVENT = 21, MESG_WORKOUT = 26, MESG_WORKOUT_STEP = 27,
       MESG_COURSE = 31, MESG_COURSE_POINT = 32 };
enum { FILE_WORKOUT = 5, FILE_COURSE = 6, SPORT_RUNNING = 1, MANUFACTURER_DEVELOPMENT = 255 };
enum { POINT_GENERIC = 0, POINT_WATER = 3, POINT_FOOD = 4, POINT_AID_STATION = 28 };
const int NAME_SIZE = 32, POINT_NAME_SIZE = 24, STEP_NAME_SIZE = 24;
// A distance in centimetres and a time in seconds from 1989 must fit 32 bits.
const long double FIT_METRES_MAX = 42949672.95L, FIT_SECONDS_MAX = 4294967294.0L;

static int32_t Semicircles(double degrees)
{
    return (int32_t)llroundl(degrees * 2147483648.0L / 180);
}

static uint32_t Centimetres(long double metres)
{
    return (uint32_t)llroundl(metres * 100);
}

// Heights with scale 5 and offset 500: "none" below -500 m.
static uint16_t Altitude(long double metres)
{
    long double value = roundl((metres + 500) * 5);
    return value >= 0 && value < 65535 ? (uint16_t)value : FIT_INVALID_UINT16;
}

static void FileId(FitFile *fit, int type, uint32_t created)
{
    static const FitField fields[] = {{0, 1, FIT_ENUM}, {1, 2, FIT_UINT16}, {2, 2, FIT_UINT16},
                                      {3, 4, FIT_UINT32Z}, {4, 4, FIT_UINT32}};
    FitDefine(fit, 0, MESG_FILE_ID, fields, 5);
    FitMessage(fit, 0);
    FitValue(fit, (uint32_t)type, 1);
    FitValue(fit, MANUFACTURER_DEVELOPMENT, 2);
    FitValue(fit, 0, 2);
    FitValue(fit, created ? created : 1, 4);  // a serial number of its own for each file
    FitValue(fit, created, 4);
}

// The plan's seconds at x metres of the course.
static long double PlanSeconds(const WatchPlan &plan, long double x)
{
    long double metres = x * plan.table->metres / plan.course->metres;
    return metres >= plan.table->metres ? plan.table->seconds : SecondsAt(*plan.table, metres);
}

static uint32_t Stamp(const WatchPlan &plan, long double seconds)
{
    return (uint32_t)llroundl((long double)(plan.startUnix - FIT_EPOCH_UNIX) + seconds);
}

// A place on the course between its points: latitude and longitude at x metres.
static void PlaceAt(const Course &course, long double x, double *lat, double *lon)
{
    const std::vector<CoursePoint> &p = course.points;
    size_t k = 1;
    while (k + 1 < p.size() && p[k].metres < x)
        k++;
    long double span = p[k].metres - p[k - 1].metres, t = span > 0 ? (x - p[k - 1].metres) / span : 0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    *lat = (double)(p[k - 1].lat + (p[k].lat - p[k - 1].lat) * t);
    *lon = (double)(p[k - 1].lon + (p[k].lon - p[k - 1].lon) * t);
}

static bool InRange(const WatchPlan &plan, char *why, size_t size)
{
    if (!plan.course || plan.course->points.size() < 2) {
        snprintf(why, size, "%s", "no course to go by: a course file needs a GPX track or route");
        return false;
    }
    if (plan.course->metres > FIT_METRES_MAX) {
        snprintf(why, size, "%s", "the course is longer than a FIT file holds (42,949 km)");
        return false;
    }
    if ((long double)(plan.startUnix - FIT_EPOCH_UNIX) + plan.table->seconds > FIT_SECONDS_MAX ||
        plan.startUnix < FIT_EPOCH_UNIX) {
        snprintf(why, size, "%s", "the plan ends later than a FIT file can say (in 2126)");
        return false;
    }
    return true;
}

// A course point: a split or a station, where and when.
struct Point {
    long double metres;  // of the course
    char name[96];       // cut to the field's size as it is written
    int type;
};

// The splits' ends and the stations, by distance.
static std::vector<Point> CoursePoints(const WatchPlan &plan)
{
    std::vector<Point> points;
    const SplitTable &t = *plan.table;
    long double scale = t.metres / plan.course->metres;
    for (long long k = 0; k < t.rows; k++) {
        SplitTexts row;
        SplitRowTexts(t, k, &row);
        long double from, to;
        SplitRowSpan(t, k, &from, &to);
        // The row's time as the table shows it, to the second: "5 km 26:20".
        Point p = {to / scale, "", POINT_GENERIC};
        snprintf(p.name, sizeof p.name, "%s %s %.*s", row.unit, UNIT_TABLE[plan.unit].shortWords,
                 (int)strcspn(row.at, "."), row.at);
        points.push_back(p);
    }
    for (const Station &s : *plan.stations) {
        Point p = {s.metres, "", POINT_AID_STATION};
        snprintf(p.name, sizeof p.name, "%s", s.name);
        char lower[sizeof p.name] = "";
        for (size_t k = 0; k < sizeof lower; k++)
            lower[k] = (char)(p.name[k] >= 'A' && p.name[k] <= 'Z' ? p.name[k] - 'A' + 'a' : p.name[k]);
        p.type = strstr(lower, "water") || strstr(lower, "drink") ? POINT_WATER
                 : strstr(lower, "food") || strstr(lower, "feed") ? POINT_FOOD
                                                                   : POINT_AID_STATION;
        points.push_back(p);
    }
    std::stable_sort(points.begin(), points.end(), [](const Point &a, const Point &b) { return a.metres < b.metres; });
    return points;
}

static void Lap(FitFile *fit, const WatchPlan &plan)
{
    static const FitField fields[] = {{253, 4, FIT_UINT32}, {2, 4, FIT_UINT32},  {3, 4, FIT_SINT32},
                                      {4, 4, FIT_SINT32},   {5, 4, FIT_SINT32},  {6, 4, FIT_SINT32},
                                      {7, 4, FIT_UINT32},   {8, 4, FIT_UINT32},  {9, 4, FIT_UINT32},
                                      {21, 2, FIT_UINT16},  {22, 2, FIT_UINT16}};
    const Course &c = *plan.course;
    FitDefine(fit, 2, MESG_LAP, fields, 11);
    FitMessage(fit, 2);
    FitValue(fit, Stamp(plan, plan.table->seconds), 4);
    FitValue(fit, Stamp(plan, 0), 4);
    for (const CoursePoint *p : {&c.points.front(), &c.points.back()}) {
        FitValue(fit, (uint32_t)Semicircles(p->lat), 4);
        FitValue(fit, (uint32_t)Semicircles(p->lon), 4);
    }
    uint32_t ms = plan.table->seconds * 1000 < 4294967295.0L ? (uint32_t)llroundl(plan.table->seconds * 1000)
                                                             : FIT_INVALID_UINT32;
    FitValue(fit, ms, 4);
    FitValue(fit, ms, 4);
    FitValue(fit, Centimetres(c.metres), 4);
    FitValue(fit, c.heights && c.climb < 65535 ? (uint32_t)lroundl(c.climb) : FIT_INVALID_UINT16, 2);
    FitValue(fit, c.heights && c.descent < 65535 ? (uint32_t)lroundl(c.descent) : FIT_INVALID_UINT16, 2);
}

static void Event(FitFile *fit, uint32_t when, int type)
{
    static const FitField fields[] = {{253, 4, FIT_UINT32}, {0, 1, FIT_ENUM}, {1, 1, FIT_ENUM}, {4, 1, FIT_UINT8}};
    if (fit->defined[3] != MESG_EVENT)
        FitDefine(fit, 3, MESG_EVENT, fields, 4);
    FitMessage(fit, 3);
    FitValue(fit, when, 4);
    FitValue(fit, 0, 1);  // the timer
    FitValue(fit, (uint32_t)type, 1);
    FitValue(fit, 0, 1);
}

bool FitCourseFile(const WatchPlan &plan, std::string *bytes, size_t *records, char *why, size_t size)
{
    if (!InRange(plan, why, size))
        return false;
    const Course &c = *plan.course;
    std::vector<Point> points = CoursePoints(plan);
    std::vector<long double> keep(points.size());
    std::transform(points.begin(), points.end(), keep.begin(), [](const Point &p) { return p.metres; });
    std::vector<size_t> kept = ThinPoints(c, keep, RECORDS_MAX);
    FitFile fit;
    BeginFit(&fit);
    FileId(&fit, FILE_COURSE, Stamp(plan, 0));
    static const FitField course[] = {{4, 1, FIT_ENUM}, {5, NAME_SIZE, FIT_STRING}};
    FitDefine(&fit, 1, MESG_COURSE, course, 2);
    FitMessage(&fit, 1);
    FitValue(&fit, SPORT_RUNNING, 1);
    FitText(&fit, plan.name, NAME_SIZE);
    Lap(&fit, plan);
    Event(&fit, Stamp(plan, 0), 0);  // start
    static const FitField record[] = {{253, 4, FIT_UINT32}, {0, 4, FIT_SINT32}, {1, 4, FIT_SINT32},
                                      {5, 4, FIT_UINT32},   {2, 2, FIT_UINT16}};
    FitDefine(&fit, 4, MESG_RECORD, record, 5);
    for (size_t k : kept) {
        const CoursePoint &p = c.points[k];
        FitMessage(&fit, 4);
        FitValue(&fit, Stamp(plan, PlanSeconds(plan, p.metres)), 4);
        FitValue(&fit, (uint32_t)Semicircles(p.lat), 4);
        FitValue(&fit, (uint32_t)Semicircles(p.lon), 4);
        FitValue(&fit, Centimetres(p.metres), 4);
        FitValue(&fit, c.heights ? Altitude(HeightAt(c, p.metres)) : FIT_INVALID_UINT16, 2);
    }
    Event(&fit, Stamp(plan, plan.table->seconds), 4);  // stop all
    static const FitField point[] = {{254, 2, FIT_UINT16}, {1, 4, FIT_UINT32}, {2, 4, FIT_SINT32}, {3, 4, FIT_SINT32},
                                     {4, 4, FIT_UINT32},   {5, 1, FIT_ENUM},   {6, POINT_NAME_SIZE, FIT_STRING}};
    FitDefine(&fit, 5, MESG_COURSE_POINT, point, 7);
    for (size_t k = 0; k < points.size() && k < 65535; k++) {
        double lat, lon;
        PlaceAt(c, points[k].metres, &lat, &lon);
        FitMessage(&fit, 5);
        FitValue(&fit, (uint32_t)k, 2);
        FitValue(&fit, Stamp(plan, PlanSeconds(plan, points[k].metres)), 4);
        FitValue(&fit, (uint32_t)Semicircles(lat), 4);
        FitValue(&fit, (uint32_t)Semicircles(lon), 4);
        FitValue(&fit, Centimetres(points[k].metres), 4);
        FitValue(&fit, (uint32_t)points[k].type, 1);
        FitText(&fit, points[k].name, POINT_NAME_SIZE);
    }
    *bytes = FinishFit(fit);
    *records = kept.size();
    return true;
}

// A step's name, like the rows it holds: "5 km", "1-5 km".
static void StepName(const WatchPlan &plan, const WorkoutStep &step, char *name, size_t size)
{
    SplitTexts first, last;
    SplitRowTexts(*plan.table, step.first, &first);
    SplitRowTexts(*plan.table, step.last, &last);
    if (step.first == step.last)
        snprintf(name, size, "%s %s", last.unit, UNIT_TABLE[plan.unit].shortWords);
    else
        snprintf(name, size, "%s-%s %s", first.unit, last.unit, UNIT_TABLE[plan.unit].shortWords);
}

// A speed in thousandths of a metre a second, for a pace of so many seconds a metre.
static uint32_t Speed(long double secondsPerMetre)
{
    long double speed = 1000 / secondsPerMetre;
    return speed > 0 && speed < 4294967294.0L ? (uint32_t)llroundl(speed) : FIT_INVALID_UINT32;
}

bool FitWorkoutFile(const WatchPlan &plan, std::string *bytes, size_t *count, char *why, size_t size)
{
    std::vector<WorkoutStep> steps = WorkoutSteps(*plan.table, STEPS_MAX);
    if (std::any_of(steps.begin(), steps.end(), [](const WorkoutStep &s) { return s.metres > FIT_METRES_MAX / 100; })) {
        snprintf(why, size, "%s", "a split is longer than a workout step holds (429 km)");
        return false;
    }
    FitFile fit;
    BeginFit(&fit);
    long long created = plan.startUnix - FIT_EPOCH_UNIX;
    FileId(&fit, FILE_WORKOUT, created > 0 && created < 4294967295LL ? (uint32_t)created : 0);
    static const FitField workout[] = {{4, 1, FIT_ENUM}, {6, 2, FIT_UINT16}, {8, NAME_SIZE, FIT_STRING}};
    FitDefine(&fit, 1, MESG_WORKOUT, workout, 3);
    FitMessage(&fit, 1);
    FitValue(&fit, SPORT_RUNNING, 1);
    FitValue(&fit, (uint32_t)steps.size(), 2);
    FitText(&fit, plan.name, NAME_SIZE);
    static const FitField step[] = {{254, 2, FIT_UINT16}, {0, STEP_NAME_SIZE, FIT_STRING}, {1, 1, FIT_ENUM},
                                    {2, 4, FIT_UINT32},   {3, 1, FIT_ENUM},                {4, 4, FIT_UINT32},
                                    {5, 4, FIT_UINT32},   {6, 4, FIT_UINT32},              {7, 1, FIT_ENUM}};
    FitDefine(&fit, 2, MESG_WORKOUT_STEP, step, 9);
    long double per = UNIT_TABLE[plan.unit].metres;
    for (size_t k = 0; k < steps.size(); k++) {
        char name[96];  // cut to the field's size as it is written
        StepName(plan, steps[k], name, sizeof name);
        long double pace = steps[k].seconds / steps[k].metres * per;  // seconds a unit
        long double slow = pace + plan.range, fast = pace - plan.range > pace / 2 ? pace - plan.range : pace / 2;
        FitMessage(&fit, 2);
        FitValue(&fit, (uint32_t)k, 2);
        FitText(&fit, name, STEP_NAME_SIZE);
        FitValue(&fit, 1, 1);  // for a distance
        FitValue(&fit, Centimetres(steps[k].metres), 4);
        FitValue(&fit, 0, 1);  // at a speed
        FitValue(&fit, 0, 4);  // of its own range
        FitValue(&fit, Speed(slow / per), 4);
        FitValue(&fit, Speed(fast / per), 4);
        FitValue(&fit, 0, 1);  // active
    }
    *bytes = FinishFit(fit);
    *count = steps.size();
    return true;
}

// Days from 1970-01-01 to a date, and back (Howard Hinnant's civil calendar).
static void Civil(long long days, int *year, int *month, int *day)
{
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long doe = days - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    *day = (int)(doy - (153 * mp + 2) / 5 + 1);
    *month = (int)(mp < 10 ? mp + 3 : mp - 9);
    *year = (int)(yoe + era * 400 + (*month <= 2 ? 1 : 0));
}

void FormatUtc(long long unix, char *buf, size_t size)
{
    long long days = unix >= 0 ? unix / 86400 : (unix - 86399) / 86400, rest = unix - days * 86400;
    int year, month, day;
    Civil(days, &year, &month, &day);
    snprintf(buf, size, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day, (int)(rest / 3600), (int)(rest / 60 % 60),
             (int)(rest % 60));
}

// Text for XML: the five characters it gives meaning escaped.
static void Escaped(std::string *to, const char *text)
{
    for (const char *c = text; *c; c++)
        switch (*c) {
        case '&': *to += "&amp;"; break;
        case '<': *to += "&lt;"; break;
        case '>': *to += "&gt;"; break;
        case '"': *to += "&quot;"; break;
        case '\'': *to += "&apos;"; break;
        default: *to += *c;
        }
}

bool TimedGpxFile(const WatchPlan &plan, std::string *text, char *why, size_t size)
{
    if (!plan.course || plan.course->points.size() < 2) {
        snprintf(why, size, "%s", "no course to go by: a GPX needs a GPX track or route");
        return false;
    }
    const Course &c = *plan.course;
    char line[256], when[32];
    *text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<gpx version=\"1.1\" creator=\"Velto\" xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n  <metadata><name>";
    Escaped(text, plan.name);
    FormatUtc(plan.startUnix, when, sizeof when);
    *text += "</name><time>";
    *text += when;
    *text += "</time></metadata>\r\n";
    for (const Station &s : *plan.stations) {
        FormatUtc(plan.startUnix + llroundl(PlanSeconds(plan, s.metres)), when, sizeof when);
        snprintf(line, sizeof line, "  <wpt lat=\"%.9f\" lon=\"%.9f\"><time>%s</time><name>", s.lat, s.lon, when);
        *text += line;
        Escaped(text, s.name);
        *text += "</name></wpt>\r\n";
    }
    *text += "  <trk><name>";
    Escaped(text, plan.name);
    *text += "</name><trkseg>\r\n";
    text->reserve(text->size() + c.points.size() * 110);
    for (const CoursePoint &p : c.points) {
        FormatUtc(plan.startUnix + llroundl(PlanSeconds(plan, p.metres)), when, sizeof when);
        int n = c.heights ? snprintf(line, sizeof line,
                                     "    <trkpt lat=\"%.9f\" lon=\"%.9f\"><ele>%.1f</ele><time>%s</time></trkpt>\r\n",
                                     p.lat, p.lon, (double)HeightAt(c, p.metres), when)
                          : snprintf(line, sizeof line, "    <trkpt lat=\"%.9f\" lon=\"%.9f\"><time>%s</time></trkpt>\r\n",
                                     p.lat, p.lon, when);
        text->append(line, n > 0 && (size_t)n < sizeof line ? (size_t)n : 0);
    }
    *text += "  </trkseg></trk>\r\n</gpx>\r\n";
    return true;
}
