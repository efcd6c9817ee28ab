#include "model/course.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include <algorithm>

#include "model/units.h"

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
    b->lat.clear();
    b->lon.clear();
    b->geographic = false;
    b->start = 0;
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
    return std::isfinite(h) && h > -HEIGHT_LIMIT && h < HEIGHT_LIMIT ? h : NAN;
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
        long double hop = GeodesicMetres(b->lat.back(), b->lon.back(), lat, lon);
        if (hop < 0) {
            snprintf(b->error, sizeof b->error, "point %lld is on the other side of the earth from the one before",
                     b->points);
            return false;
        }
        at = b->metres.back() + hop;
    }
    b->geographic = true;
    size_t before = b->metres.size();
    Add(b, at, Height(height));
    if (b->metres.size() > before) {
        b->lat.push_back((double)lat);
        b->lon.push_back((double)lon);
    }
    return true;
}

bool AddDistancePoint(CourseBuilder *b, long double metres, long double height)
{
    b->points++;
    if (!std::isfinite(metres)) {
        snprintf(b->error, sizeof b->error, "%s", "the distance is beyond any number");
        return false;
    }
    if (b->metres.empty())
        b->start = metres;  // a course starts at its first point, wherever the file counts from
    if (metres < b->start + (b->metres.empty() ? 0 : b->metres.back())) {
        snprintf(b->error, sizeof b->error, "%s", "the distance goes back");
        return false;
    }
    Add(b, metres - b->start, Height(height));
    return true;
}

// Heights missing at some points: on the straight line between their
// neighbours that have one, or the nearest one's at the ends. False where
// no point has one.
static bool FillHeights(const std::vector<long double> &x, std::vector<long double> &h)
{
    size_t n = h.size(), known = n;
    for (size_t k = 0; k < n && known == n; k++)
        if (!std::isnan(h[k]))
            known = k;
    if (known == n) {
        h.assign(n, 0);
        return false;
    }
    for (size_t k = 0; k < n; k++) {
        if (!std::isnan(h[k]))
            continue;
        size_t next = k;
        while (next < n && std::isnan(h[next]))
            next++;
        for (size_t j = k; j < next; j++)
            h[j] = k == 0 ? h[next] : next == n ? h[k - 1]
                                                : h[k - 1] + (h[next] - h[k - 1]) * (x[j] - x[k - 1]) / (x[next] - x[k - 1]);
        k = next;
    }
    return true;
}

// The value at `at` of the least-squares line through raw[from..to], held
// within their heights: a steady grade is on its line, and no height is
// made beyond those of the file.
static double LineAt(const double *raw, int from, int to, int at)
{
    long double n = to - from + 1, meanX = (from + to) / 2.0L, meanY = 0, sxx = 0, sxy = 0;
    double low = raw[from], high = raw[from];
    for (int j = from; j <= to; j++) {
        meanY += raw[j];
        low = std::min(low, raw[j]);
        high = std::max(high, raw[j]);
    }
    meanY /= n;
    for (int j = from; j <= to; j++) {
        sxx += (j - meanX) * (j - meanX);
        sxy += (j - meanX) * (raw[j] - meanY);
    }
    double value = (double)(meanY + (sxx > 0 ? sxy / sxx : 0) * (at - meanX));
    return std::min(high, std::max(low, value));
}

// Each height the mean of those within `half` samples either side, which
// is the fitted line's value there; within `half` of an end, where the
// window would narrow to a few noisy samples, the line fitted to the
// twice as long stretch at that end.
static std::vector<double> Smoothed(const std::vector<double> &heights, int half)
{
    int steps = (int)heights.size() - 1;
    const double *raw = heights.data();
    std::vector<long double> running(heights.size() + 1, 0);
    long double *sums = running.data();
    for (int j = 0; j <= steps; j++)
        sums[j + 1] = sums[j] + raw[j];
    std::vector<double> smoothed(heights.size());
    double *out = smoothed.data();
    int end = 4 * half < steps ? 4 * half : steps;
    for (int j = 0; j <= steps; j++) {
        if (j - half < 0)
            out[j] = LineAt(raw, 0, end, j);
        else if (j + half > steps)
            out[j] = LineAt(raw, steps - end, steps, j);
        else
            out[j] = (double)((sums[j + half + 1] - sums[j - half]) / (2 * half + 1));
    }
    return smoothed;
}

