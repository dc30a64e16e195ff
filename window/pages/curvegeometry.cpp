#include "curvegeometry.h"

#include <climits>

namespace {

// The model values are plain ints and a few (the dual rate, points from a
// file) are not range-checked, so products are formed in 64 bits and the
// result saturated instead of overflowing.  For every value the editors
// can produce this is the plain int arithmetic.
int sat(long long v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

long long clampTo(long long v, long long lo, long long hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Widgets are never larger than this; bounding the inputs keeps every
// product below within 64 bits.
constexpr long long kMaxExtent = 16777215;
// Far beyond anything the transmitter, a file or an editor can deliver.
constexpr long long kMaxPercent = 1000000;

}  // namespace

constexpr CurvePoint ThrottleLayout::kOutlineTopLeft;
constexpr CurvePoint ThrottleLayout::kOutlineBottomRight;
constexpr CurvePoint DualRateLayout::kOutlineTopLeft;
constexpr CurvePoint DualRateLayout::kOutlineBottomRight;

const std::array<ScaleLabel, 11> kThrottleScale = {{
    {"100", {0, 37}},
    {" 90", {0, 61}},
    {" 80", {0, 85}},
    {" 70", {0, 109}},
    {" 60", {0, 133}},
    {" 50", {0, 157}},
    {" 40", {0, 181}},
    {" 30", {0, 205}},
    {" 20", {0, 229}},
    {" 10", {0, 253}},
    {"  0", {0, 277}},
}};

std::vector<int> dashStarts(int from, int to)
{
    std::vector<int> out;
    if (to < from)
        return out;
    // First multiple of the pitch at or above `from` (from may be negative).
    long long first = (static_cast<long long>(from) / kDashPitch) * kDashPitch;
    if (first < from)
        first += kDashPitch;
    for (long long v = first; v <= to; v += kDashPitch)
        out.push_back(static_cast<int>(v));
    return out;
}

int throttleY(int value, int height)
{
    const long long h = clampTo(height, 0, kMaxExtent) - 1;
    return sat(30 + ((100 - static_cast<long long>(value)) * (h - 59)) / 100);
}

ThrottleLayout throttleLayout(int width, int height, const std::array<int, 7> &points)
{
    const long long W = clampTo(width, 0, kMaxExtent) - 1;
    const long long H = clampTo(height, 0, kMaxExtent) - 1;

    ThrottleLayout t;
    t.rowsDrawn = W > 49;
    t.columnsDrawn = H > 49;

    t.rows[0] = 30;
    for (int k = 1; k <= 9; ++k)
        t.rows[k] = sat(30 + (k * (H - 59)) / 10);
    t.rows[10] = sat(H - 29);

    for (int k = 1; k <= 5; ++k)
        t.columns[k - 1] = sat(20 + (k * (W - 39)) / 6);
    t.columns[5] = sat(W - 19);

    if (t.rowsDrawn)
        t.rowDashX = dashStarts(21, sat(W - 30));
    if (t.columnsDrawn)
        t.columnDashY = dashStarts(21, sat(H - 30));

    // The first point sits on the outline's left edge, the others on the
    // grid columns.
    t.curve[0] = {30, throttleY(points[0], height)};
    for (int k = 1; k <= 6; ++k)
        t.curve[k] = {t.columns[k - 1], throttleY(points[k], height)};
    return t;
}

DualRateLayout dualRateLayout(int width, int height, int rate, int expo)
{
    const long long W = clampTo(width, 0, kMaxExtent) - 1;
    const long long H = clampTo(height, 0, kMaxExtent) - 1;
    const long long R = clampTo(rate, -kMaxPercent, kMaxPercent);
    const long long E = clampTo(expo, -kMaxPercent, kMaxPercent);

    DualRateLayout d;
    const long long xc = 20 + (W - 39) / 2;
    const long long yc = 20 + (H - 39) / 2;
    d.centre = {sat(xc), sat(yc)};

    d.rowDrawn = W - 19 > 20;
    d.columnDrawn = H - 19 > 20;
    if (d.rowDrawn)
        d.rowDashX = dashStarts(21, sat(W - 20));
    if (d.columnDrawn)
        d.columnDashY = dashStarts(21, sat(H - 20));

    const long long h = (H - 39) / 2;
    const long long A = (100 - R) * h;
    const long long a = A / 100;
    const long long a2 = A / 200;
    const long long qx = (W - 39) / 4 + 20;
    const long long qy = (H - 39) / 4;
    const long long q3x = (3 * (W - 39)) / 4;
    const long long q3y = (3 * (H - 39)) / 4;
    const long long RE = (R * E) / 100;
    const long long Bx = ((qx / 2) * RE) / 100;
    const long long Cy = (RE * qy) / 100;

    d.lowerStart = {20, sat((H - 19) - a)};
    d.lowerControl = {sat(qx + Bx), sat(q3y - a2 + 20 + Cy)};
    d.upperStart = {sat(W - 19), sat(20 + a)};
    d.upperControl = {sat(q3x - Bx + 20), sat(qy - Cy + a2 + 20)};
    return d;
}
