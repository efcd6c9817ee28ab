// Any plan file: read or refused without a crash, every value in its
// range, and what is read written and read back the same.
#include <cstdint>
#include <string>

#include "model/planfile.h"

static Course course, again;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ToolsState state = TOOLS_DEFAULTS;
    bool withCourse = false;
    char why[160];
    if (!ReadPlanFile(reinterpret_cast<const char *>(data), size, &state, &course, &withCourse, why, sizeof why))
        return 0;
    if (state.splitUnit < 0 || state.splitUnit > 4 || state.direction < -1 || state.direction > 1)
        __builtin_trap();
    std::string text = WritePlanFile(state, withCourse ? &course : nullptr);
    ToolsState read = TOOLS_DEFAULTS;
    bool with = false;
    if (!ReadPlanFile(text.data(), text.size(), &read, &again, &with, why, sizeof why) ||
        WritePlanFile(read, with ? &again : nullptr) != text)
        __builtin_trap();
    return 0;
}