bool FinishCourse(CourseBuilder *b, const char *name, Course *c)
{
    size_t n = b->metres.size();
    if (n < 2) {
        snprintf(b->error, sizeof b->error, "%s",
                 b->points == 0 ? "no points in this course" : "only one place in this course: no way to run");
        return false;
    }
    std::vector<long double> &h = b->height;
    bool withHeights = FillHeights(b->metres, h);
    long double metres = b->metres[n - 1];
    long double count = ceill(metres / PROFILE_STEP);
    int steps = count < 1 ? 1 : count > PROFILE_MAX - 1 ? PROFILE_MAX - 1 : (int)count;
    long double step = metres / steps;

    // Sampled evenly on the way, then smoothed over the window.
    std::vector<double> sampled((size_t)steps + 1);
    double *raw = sampled.data();
    size_t at = 0;
    for (int j = 0; j <= steps; j++) {
        long double x = j == steps ? metres : j * step;
        while (at + 2 < n && b->metres[at + 1] < x)
            at++;
        long double x0 = b->metres[at], x1 = b->metres[at + 1];
        long double t = x1 > x0 ? (x - x0) / (x1 - x0) : 0;
        t = t < 0 ? 0 : t > 1 ? 1 : t;
        raw[j] = (double)(h[at] + (h[at + 1] - h[at]) * t);
    }
    long double half = roundl(SMOOTHING_METRES / 2 / step);
    int window = half < steps ? (int)half : steps;  // a course of centimetres: all of it
    if (!SetProfile(c, metres, window > 0 ? Smoothed(sampled, window) : sampled, withHeights, b->error,
                    sizeof b->error))
        return false;
    snprintf(c->name, sizeof c->name, "%s", name);
    c->fileStart = b->start;
    c->waypoints = 0;
    c->points.clear();
    c->stations.clear();
    c->placing = {0, 0, 0};
    if (b->geographic) {
        c->points.resize(n);
        for (size_t k = 0; k < n; k++)
            c->points[k] = {b->lat[k], b->lon[k], (double)b->metres[k]};
    }
    return true;
}

// The heights with every rise and fall under the threshold left out: the
// turning points are where the way turns by the threshold or more, and
// between two of them the heights are made to run one way (the mean of
// the highest so far and the lowest still to come, on a rise).
static void Level(const std::vector<double> &heights, std::vector<double> *levels)
{
    int n = (int)heights.size();
    const double *h = heights.data();
    std::vector<int> turns;
    int direction = 0, low = 0, high = 0, extreme = 0;
    for (int j = 1; j < n; j++) {
        if (direction == 0) {
            low = h[j] < h[low] ? j : low;
            high = h[j] > h[high] ? j : high;
            if (h[j] - h[low] >= CLIMB_THRESHOLD || h[high] - h[j] >= CLIMB_THRESHOLD) {
                direction = h[j] - h[low] >= CLIMB_THRESHOLD ? 1 : -1;
                turns.push_back(direction > 0 ? low : high);
                extreme = j;
            }
        } else if ((h[j] - h[extreme]) * direction > 0) {
            extreme = j;
        } else if ((h[extreme] - h[j]) * direction >= CLIMB_THRESHOLD) {
            turns.push_back(extreme);
            direction = -direction;
            extreme = j;
        }
    }
    if (direction != 0)
        turns.push_back(extreme);
    levels->assign(heights.size(), turns.empty() ? h[0] : h[turns.front()]);
    double *level = levels->data();
    std::vector<double> lowestAhead(heights.size());
    double *ahead = lowestAhead.data();
    for (size_t t = 0; t + 1 < turns.size(); t++) {
        int from = turns[t], to = turns[t + 1];
        double sign = h[to] > h[from] ? 1 : -1;
        ahead[to] = h[to] * sign;
        for (int j = to - 1; j >= from; j--)
            ahead[j] = std::min(ahead[j + 1], h[j] * sign);
        double behind = h[from] * sign;
        for (int j = from; j <= to; j++) {
            behind = std::max(behind, h[j] * sign);
            level[j] = (behind + ahead[j]) / 2 * sign;
        }
    }
    if (!turns.empty())
        for (int j = turns.back(); j < n; j++)
            level[j] = h[turns.back()];
}

