// Age grading from the 2025 road tables: how a time compares across ages
// and sexes. The tables (CC0) are compiled in from data/age-grade.
#ifndef VELTO_AGEGRADE_H
#define VELTO_AGEGRADE_H

const int AGE_DISTANCES = 22;  // 1 mile to 200 km
const int AGE_MIN = 5, AGE_MAX = 100, AGE_ROWS = AGE_MAX - AGE_MIN + 1;
enum { SEX_MAN, SEX_WOMAN };
extern const char *const szAgeTableVersions[2];
extern const double AGE_TABLE_KM[AGE_DISTANCES];
extern const double AGE_OPEN_SECONDS[2][AGE_DISTANCES];
extern const double AGE_FACTORS[2][AGE_ROWS][AGE_DISTANCES];

enum AgeGradeRefusal { AGE_GRADED, AGE_OUTSIDE, DISTANCE_OUTSIDE, NO_RESULT };

struct AgeGrade {
    AgeGradeRefusal status;
    long double factor;       // interpolated by distance between listed ones
    long double openSeconds;  // the age-free standard over the distance
    long double percent;      // (open standard / factor) / time x 100
    long double gradedSeconds;  // time x factor
    const char *level;        // "world class" ... "local class", or below
};

AgeGrade GradeByAge(int sex, int age, long double metres, long double seconds);

// An age as typed: true for a whole number of years from AGE_MIN to AGE_MAX.
bool ReadAge(const char *text, int *age);

#endif
