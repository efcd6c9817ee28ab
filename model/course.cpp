#include "model/course.h"

#include <cmath>
#include <cstdio>
#include <cstring>

// WGS-84.
static const long double WGS84_A = 6378137.0L, WGS84_F = 1 / 298.257223563L;
static const long double PI = 3.141592653589793238462643383279502884L;

long double GeodesicMetres(long double lat1, long double lon1, long double lat2, long double lon2)
{
    const long double a = WGS84_A, f = WGS84_F, b = (1 - f) * a;
    // The hops of a track, metres long, by the ellipsoid's radii of
    // curvature at their middle: the error grows as the cube of the hop
    // over the earth's radius squared, some 0.02 mm for a kilometre, and it
    // is many times quicker than the iteration below.
    long double dLat = (lat2 - lat1) * PI / 180, dLon = (lon2 - lon1) * PI / 180;
    if (fabsl(dLat) < 1.5e-4L && fabsl(dLon) < 1.5e-4L) {
        long double e2 = f * (2 - f), middle = (lat1 + lat2) / 2 * PI / 180, s = sinl(middle);
        long double w = sqrtl(1 - e2 * s * s);
        long double meridian = a * (1 - e2) / (w * w * w), normal = a / w;
        long double north = meridian * dLat, east = normal * cosl(middle) * dLon;
        return sqrtl(north * north + east * east);
    }
    long double L = (lon2 - lon1) * PI / 180;
    long double U1 = atanl((1 - f) * tanl(lat1 * PI / 180)), U2 = atanl((1 - f) * tanl(lat2 * PI / 180));
    long double sinU1 = sinl(U1), cosU1 = cosl(U1), sinU2 = sinl(U2), cosU2 = cosl(U2);
    long double lambda = L, sinSigma = 0, cosSigma = 1, sigma = 0, cos2Alpha = 1, cos2SigmaM = 0;
    for (int k = 0;; k++) {
        if (k == 200)
            return -1;  // nearly antipodal: no convergence
        long double sinLambda = sinl(lambda), cosLambda = cosl(lambda);
        long double p = cosU2 * sinLambda, q = cosU1 * sinU2 - sinU1 * cosU2 * cosLambda;
        sinSigma = sqrtl(p * p + q * q);
        if (sinSigma == 0)
            return 0;  // the same point
        cosSigma = sinU1 * sinU2 + cosU1 * cosU2 * cosLambda;
        sigma = atan2l(sinSigma, cosSigma);
        long double sinAlpha = cosU1 * cosU2 * sinLambda / sinSigma;
        cos2Alpha = 1 - sinAlpha * sinAlpha;
        cos2SigmaM = cos2Alpha != 0 ? cosSigma - 2 * sinU1 * sinU2 / cos2Alpha : 0;  // along the equator
        long double C = f / 16 * cos2Alpha * (4 + f * (4 - 3 * cos2Alpha));
        long double next = L + (1 - C) * f * sinAlpha *
                                   (sigma + C * sinSigma * (cos2SigmaM + C * cosSigma * (-1 + 2 * cos2SigmaM * cos2SigmaM)));
        bool done = fabsl(next - lambda) < 1e-13L;
        lambda = next;
        if (done)
            break;
    }
    long double u2 = cos2Alpha * (a * a - b * b) / (b * b);
    long double A = 1 + u2 / 16384 * (4096 + u2 * (-768 + u2 * (320 - 175 * u2)));
    long double B = u2 / 1024 * (256 + u2 * (-128 + u2 * (74 - 47 * u2)));
    long double deltaSigma =
        B * sinSigma *
        (cos2SigmaM + B / 4 *
                          (cosSigma * (-1 + 2 * cos2SigmaM * cos2SigmaM) -
                           B / 6 * cos2SigmaM * (-3 + 4 * sinSigma * sinSigma) * (-3 + 4 * cos2SigmaM * cos2SigmaM)));
    return b * A * (sigma - deltaSigma);
}

long double RunningCost(long double i)
{
    if (!(i >= -0.45L))
        i = -0.45L;  // NaN too
    if (i > 0.45L)
        i = 0.45L;
    return (((((155.4L * i - 30.4L) * i - 43.3L) * i + 46.3L) * i + 19.5L) * i) + 3.6L;
}