bool SetProfile(Course *c, long double metres, const std::vector<double> &heights, bool withHeights, char *why,
                size_t size)
{
    if (!std::isfinite(metres) || metres < COURSE_METRES_MIN) {
        snprintf(why, size, "%s", "the course is shorter than a metre: no way to run");
        return false;
    }
    if (heights.size() < 2 || heights.size() > (size_t)PROFILE_MAX) {
        snprintf(why, size, "the course's profile has %zu heights, not 2 to %d", heights.size(), PROFILE_MAX);
        return false;
    }
    for (double h : heights)
        if (!std::isfinite(h) || !(fabs(h) < HEIGHT_LIMIT)) {
            snprintf(why, size, "%s", "a height of the course is not one the earth has");
            return false;
        }
    c->metres = metres;
    c->heights = withHeights;
    c->steps = (int)heights.size() - 1;
    c->height = heights;
    Level(c->height, &c->level);
    c->climb = c->descent = 0;
    const double *height = c->height.data(), *level = c->level.data();
    c->lowest = c->highest = height[0];
    for (int j = 0; j < c->steps; j++) {
        long double rise = (long double)level[j + 1] - level[j];
        *(rise > 0 ? &c->climb : &c->descent) += fabsl(rise);
        c->lowest = std::min(c->lowest, (long double)height[j + 1]);
        c->highest = std::max(c->highest, (long double)height[j + 1]);
    }
    return true;
}

// A profile's value at x metres, between its samples.
static long double Between(const Course &c, const double *values, long double x)
{
    long double s = x / (c.metres / c.steps);
    int j = s <= 0 ? 0 : s >= c.steps ? c.steps - 1 : (int)s;
    long double t = s - j;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return values[j] + ((long double)values[j + 1] - values[j]) * t;
}

long double HeightAt(const Course &c, long double x)
{
    return Between(c, c.height.data(), x);
}

void ClimbBetween(const Course &c, long double from, long double to, long double *climb, long double *descent)
{
    *climb = *descent = 0;
    if (!(to > from))
        return;
    long double step = c.metres / c.steps;
    const double *level = c.level.data();
    long double last = Between(c, level, from);
    long double first = from / step;
    int j = first < 0 ? 0 : first >= c.steps ? c.steps : (int)first;
    for (j++; j <= c.steps && j * step < to; j++) {
        long double rise = level[j] - last;
        *(rise > 0 ? climb : descent) += fabsl(rise);
        last = level[j];
    }
    long double rise = Between(c, level, to) - last;
    *(rise > 0 ? climb : descent) += fabsl(rise);
}

void ProfileOutline(const Course &c, int width, int height, long double low, long double range, long double from,
                    long double to, std::vector<PlotPoint> *outline)
{
    outline->clear();
    if (width < 1 || height < 1 || !(range > 0) || !(to > from))
        return;
    long double left = from / c.metres * width, right = to / c.metres * width;
    int first = left < 0 ? 0 : left > width ? width : (int)left;
    int last = right > width ? width : right < 0 ? 0 : (int)ceill(right);
    for (int x = first; x <= last && last > first; x++) {
        long double y = (HeightAt(c, c.metres * x / width) - low) / range * height;
        y = !(y > 0) ? 0 : y > height ? height : y;
        outline->push_back({x, height - (int)y});
    }
}

