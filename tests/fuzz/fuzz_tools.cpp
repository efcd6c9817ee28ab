// The runner's tools on any entries: the three entries of a plan read from
// any text, in any unit and kind, the notes beside them, and the split table
// of what they give: never a crash, a hang, a NaN, a text cut short or a
// table beyond its cap.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/plan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    int solve = data[0] % 3, unit = data[1] % UNITS, kind = data[2] % PACE_KINDS;
    int direction = data[0] / 3 % 3 - 1, decimals = data[1] / UNITS % 5;
    data += 3;
    size -= 3;
    // Three entries, parted by newlines.
    char text[3][72] = {"", "", ""};
    for (int k = 0, n = 0; size > 0 && k < 3; data++, size--) {
        if (*data == '\n') {
            k++;
            n = 0;
        } else if (n < 71) {
            text[k][n++] = (char)*data;
            text[k][n] = '\0';
        }
    }
    Plan plan = SolvePlan(solve, text[0], text[1], unit, text[2], kind);
    if (plan.solved && (std::isnan(plan.seconds) || std::isnan(plan.metres) || std::isnan(plan.secondsPerMetre) ||
                        !(plan.seconds > 0) || !(plan.metres > 0)))
        __builtin_trap();
    char note[NOTE_SIZE + 1];
    for (int entry = 0; entry < 3; entry++) {
        PlanNote(plan, entry, unit, kind, decimals, note, NOTE_SIZE);
        if (strlen(note) >= NOTE_SIZE - 1)  // every note fits its line
            __builtin_trap();
    }
    long double percent = 0;
    ReadAmount(text[2], &percent);
    SplitTable table;
    if (plan.solved && PlanSplitTable(plan.metres, plan.seconds, unit, direction, percent, decimals, &table)) {
        if (table.rows < 1 || table.rows > SPLIT_ROWS_MAX || table.every < 1)
            __builtin_trap();
        const long long rows[4] = {0, table.rows / 2, table.rows - 2, table.rows - 1};
        for (long long k : rows) {
            if (k < 0)
                continue;
            SplitTexts row;
            SplitRowTexts(table, k, &row);
            if (strlen(row.unit) >= sizeof row.unit - 1 || strlen(row.at) >= sizeof row.at - 1 ||
                strstr(row.at, "nan") || strstr(row.split, "nan") || strstr(row.pace, "nan"))
                __builtin_trap();
        }
    }
    return 0;
}
