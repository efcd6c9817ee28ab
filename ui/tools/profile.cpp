// A course's height profile: the area under its smoothed heights, the
// lowest and highest labelled, a mark where each split ends, and the
// stretch of one row of the table shown apart. Drawn into any device
// context: the Splits page, the head of a printed pace band, a metafile.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/course.h"
#include "ui/tools/tools.h"

// The area under the profile from `from` to `to` metres of the course.
static void Area(HDC hdc, const Course &c, const RECT &plot, long double low, long double range, long double from,
                 long double to)
{
    std::vector<PlotPoint> outline;
    ProfileOutline(c, plot.right - plot.left, plot.bottom - plot.top, low, range, from, to, &outline);
    if (outline.size() < 2)
        return;
    std::vector<POINT> points(outline.size());
    std::transform(outline.begin(), outline.end(), points.begin(),
                   [&](const PlotPoint &p) { return POINT{plot.left + p.x, plot.top + p.y}; });
    points.push_back({plot.left + outline.back().x, plot.bottom});
    points.push_back({plot.left + outline.front().x, plot.bottom});
    Polygon(hdc, points.data(), (int)points.size());
}

void DrawProfile(HDC hdc, const RECT &area, const Course &course, const SplitTable *table, long long selected,
                 int unit)
{
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(hdc, &tm);
    FillRect(hdc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    long double low = course.lowest, range = course.highest - course.lowest;
    if (range < 1)
        range = 1;  // flat: a line at the foot
    char top[32], bottom[32];
    long double perHeight = HeightUnitMetres(unit);
    snprintf(top, sizeof top, "%.0f %s", (double)(course.highest / perHeight), UNIT_TABLE[unit].height);
    snprintf(bottom, sizeof bottom, "%.0f %s", (double)(course.lowest / perHeight), UNIT_TABLE[unit].height);
    SIZE label;
    GetTextExtentPoint32A(hdc, top, (int)strlen(top), &label);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    TextOutA(hdc, area.left + 2, area.top + 1, top, (int)strlen(top));
    SetTextAlign(hdc, TA_LEFT | TA_BOTTOM);
    TextOutA(hdc, area.left + 2, area.bottom - 1, bottom, (int)strlen(bottom));
    RECT plot = {area.left + label.cx + 8, area.top + tm.tmHeight / 2, area.right - 2, area.bottom - tm.tmHeight / 2};
    if (plot.right - plot.left < 8 || plot.bottom - plot.top < 4 || course.steps < 1) {
        SelectObject(hdc, oldFont);
        return;
    }
    HPEN line = CreatePen(PS_SOLID, 0, RGB(40, 70, 110));
    HBRUSH fill = CreateSolidBrush(RGB(170, 190, 215)), shown = CreateSolidBrush(RGB(240, 160, 60));
    HGDIOBJ oldPen = SelectObject(hdc, line), oldBrush = SelectObject(hdc, fill);
    Area(hdc, course, plot, low, range, 0, course.metres);
    if (table && table->hills && selected >= 0 && selected < table->rows) {
        long double from, to;
        SplitRowSpan(*table, selected, &from, &to);
        SelectObject(hdc, shown);
        Area(hdc, course, plot, low, range, from / table->hills->scale, to / table->hills->scale);
    }
    // Where each split ends, while they are few enough to tell apart.
    if (table && table->hills && table->rows <= (plot.right - plot.left) / 3) {
        for (long long k = 0; k + 1 < table->rows; k++) {
            long double from, to;
            SplitRowSpan(*table, k, &from, &to);
            int x = plot.left + (int)(to / table->metres * (plot.right - plot.left));
            MoveToEx(hdc, x, plot.bottom, NULL);
            LineTo(hdc, x, plot.bottom - (plot.bottom - plot.top) / 4);
        }
    }
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldFont);
    DeleteObject(line);
    DeleteObject(fill);
    DeleteObject(shown);
}
