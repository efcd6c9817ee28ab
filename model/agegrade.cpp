#include "model/agegrade.h"

#include <cmath>

#include "time/clocktext.h"

AgeGrade GradeByAge(int sex, int age, long double metres, long double seconds)
{
    AgeGrade grade = {};
    grade.level = "";
    if (age < AGE_MIN || age > AGE_MAX || (sex != SEX_MAN && sex != SEX_WOMAN)) {
        grade.status = AGE_OUTSIDE;
        return grade;
    }
    long double km = metres / 1000;
    const double *listed = AGE_TABLE_KM;
    // The tables' mile is 1.60934 km; a mile typed in miles is a hair longer.
    if (!(km >= listed[0] - 1e-9L && km <= listed[AGE_DISTANCES - 1] + 1e-9L)) {
        grade.status = DISTANCE_OUTSIDE;
        return grade;
    }
    if (!(seconds > 0) || !std::isfinite(seconds)) {
        grade.status = NO_RESULT;
        return grade;
    }
    // Between the two listed distances around it, both the factor and the
    // open standard go in a straight line.
    int k = 0;
    while (k < AGE_DISTANCES - 2 && km > listed[k + 1])
        k++;
    long double t = (km - listed[k]) / (listed[k + 1] - listed[k]);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double *factors = AGE_FACTORS[sex][age - AGE_MIN];
    grade.factor = factors[k] + t * (factors[k + 1] - factors[k]);
    grade.openSeconds = AGE_OPEN_SECONDS[sex][k] + t * (AGE_OPEN_SECONDS[sex][k + 1] - AGE_OPEN_SECONDS[sex][k]);
    grade.percent = grade.openSeconds / grade.factor / seconds * 100;
    grade.gradedSeconds = seconds * grade.factor;
    grade.level = grade.percent >= 90   ? "world class"
                  : grade.percent >= 80 ? "national class"
                  : grade.percent >= 70 ? "regional class"
                  : grade.percent >= 60 ? "local class"
                                        : "below the local class";
    grade.status = AGE_GRADED;
    return grade;
}

bool ReadAge(const char *text, int *age)
{
    long double years = 0;
    if (ReadAmount(text, &years) != READ_OK || years != floorl(years) || years < AGE_MIN || years > AGE_MAX)
        return false;
    *age = (int)years;
    return true;
}
