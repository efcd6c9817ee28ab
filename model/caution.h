// What no runner can do: a plan faster than the world's best over its
// distance is most likely a slip of the keyboard ("4.30" for 4:30), and is
// said so beside the entry; nothing is refused.
#ifndef VELTO_CAUTION_H
#define VELTO_CAUTION_H

#include <cstddef>

#include "model/plan.h"

// The caution for an entry of the plan, typed as `text`: what was read, and
// what was probably meant where a likely reading is possible. False, with
// nothing in buf, when the entry is possible or not typed.
bool PlanCaution(const Plan &plan, int entry, const char *text, int distanceUnit, int paceKind, int decimals,
                 char *buf, size_t size);

#endif
