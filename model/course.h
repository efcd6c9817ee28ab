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
// start to the finish, smoothed (see SmoothProfile).
const int PROFILE_MAX = 20001;
const long double PROFILE_STEP = 10;       // metres, or longer past 200 km
const long double SMOOTHING_METRES = 100;  // the moving window of the heights
struct Course {
    char name[64];
    bool heights;        // false: the file had none, the course is flat
    long double metres;  // its own length
    int steps;
    double height[PROFILE_MAX];
    long double climb, descent, lowest, highest;  // after smoothing
};

// The points of a course as they are read, in order.
struct CourseBuilder {
    std::vector<long double> metres, height;  // height NaN where a point has none
    bool geographic;                          // points given by latitude and longitude
    long double lat, lon;                     // the last such point
    long long points;                         // read, repeated ones too
    char error[160];                          // why the course cannot be used
};
void BeginCourse(CourseBuilder *builder);
// A GPX point; false, with the reason, for a latitude or longitude that is
// not a number in range. A point repeated adds nothing.
bool AddGeoPoint(CourseBuilder *builder, long double lat, long double lon, long double height);
// A point by its distance from the start; false when it goes back.
bool AddDistancePoint(CourseBuilder *builder, long double metres, long double height);

// The profile of what was read, named: false, with the reason, for fewer
// than two distinct points. Heights missing at some points are taken
// between their neighbours; with none at all the course is flat.
bool FinishCourse(CourseBuilder *builder, const char *name, Course *course);

// A CSV of distance and height: a heading row that names the units (km, mi
// or m for the distance, m or ft for the height), then a row per point.
// False, with the line and the reason, for anything else.
bool ReadCourseCsv(const char *text, size_t length, CourseBuilder *builder);

// Climb, descent, lowest and highest point of a course's profile.
void ProfileFigures(Course *course);

// The course's climb and descent between two of its own distances.
void ClimbBetween(const Course &course, long double from, long double to, long double *climb, long double *descent);

// A plan over a course: its distance spread evenly over the course's own
// length, and the work of even effort at the strategy's pace ramp a + b x
// (seconds a metre at x) up to each profile point. `hill` 0 gives the
// ramp itself.
struct HillPlan {
    const Course *course;
    long double hill;
    long double scale;  // the plan's metres per metre of the course
    long double k;      // the plan's seconds per unit of work
    bool feet;          // heights shown in feet (beside miles), else metres
    long double work[PROFILE_MAX];
};
void PlanOverCourse(const Course &course, long double hill, long double metres, long double seconds, long double a,
                    long double b, HillPlan *plan);
// Seconds from the start to x metres of the plan.
long double HillSecondsAt(const HillPlan &plan, long double a, long double b, long double x);

#endif