void BeginCourse(CourseBuilder *b)
{
    b->metres.clear();
    b->height.clear();
    b->geographic = false;
    b->lat = b->lon = 0;
    b->points = 0;
    b->error[0] = '\0';
}

static void Add(CourseBuilder *b, long double metres, long double height)
{
    if (!b->metres.empty() && metres <= b->metres.back()) {
        // A point again where the last was: keep a height it may bring.
        if (std::isnan(b->height.back()))
            b->height.back() = height;
        return;
    }
    b->metres.push_back(metres);
    b->height.push_back(height);
}

// A height from a file: a number of a size the earth has, or none.
static long double Height(long double h)
{
    return std::isfinite(h) && h > -12000 && h < 12000 ? h : NAN;
}

bool AddGeoPoint(CourseBuilder *b, long double lat, long double lon, long double height)
{
    b->points++;
    if (!(lat >= -90 && lat <= 90) || !(lon >= -180 && lon <= 180)) {
        snprintf(b->error, sizeof b->error, "point %lld: latitude %.6Lg and longitude %.6Lg are not on the earth",
                 b->points, lat, lon);
        return false;
    }
    long double at = 0;
    if (b->geographic) {
        long double hop = GeodesicMetres(b->lat, b->lon, lat, lon);
        if (hop < 0) {
            snprintf(b->error, sizeof b->error, "point %lld is on the other side of the earth from the one before",
                     b->points);
            return false;
        }
        at = b->metres.back() + hop;
    }
    b->geographic = true;
    b->lat = lat;
    b->lon = lon;
    Add(b, at, Height(height));
    return true;
}

bool AddDistancePoint(CourseBuilder *b, long double metres, long double height)
{
    b->points++;
    if (!std::isfinite(metres) || metres < 0 || (!b->metres.empty() && metres < b->metres.back())) {
        snprintf(b->error, sizeof b->error, "point %lld: the distance %.6Lg m goes back", b->points, metres);
        return false;
    }
    Add(b, metres, Height(height));
    return true;
}

bool FinishCourse(CourseBuilder *b, const char *name, Course *c)
{
    size_t n = b->metres.size();
    if (n < 2) {
        snprintf(b->error, sizeof b->error, "%s",
                 b->points == 0 ? "no points in this course" : "only one place in this course: no way to run");
        return false;
    }
    // Heights missing at some points: on the straight line between their
    // neighbours that have one, or the nearest one's at the ends.
    std::vector<long double> &h = b->height;
    size_t known = n;
    for (size_t k = 0; k < n; k++)
        if (!std::isnan(h[k])) {
            known = k;
            break;
        }
    c->heights = known < n;
    for (size_t k = 0; k < n; k++) {
        if (!c->heights) {
            h[k] = 0;
        } else if (std::isnan(h[k])) {
            size_t next = k;
            while (next < n && std::isnan(h[next]))
                next++;
            if (k == 0 || next == n) {
                long double edge = k == 0 ? h[next] : h[k - 1];
                for (; k < next; k++)
                    h[k] = edge;
                k--;
            } else {
                long double x0 = b->metres[k - 1], h0 = h[k - 1], x1 = b->metres[next], h1 = h[next];
                for (; k < next; k++)
                    h[k] = h0 + (h1 - h0) * (b->metres[k] - x0) / (x1 - x0);
                k--;
            }
        }
    }
    snprintf(c->name, sizeof c->name, "%s", name);
    c->metres = b->metres[n - 1];
    long double steps = ceill(c->metres / PROFILE_STEP);
    c->steps = steps < 1 ? 1 : steps > PROFILE_MAX - 1 ? PROFILE_MAX - 1 : (int)steps;
    long double step = c->metres / c->steps;

    // Sampled evenly on the way, then each height the mean of those within
    // 50 m either side, the window narrowing symmetrically at the ends: a
    // steady grade keeps its exact value, and GPS noise of metres a point
    // no longer turns into grades of tens of percent.
    static double raw[PROFILE_MAX];
    size_t at = 0;
    for (int j = 0; j <= c->steps; j++) {
        long double x = j == c->steps ? c->metres : j * step;
        while (at + 2 < n && b->metres[at + 1] < x)
            at++;
        long double x0 = b->metres[at], x1 = b->metres[at + 1];
        long double t = x1 > x0 ? (x - x0) / (x1 - x0) : 0;
        t = t < 0 ? 0 : t > 1 ? 1 : t;
        raw[j] = (double)(h[at] + (h[at + 1] - h[at]) * t);
    }
    long double half = roundl(SMOOTHING_METRES / 2 / step);
    int window = half < c->steps ? (int)half : c->steps;  // a course of centimetres: all of it
    static long double sums[PROFILE_MAX + 1];
    sums[0] = 0;
    for (int j = 0; j <= c->steps; j++)
        sums[j + 1] = sums[j] + raw[j];
    for (int j = 0; j <= c->steps; j++) {
        int w = window;
        if (w > j)
            w = j;
        if (w > c->steps - j)
            w = c->steps - j;
        c->height[j] = (double)((sums[j + w + 1] - sums[j - w]) / (2 * w + 1));
    }
    ProfileFigures(c);
    return true;
}

