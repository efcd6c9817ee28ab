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

int DrawPaceBand(HDC hdc, const RECT &area, const SplitTable &table, const char *heading, int page)
{
    const int stripWidth = Pixels(hdc, LOGPIXELSX, 300), gap = Pixels(hdc, LOGPIXELSX, 60);
    const int rowDigits = Pixels(hdc, LOGPIXELSY, 55), pad = Pixels(hdc, LOGPIXELSX, 15);
    const int headingLine = Pixels(hdc, LOGPIXELSY, 35), headingLines = 3;
    // Over a course: its profile under the heading, and under each row its
    // climb, descent and effort pace in small print.
    const bool hills = table.hills != NULL;
    const int profileHeight = hills ? Pixels(hdc, LOGPIXELSY, 120) : 0;
    const int rowHeight = hills ? rowDigits + headingLine : rowDigits;
    int columns = (area.right - area.left + gap) / (stripWidth + gap);
    int perStrip = (area.bottom - area.top - headingLines * headingLine - profileHeight - pad * 2) / rowHeight;
    if (columns < 1)
        columns = 1;
    if (perStrip < 1)
        perStrip = 1;
    long long perPage = (long long)columns * perStrip;
    int pages = (int)((table.rows + perPage - 1) / perPage);

    // The digits as large as the widest row lets them be within the strip.
    int height = Pixels(hdc, LOGPIXELSY, 42);
    HFONT digits = BandFont(height, FW_BOLD), small = BandFont(headingLine * 4 / 5, FW_NORMAL);
    HGDIOBJ oldFont = SelectObject(hdc, digits);
    // The last row is the widest: the longest label and the longest time.
    SplitTexts last;
    SplitRowTexts(table, table.rows > 0 ? table.rows - 1 : 0, &last);
    char sample[sizeof last.unit + sizeof last.at + 2];
    snprintf(sample, sizeof sample, "%s  %s", last.unit, last.at);
    SIZE widest;
    GetTextExtentPoint32A(hdc, sample, (int)strlen(sample), &widest);
    if (widest.cx > stripWidth - 2 * pad) {
        SelectObject(hdc, oldFont);
        DeleteObject(digits);
        digits = BandFont(MulDiv(height, stripWidth - 2 * pad, widest.cx), FW_BOLD);
        SelectObject(hdc, digits);
    }
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));

    long long row = (long long)page * perPage;
    for (int column = 0; column < columns && row < table.rows; column++) {
        int left = area.left + column * (stripWidth + gap), top = area.top;
        int bottom = top + 2 * pad + headingLines * headingLine + profileHeight +
                     (int)((table.rows - row < perStrip ? table.rows - row : perStrip) * rowHeight);
        Rectangle(hdc, left, top, left + stripWidth, bottom);  // the line to cut along

        // The heading: the plan, one part a line ("26.22 Mi. in 3:29:45.6, even pace").
        SelectObject(hdc, small);
        SetTextAlign(hdc, TA_LEFT | TA_TOP);
        char lines[headingLines][96] = {"", "", ""};
        const char *from = heading;
        for (int k = 0; k < headingLines && from && *from; k++) {
            const char *cut = k == 0 ? strstr(from, " in ") : k == 1 ? strstr(from, ", ") : NULL;
            size_t n = cut ? (size_t)(cut - from) : strlen(from);
            snprintf(lines[k], sizeof lines[k], "%.*s", (int)n, from);
            from = cut ? cut + (k == 0 ? 4 : 2) : NULL;
        }
        for (int k = 0; k < headingLines; k++)
            TextOutA(hdc, left + pad, top + pad + k * headingLine, lines[k], (int)strlen(lines[k]));

        if (hills) {
            RECT profile = {left + pad, top + pad + headingLines * headingLine, left + stripWidth - pad,
                            top + pad + headingLines * headingLine + profileHeight - pad / 2};
            DrawProfile(hdc, profile, *table.hills->course, &table, -1, table.hills->unit);
            SetBkMode(hdc, TRANSPARENT);
        }
        SelectObject(hdc, digits);
        int y = top + pad + headingLines * headingLine + profileHeight;
        for (int k = 0; k < perStrip && row < table.rows; k++, row++, y += rowHeight) {
            SplitTexts texts;
            SplitRowTexts(table, row, &texts);
            MoveToEx(hdc, left, y, NULL);
            LineTo(hdc, left + stripWidth, y);
            SetTextAlign(hdc, TA_LEFT | TA_TOP);
            TextOutA(hdc, left + pad, y + pad / 2, texts.unit, (int)strlen(texts.unit));
            SetTextAlign(hdc, TA_RIGHT | TA_TOP);
            TextOutA(hdc, left + stripWidth - pad, y + pad / 2, texts.at, (int)strlen(texts.at));
            if (hills) {
                char line[96];
                snprintf(line, sizeof line, "+%s -%s, effort %s", texts.climb, texts.descent, texts.effort);
                SelectObject(hdc, small);
                SetTextAlign(hdc, TA_LEFT | TA_TOP);
                TextOutA(hdc, left + pad, y + rowDigits - pad / 2, line, (int)strlen(line));
                SelectObject(hdc, digits);
            }
        }
    }
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldFont);
    DeleteObject(pen);
    DeleteObject(digits);
    DeleteObject(small);
    return pages > 0 ? pages : 1;
}
