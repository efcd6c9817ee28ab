// Any file where the tools keep their entries: read without a crash, every
// value within its range, and what is read written and read back the same.
#include <cstdint>
#include <cstring>

#include "model/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char text[SETTINGS_TEXT_MAX + 1];
    size_t n = size < SETTINGS_TEXT_MAX ? size : SETTINGS_TEXT_MAX;
    memcpy(text, data, n);
    text[n] = '\0';
    ToolsState state;
    ReadSettings(text, &state);
    if (state.page < 0 || state.page >= PAGES || state.solve < 0 || state.solve > 2 || state.direction < -1 ||
        state.direction > 1 || state.distanceUnit < 0 || state.distanceUnit > 4 || state.paceKind < 0 ||
        state.paceKind > 6 || state.splitUnit < 0 || state.splitUnit > 4 || state.resultUnit < 0 ||
        state.resultUnit > 4 || (state.sex != 0 && state.sex != 1))
        __builtin_trap();
    char written[SETTINGS_TEXT_MAX];
    if (WriteSettings(state, written, sizeof written) == 0)
        __builtin_trap();  // whatever is read fits the file again
    ToolsState again;
    char rewritten[SETTINGS_TEXT_MAX];
    if (!ReadSettings(written, &again) || WriteSettings(again, rewritten, sizeof rewritten) == 0 ||
        strcmp(written, rewritten) != 0)
        __builtin_trap();
    return 0;
}