void ProfileFigures(Course *c)
{
    c->climb = c->descent = 0;
    c->lowest = c->highest = c->height[0];
    for (int j = 0; j < c->steps; j++) {
        long double rise = (long double)c->height[j + 1] - c->height[j];
        if (rise > 0)
            c->climb += rise;
        else
            c->descent -= rise;
        if (c->height[j + 1] < c->lowest)
            c->lowest = c->height[j + 1];
        if (c->height[j + 1] > c->highest)
            c->highest = c->height[j + 1];
    }
}

void ClimbBetween(const Course &c, long double from, long double to, long double *climb, long double *descent)
{
    *climb = *descent = 0;
    long double step = c.metres / c.steps;
    auto heightAt = [&](long double x) {
        long double s = x / step;
        int j = s <= 0 ? 0 : s >= c.steps ? c.steps - 1 : (int)s;
        return c.height[j] + ((long double)c.height[j + 1] - c.height[j]) * (s - j);
    };
    if (!(to > from) || c.steps < 1)
        return;
    long double last = heightAt(from);
    for (int j = (int)(from / step) + 1; j <= c.steps && j * step < to; j++) {
        long double rise = c.height[j] - last;
        *(rise > 0 ? climb : descent) += fabsl(rise);
        last = c.height[j];
    }
    long double rise = heightAt(to) - last;
    *(rise > 0 ? climb : descent) += fabsl(rise);
}

// The time over a stretch of course at even effort, relative to the flat:
// 1 + hill x (C(i) / C(0) - 1), `hill` from 0 to 1, for the profile's step k.
static long double EffortFactor(const Course &c, int k, long double hill)
{
    if (k < 0 || k >= c.steps || !c.heights)
        return 1;
    long double grade = ((long double)c.height[k + 1] - c.height[k]) / (c.metres / c.steps);
    return 1 + hill * (RunningCost(grade) / RunningCost(0) - 1);
}

void PlanOverCourse(const Course &c, long double hill, long double metres, long double seconds, long double a,
                    long double b, HillPlan *p)
{
    p->course = &c;
    p->hill = hill;
    p->feet = false;
    p->scale = metres / c.metres;
    long double dx = metres / c.steps;
    p->work[0] = 0;
    for (int j = 0; j < c.steps; j++) {
        long double x0 = j * dx, x1 = (j + 1) * dx;
        p->work[j + 1] = p->work[j] + EffortFactor(c, j, hill) * (a * (x1 - x0) + b * (x1 * x1 - x0 * x0) / 2);
    }
    p->k = p->work[c.steps] > 0 ? seconds / p->work[c.steps] : 0;
}

long double HillSecondsAt(const HillPlan &p, long double a, long double b, long double x)
{
    const Course &c = *p.course;
    long double dx = p.scale * c.metres / c.steps;
    long double s = x / dx;
    int j = s <= 0 ? 0 : s >= c.steps ? c.steps - 1 : (int)s;
    long double x0 = j * dx;
    return p.k * (p.work[j] + EffortFactor(c, j, p.hill) * (a * (x - x0) + b * (x * x - x0 * x0) / 2));
}

