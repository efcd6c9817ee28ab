// The pace band: strips about 3 cm wide of large black digits on white, to
// cut out and wear on the wrist, each headed by the plan. One function
// draws it into any device context: a printer's page, or a metafile.
#include <cstdio>
#include <cstring>

#include "ui/tools/tools.h"

// Lengths in tenths of a millimetre, turned into the context's pixels.
static int Pixels(HDC hdc, int index, int tenthsMm)
{
    return MulDiv(tenthsMm, GetDeviceCaps(hdc, index), 254);
}

static HFONT BandFont(int height, int weight)
{
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                       ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

// The band's measures in the context's pixels.
struct Band {
    int stripWidth, gap, rowDigits, pad, headingLine, profileHeight, rowHeight, columns, perStrip;
    HFONT digits, small;
};
static const int HEADING_LINES = 3;

static Band Measure(HDC hdc, const RECT &area, const SplitTable &table)
{
    Band b;
    b.stripWidth = Pixels(hdc, LOGPIXELSX, 300);
    b.gap = Pixels(hdc, LOGPIXELSX, 60);
    b.rowDigits = Pixels(hdc, LOGPIXELSY, 55);
    b.pad = Pixels(hdc, LOGPIXELSX, 15);
    b.headingLine = Pixels(hdc, LOGPIXELSY, 35);
    // Over a course: its profile under the heading, and under each row its
    // climb, descent and effort pace in small print.
    b.profileHeight = table.hills ? Pixels(hdc, LOGPIXELSY, 120) : 0;
    b.rowHeight = table.hills ? b.rowDigits + b.headingLine : b.rowDigits;
    b.columns = (area.right - area.left + b.gap) / (b.stripWidth + b.gap);
    b.perStrip = (area.bottom - area.top - HEADING_LINES * b.headingLine - b.profileHeight - b.pad * 2) / b.rowHeight;
    b.columns = b.columns < 1 ? 1 : b.columns;
    b.perStrip = b.perStrip < 1 ? 1 : b.perStrip;
    // The digits as large as the widest row lets them be within the strip:
    // the last row is the widest, the longest label and the longest time.
    int height = Pixels(hdc, LOGPIXELSY, 42);
    b.digits = BandFont(height, FW_BOLD);
    b.small = BandFont(b.headingLine * 4 / 5, FW_NORMAL);
    SplitTexts last;
    SplitRowTexts(table, table.rows > 0 ? table.rows - 1 : 0, &last);
    char sample[sizeof last.unit + sizeof last.at + 2];
    snprintf(sample, sizeof sample, "%s  %s", last.unit, last.at);
    HGDIOBJ old = SelectObject(hdc, b.digits);
    SIZE widest;
    GetTextExtentPoint32A(hdc, sample, (int)strlen(sample), &widest);
    SelectObject(hdc, old);
    if (widest.cx > b.stripWidth - 2 * b.pad) {
        DeleteObject(b.digits);
        b.digits = BandFont(MulDiv(height, b.stripWidth - 2 * b.pad, widest.cx), FW_BOLD);
    }
    return b;
}

// The heading at the top of a strip: the plan, one part a line ("26.22
// Mi.", "in 3:29:45.6", "even pace").
static void Heading(HDC hdc, const Band &b, int left, int top, const char *heading)
{
    SelectObject(hdc, b.small);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    char lines[HEADING_LINES][96] = {"", "", ""};
    const char *from = heading;
    for (int k = 0; k < HEADING_LINES && from && *from; k++) {
        const char *cut = k == 0 ? strstr(from, " in ") : k == 1 ? strstr(from, ", ") : NULL;
        size_t n = cut ? (size_t)(cut - from) : strlen(from);
        snprintf(lines[k], sizeof lines[k], "%.*s", (int)n, from);
        from = cut ? cut + (k == 0 ? 4 : 2) : NULL;
    }
    for (int k = 0; k < HEADING_LINES; k++)
        TextOutA(hdc, left + b.pad, top + b.pad + k * b.headingLine, lines[k], (int)strlen(lines[k]));
}

// One row: the unit it ends at and the time there, in large digits; over a
// course, its climb, descent and effort pace under them.
static void Row(HDC hdc, const Band &b, int left, int y, const SplitTable &table, long long row)
{
    SplitTexts texts;
    SplitRowTexts(table, row, &texts);
    MoveToEx(hdc, left, y, NULL);
    LineTo(hdc, left + b.stripWidth, y);
    SelectObject(hdc, b.digits);
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    TextOutA(hdc, left + b.pad, y + b.pad / 2, texts.unit, (int)strlen(texts.unit));
    SetTextAlign(hdc, TA_RIGHT | TA_TOP);
    TextOutA(hdc, left + b.stripWidth - b.pad, y + b.pad / 2, texts.at, (int)strlen(texts.at));
    if (table.hills) {
        char line[96];
        snprintf(line, sizeof line, "+%s -%s, effort %s", texts.climb, texts.descent, texts.effort);
        SelectObject(hdc, b.small);
        SetTextAlign(hdc, TA_LEFT | TA_TOP);
        TextOutA(hdc, left + b.pad, y + b.rowDigits - b.pad / 2, line, (int)strlen(line));
    }
}

int DrawPaceBand(HDC hdc, const RECT &area, const SplitTable &table, const char *heading, int page)
{
    Band b = Measure(hdc, area, table);
    long long perPage = (long long)b.columns * b.perStrip;
    int pages = (int)((table.rows + perPage - 1) / perPage);
    HGDIOBJ oldFont = SelectObject(hdc, b.digits);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    int top = area.top, headed = top + b.pad + HEADING_LINES * b.headingLine;
    long long row = (long long)page * perPage;
    for (int column = 0; column < b.columns && row < table.rows; column++) {
        int left = area.left + column * (b.stripWidth + b.gap);
        long long rows = table.rows - row < b.perStrip ? table.rows - row : b.perStrip;
        Rectangle(hdc, left, top, left + b.stripWidth, headed + b.pad + b.profileHeight + (int)rows * b.rowHeight);
        Heading(hdc, b, left, top, heading);
        if (table.hills) {
            RECT profile = {left + b.pad, headed, left + b.stripWidth - b.pad, headed + b.profileHeight - b.pad / 2};
            DrawProfile(hdc, profile, *table.hills->course, &table, -1, table.hills->unit, true);
            SetBkMode(hdc, TRANSPARENT);
        }
        for (int k = 0, y = headed + b.profileHeight; k < b.perStrip && row < table.rows; k++, row++, y += b.rowHeight)
            Row(hdc, b, left, y, table, row);
    }
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldFont);
    DeleteObject(pen);
    DeleteObject(b.digits);
    DeleteObject(b.small);
    return pages > 0 ? pages : 1;
}
