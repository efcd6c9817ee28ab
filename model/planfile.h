// A race-day plan as a file of its own (.veltoplan): UTF-8 text, a version
// line first, then one key a line: the plan's entries as the tools hold
// them, and the course's name with its smoothed profile, so that the file
// stands alone. It states its own extent (the number of heights it carries,
// and a last line), so that a file cut short is known as such.
#ifndef VELTO_PLANFILE_H
#define VELTO_PLANFILE_H

#include <cstddef>
#include <string>

#include "model/course.h"
#include "model/settings.h"

std::string WritePlanFile(const ToolsState &state, const Course *course);

// Reads a plan file over *state (its plan keys only) and, where it has one,
// *course (*withCourse says so). False, with the reason in `why`, for a
// text that is not such a file, is damaged, is cut short of the extent it
// states or is of a later version; then nothing is changed. Files of the
// first version state no extent, and are read as far as they go.
bool ReadPlanFile(const char *text, size_t length, ToolsState *state, Course *course, bool *withCourse, char *why,
                  size_t size);

#endif