// The time over a stretch of course at even effort, relative to the flat:
// 1 + hill x (C(i) / C(0) - 1), `hill` from 0 to 1, for the profile's step k.
static long double EffortFactor(const Course &c, int k, long double hill)
{
    if (k < 0 || k >= c.steps || !c.heights)
        return 1;
    const double *level = c.level.data();
    long double grade = ((long double)level[k + 1] - level[k]) / (c.metres / c.steps);
    return 1 + hill * (RunningCost(grade) / RunningCost(0) - 1);
}

void PlanOverCourse(const Course &c, long double hill, long double metres, long double seconds, long double a,
                    long double b, HillPlan *p)
{
    p->course = &c;
    p->hill = hill;
    p->unit = UNIT_KM;
    p->scale = metres / c.metres;
    long double dx = metres / c.steps;
    p->work.assign((size_t)c.steps + 1, 0);
    long double *work = p->work.data();
    for (int j = 0; j < c.steps; j++) {
        long double x0 = j * dx, x1 = (j + 1) * dx;
        work[j + 1] = work[j] + EffortFactor(c, j, hill) * (a * (x1 - x0) + b * (x1 * x1 - x0 * x0) / 2);
    }
    p->k = work[c.steps] > 0 ? seconds / work[c.steps] : 0;
}

long double HillSecondsAt(const HillPlan &p, long double a, long double b, long double x)
{
    const Course &c = *p.course;
    long double dx = p.scale * c.metres / c.steps;
    long double s = x / dx;
    int j = s <= 0 ? 0 : s >= c.steps ? c.steps - 1 : (int)s;
    long double x0 = j * dx;
    return p.k * (p.work.data()[j] + EffortFactor(c, j, p.hill) * (a * (x - x0) + b * (x * x - x0 * x0) / 2));
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

// The heading row's units, by the words it holds: false where either is missing.
static bool HeadingUnits(const char *first, size_t firstLength, const char *second, size_t secondLength,
                         int *distanceUnit, int *heightUnit)
{
    const char *const distanceUnits[3] = {UNIT_TABLE[UNIT_KM].words, UNIT_TABLE[UNIT_MILE].words, "m"};
    const char *const heightUnits[2] = {"m", "ft"};
    char a[64], h[64];
    snprintf(a, sizeof a, "%.*s", (int)(firstLength < 63 ? firstLength : 63), first);
    snprintf(h, sizeof h, "%.*s", (int)(secondLength < 63 ? secondLength : 63), second);
    *distanceUnit = UnitOf(a, distanceUnits, 3);
    *heightUnit = UnitOf(h, heightUnits, 2);
    return *distanceUnit >= 0 && *heightUnit >= 0;
}

bool ReadCourseCsv(const char *text, size_t length, CourseBuilder *b)
{
    const long double distanceMetres[3] = {UNIT_TABLE[UNIT_KM].metres, UNIT_TABLE[UNIT_MILE].metres, 1};
    const long double heightMetres[2] = {1, FOOT_METRES};
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
            if (HeadingUnits(row, first, second, rest, &distanceUnit, &heightUnit))
                continue;
            snprintf(b->error, sizeof b->error, "%s",
                     "the first line must name the units: km, mi or m for the distance, m or ft for the height");
            return false;
        }
        long double metres, height;
        if (!Number(row, first, &metres) || !Number(second, rest, &height)) {
            snprintf(b->error, sizeof b->error, "line %lld: not a distance and a height", line);
            return false;
        }
        if (!AddDistancePoint(b, metres * distanceMetres[distanceUnit], height * heightMetres[heightUnit])) {
            char reason[sizeof b->error];
            memcpy(reason, b->error, sizeof reason);
            snprintf(b->error, sizeof b->error, "line %lld: %.100s", line, reason);
            return false;
        }
    }
    if (distanceUnit < 0) {
        snprintf(b->error, sizeof b->error, "%s", "an empty file");
        return false;
    }
    return true;
}