// ------------------------------------------------------------ CSV reading

// The unit named in a heading: the first of the words given that the
// heading holds as a word of its own ("Distance (km)", "dist_km", "mi").
static int UnitOf(const char *heading, const char *const words[], int count)
{
    char lower[64];
    size_t n = 0;
    for (; heading[n] && n + 1 < sizeof lower; n++)
        lower[n] = (char)(heading[n] >= 'A' && heading[n] <= 'Z' ? heading[n] - 'A' + 'a' : heading[n]);
    lower[n] = '\0';
    for (int w = 0; w < count; w++) {
        size_t length = strlen(words[w]);
        for (const char *at = strstr(lower, words[w]); at; at = strstr(at + 1, words[w])) {
            bool before = at == lower || !(at[-1] >= 'a' && at[-1] <= 'z');
            bool after = !(at[length] >= 'a' && at[length] <= 'z');
            if (before && after)
                return w;
        }
    }
    return -1;
}

// One field of a row: a number, with blanks around it.
static bool Number(const char *field, size_t length, long double *value)
{
    char text[48];
    while (length > 0 && (*field == ' ' || *field == '\t'))
        field++, length--;
    while (length > 0 && (field[length - 1] == ' ' || field[length - 1] == '\t' || field[length - 1] == '\r'))
        length--;
    if (length == 0 || length >= sizeof text)
        return false;
    memcpy(text, field, length);
    text[length] = '\0';
    char *end;
    *value = strtold(text, &end);
    return *end == '\0' && std::isfinite(*value);
}

bool ReadCourseCsv(const char *text, size_t length, CourseBuilder *b)
{
    static const char *const distanceUnits[3] = {"km", "mi", "m"};
    static const long double distanceMetres[3] = {1000, 1609.344L, 1};
    static const char *const heightUnits[2] = {"m", "ft"};
    static const long double heightMetres[2] = {1, 0.3048L};
    BeginCourse(b);
    int distanceUnit = -1, heightUnit = -1;
    long long line = 0;
    for (size_t at = 0; at < length;) {
        size_t end = at;
        while (end < length && text[end] != '\n')
            end++;
        line++;
        const char *row = text + at;
        size_t size = end - at;
        at = end + 1;
        if (size == 0 || (size == 1 && row[0] == '\r'))
            continue;
        const char *comma = static_cast<const char *>(memchr(row, ',', size));
        if (!comma) {
            snprintf(b->error, sizeof b->error, "line %lld: not two values parted by a comma", line);
            return false;
        }
        size_t first = (size_t)(comma - row);
        const char *second = comma + 1;
        size_t rest = size - first - 1;
        const char *third = static_cast<const char *>(memchr(second, ',', rest));
        if (third)
            rest = (size_t)(third - second);  // further columns are not read
        if (distanceUnit < 0) {
            char a[64], h[64];
            snprintf(a, sizeof a, "%.*s", (int)(first < 63 ? first : 63), row);
            snprintf(h, sizeof h, "%.*s", (int)(rest < 63 ? rest : 63), second);
            distanceUnit = UnitOf(a, distanceUnits, 3);
            heightUnit = UnitOf(h, heightUnits, 2);
            if (distanceUnit < 0 || heightUnit < 0) {
                snprintf(b->error, sizeof b->error, "%s",
                         "the first line must name the units: km, mi or m for the distance, m or ft for the height");
                return false;
            }
            continue;
        }
        long double metres, height;
        if (!Number(row, first, &metres) || !Number(second, rest, &height)) {
            snprintf(b->error, sizeof b->error, "line %lld: not a distance and a height", line);
            return false;
        }
        if (!AddDistancePoint(b, metres * distanceMetres[distanceUnit], height * heightMetres[heightUnit])) {
            snprintf(b->error, sizeof b->error, "line %lld: the distance goes back", line);
            return false;
        }
    }
    if (distanceUnit < 0) {
        snprintf(b->error, sizeof b->error, "%s", "an empty file");
        return false;
    }
    return true;
}
