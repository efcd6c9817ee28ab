// A course's height profile: the area under its smoothed heights, the
// lowest and highest labelled, a mark where each split ends, the stretch of
// one row of the table shown apart, its stations flagged and its distance
// marked along the foot. Drawn into any device
// context: the Splits page, the head of a printed pace band, a metafile.
#include <algorithm>
#include <cmath>
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

// Distance marks along the foot of the plot: every 1, 5, 10 or 20 units
// (or more on a long course), the first that keeps their labels apart.
static void DistanceMarks(HDC hdc, const RECT &plot, long double metres, int unit)
{
    long double units = metres / UNIT_TABLE[unit].metres;
    SIZE widest;
    char label[32];
    snprintf(label, sizeof label, "%.0Lf", units);
    GetTextExtentPoint32A(hdc, label, (int)strlen(label), &widest);
    int width = plot.right - plot.left;
    long double step = 0;
    for (int power = 0; power <= 12 && step == 0; power++) {
        long double factor = powl(10, power);
        long double steps[4] = {1 * factor, 5 * factor, 10 * factor, 20 * factor};
        long double *fits = std::find_if(steps, steps + 4, [&](long double each) {
            return each / units * width >= widest.cx * 2;
        });
        if (fits != steps + 4 || power == 12)
            step = fits != steps + 4 ? *fits : steps[3];
    }
    SetTextAlign(hdc, TA_CENTER | TA_TOP);
    for (long long k = 1; k * step < units; k++) {
        long double at = k * step;
        int x = plot.left + (int)(at / units * width);
        MoveToEx(hdc, x, plot.bottom, NULL);
        LineTo(hdc, x, plot.bottom + 3);
        snprintf(label, sizeof label, "%.0Lf", at);
        TextOutA(hdc, x, plot.bottom + 3, label, (int)strlen(label));
    }
}

// The stations: a small flag over the profile where each is.
static void StationMarks(HDC hdc, const RECT &plot, const Course &course)
{
    HBRUSH flag = CreateSolidBrush(RGB(30, 140, 60));
    HGDIOBJ old = SelectObject(hdc, flag);
    for (const Station &s : course.stations) {
        int x = plot.left + (int)(s.metres / course.metres * (plot.right - plot.left));
        POINT points[3] = {{x - 4, plot.top}, {x + 4, plot.top}, {x, plot.top + 7}};
        Polygon(hdc, points, 3);
    }
    SelectObject(hdc, old);
    DeleteObject(flag);
}

void DrawProfile(HDC hdc, const RECT &area, const Course &course, const SplitTable *table, long long selected,
                 int unit, bool stations)
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
    // The distance marks take a line at the foot.
    int foot = area.bottom - tm.tmHeight - 4;
    SetTextAlign(hdc, TA_LEFT | TA_TOP);
    TextOutA(hdc, area.left + 2, area.top + 1, top, (int)strlen(top));
    SetTextAlign(hdc, TA_LEFT | TA_BOTTOM);
    TextOutA(hdc, area.left + 2, foot, bottom, (int)strlen(bottom));
    RECT plot = {area.left + label.cx + 8, area.top + tm.tmHeight / 2, area.right - 2, foot - tm.tmHeight / 4};
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
    if (stations)
        StationMarks(hdc, plot, course);
    DistanceMarks(hdc, plot, table && table->hills ? table->metres : course.metres, unit);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldFont);
    DeleteObject(line);
    DeleteObject(fill);
    DeleteObject(shown);
}
