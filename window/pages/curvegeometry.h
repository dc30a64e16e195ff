#pragma once

// Geometry of the two curve widgets, kept free of any GUI type so every
// point can be checked by number.  All arithmetic is integer with
// truncating division; W and H are the widget's width and height minus
// one.  The paint code only draws what these functions return.

#include <array>
#include <vector>

struct CurvePoint
{
    int x;
    int y;
};

inline bool operator==(const CurvePoint &a, const CurvePoint &b)
{
    return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const CurvePoint &a, const CurvePoint &b)
{
    return !(a == b);
}

// Length of one grid dash, and the step between dash starts.
constexpr int kDashLength = 8;
constexpr int kDashPitch = 15;

// Every multiple of kDashPitch in [from, to] (empty when to < from).
std::vector<int> dashStarts(int from, int to);

// Throttle curve (seven points, 0..100 percent each).
struct ThrottleLayout
{
    // Both widgets clear a fixed 300 x 300 area whatever their size.
    static constexpr int kFillSize = 300;
    // Outline rectangle, corners inclusive.
    static constexpr CurvePoint kOutlineTopLeft{30, 30};
    static constexpr CurvePoint kOutlineBottomRight{279, 269};

    bool rowsDrawn = false;             // horizontal grid, only when W > 49
    bool columnsDrawn = false;          // vertical grid, only when H > 49
    std::array<int, 11> rows{};         // y of the horizontal grid lines
    std::array<int, 6> columns{};       // x of the vertical grid lines
    std::vector<int> rowDashX;          // start x of each dash on a row
    std::vector<int> columnDashY;       // start y of each dash on a column
    std::array<CurvePoint, 7> curve{};  // the red polyline
};

ThrottleLayout throttleLayout(int width, int height, const std::array<int, 7> &points);

// Height of a throttle value: 100 at the top of the outline, 0 at its bottom.
int throttleY(int value, int height);

// Scale labels of the throttle widget: text and base-line position.
struct ScaleLabel
{
    const char *text;
    CurvePoint at;
};
extern const std::array<ScaleLabel, 11> kThrottleScale;

// Dual-rate / exponential curve: two cubic halves meeting at the centre.
struct DualRateLayout
{
    static constexpr int kFillSize = 300;
    static constexpr CurvePoint kOutlineTopLeft{20, 20};
    static constexpr CurvePoint kOutlineBottomRight{259, 259};

    bool rowDrawn = false;     // horizontal centre line, only when W - 19 > 20
    bool columnDrawn = false;  // vertical centre line, only when H - 19 > 20
    CurvePoint centre{};
    std::vector<int> rowDashX;     // start x of the dashes on the centre row
    std::vector<int> columnDashY;  // start y of the dashes on the centre column

    // Each half is one cubic segment from its start to the centre; its
    // first control point is the start itself.
    CurvePoint lowerStart{};
    CurvePoint lowerControl{};  // second control point
    CurvePoint upperStart{};
    CurvePoint upperControl{};
};

DualRateLayout dualRateLayout(int width, int height, int rate, int expo);
