// A race course: its heights along the way, from a GPX track (its points'
// latitude, longitude and height) or from a CSV of distance and height;
// smoothed, stretched to a plan's distance, and the pace of even effort
// over its hills. Pure code: distances in metres, heights in metres.
#ifndef VELTO_COURSE_H
#define VELTO_COURSE_H

#include <cstddef>
#include <vector>

// Metres between two points on the WGS-84 ellipsoid (Vincenty's inverse
// formula), or -1 for two points nearly opposite, where it finds none.
long double GeodesicMetres(long double lat1, long double lon1, long double lat2, long double lon2);

// The energy cost of running on a gradient i (rise over run, held within
// +-0.45), in J/(kg m): Minetti et al., J Appl Physiol 93:1039, 2002.
long double RunningCost(long double grade);

// A course's profile: heights at `steps` + 1 evenly spaced points from the
// start to the finish, each the local mean of the heights read (see
// FinishCourse).
const int PROFILE_MAX = 20001;
const long double PROFILE_STEP = 10;       // metres, or longer past 200 km
const long double SMOOTHING_METRES = 100;  // the moving window of the heights
// A rise or fall counts as climb or descent once it passes this against the
// last turning point, as watches count it: GPS noise does not.
const long double CLIMB_THRESHOLD = 5;
// Heights of a size the earth has, and a course at least this long.
const double HEIGHT_LIMIT = 12000;
const long double COURSE_METRES_MIN = 1;

// A named place of a GPX file, off the way or on it: latitude and longitude
// in degrees, its height (NaN where none is given).
struct Waypoint {
    double lat, lon, height;
    char name[48];
};

// A place on the way, where the file gave one: latitude and longitude in
// degrees, and its distance from the start.
struct CoursePoint {
    double lat, lon, metres;
};

// A station of a course: a named waypoint of its file near it, placed along
// it (see PlaceStations).
struct Station {
    char name[48];
    long double metres;  // along the course, its own metres
    double lat, lon;
};

// What became of a file's waypoints: left out for having no name or for
// being too far from the course; placed where another is.
struct Placing {
    long long unnamed, distant, shared;
};

struct Course {
    char name[64];
    bool heights;            // false: the file had none, the course is flat
    long double metres;      // its own length
    long double fileStart;   // where in the file it starts: a CSV's first distance
    long long waypoints;     // read from so many waypoints, the file having no track or route; else 0
    int steps;
    std::vector<double> height;  // steps + 1, smoothed
    // The same with every rise and fall under CLIMB_THRESHOLD left out: what
    // climb, descent and the grades of even effort are taken from.
    std::vector<double> level;
    long double climb, descent, lowest, highest;
    std::vector<CoursePoint> points;  // from a GPX; none from a CSV
    std::vector<Station> stations;    // by distance
    Placing placing;                  // of the file's waypoints
};

// The points of a course as they are read, in order.
struct CourseBuilder {
    std::vector<long double> metres, height;  // height NaN where a point has none
    std::vector<double> lat, lon;             // of each point, when given by latitude and longitude
    bool geographic;                          // points given by latitude and longitude
    long double start;                        // the distance of the first point, which becomes 0
    long long points;                         // read, repeated ones too
    char error[160];                          // why the course cannot be used
};
void BeginCourse(CourseBuilder *builder);
// A GPX point; false, with the reason, for a latitude or longitude that is
// not a number in range. A point repeated adds nothing.
bool AddGeoPoint(CourseBuilder *builder, long double lat, long double lon, long double height);
// A point by its distance; false, with the reason, for a distance beyond
// any number or one that goes back. The first point's distance is the
// start, whatever the file counts from.
bool AddDistancePoint(CourseBuilder *builder, long double metres, long double height);

// The profile of what was read, named: false, with the reason, for fewer
// than two distinct points or a course shorter than a metre. Heights
// missing at some points are taken between their neighbours; with none at
// all the course is flat. The heights are sampled every PROFILE_STEP and
// each is the value at its place of the straight line fitted to those
// within SMOOTHING_METRES / 2 either side (within 100 m of its end, near
// an end): a steady grade keeps its value, and the noise of a GPS shrinks.
bool FinishCourse(CourseBuilder *builder, const char *name, Course *course);

// A course's profile from its smoothed heights, as a plan file keeps them:
// false, with the reason, unless the course is at least a metre long, has
// 2 to PROFILE_MAX finite heights of a size the earth has. Every course is
// made through here, so that every course keeps these.
bool SetProfile(Course *course, long double metres, const std::vector<double> &heights, bool withHeights,
                char *why, size_t size);

// A CSV of distance and height: a heading row that names the units (km, mi
// or m for the distance, m or ft for the height), then a row per point.
// False, with the line and the reason, for anything else.
bool ReadCourseCsv(const char *text, size_t length, CourseBuilder *builder);

// The course's smoothed height at x metres of its own length, held at its ends.
long double HeightAt(const Course &course, long double x);

// The course's climb and descent between two of its own distances.
void ClimbBetween(const Course &course, long double from, long double to, long double *climb, long double *descent);

// The outline of a profile drawn `width` pixels wide and `height` high:
// for each pixel column from `from` to `to` metres of the course, its x
// and the y of the height there, `low` at the foot and `low` + `range` at
// the top (y grows downwards). Empty when there is nothing to draw.
struct PlotPoint {
    int x, y;
};
void ProfileOutline(const Course &course, int width, int height, long double low, long double range, long double from,
                    long double to, std::vector<PlotPoint> *outline);

// A plan over a course: its distance spread evenly over the course's own
// length, and the work of even effort at the strategy's pace ramp a + b x
// (seconds a metre at x) up to each profile point. `hill` 0 gives the
// ramp itself.
struct HillPlan {
    const Course *course;
    long double hill;
    long double scale;  // the plan's metres per metre of the course
    long double k;      // the plan's seconds per unit of work
    int unit;           // heights are shown in the height unit beside this distance unit
    std::vector<long double> work;
};
void PlanOverCourse(const Course &course, long double hill, long double metres, long double seconds, long double a,
                    long double b, HillPlan *plan);
// Seconds from the start to x metres of the plan.
long double HillSecondsAt(const HillPlan &plan, long double a, long double b, long double x);

#endif
