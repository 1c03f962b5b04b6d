// SPDX-License-Identifier: GPL-3.0-or-later
// ShipPath: smooths the stream of mouse-driven target points into the camera's
// motion with a uniform cubic B-spline.
//
// Every target is appended three times so that the curve passes through the
// newest one; the list is trimmed so the curve never lags far behind, and when
// the curve runs out it restarts from where the ship is. Only x and y are
// used. Owned by the game state; one update calls advance() then position().
// Invariants after every operation: 3 <= point count <= 23, and the current
// piece's four control points exist (segment <= n - 4 whenever n >= 4).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

struct Points_st {
    float x, y, z;
};

class ShipPath {
public:
    ShipPath();

    void addPoint(float x, float y, float z);
    bool advance();
    const float* position();
    void restart();

    static float bspline4(float p0, float p1, float p2, float p3, float t);

    // The step per advance; the game state sets it to 1/3.
    float step;
    float current[3];

    size_t pointCount() const { return points.size(); }
    int32_t segmentIndex() const { return segment; }
    float parameter() const { return t; }
    bool isMoving() const { return moving; }

private:
    std::deque<Points_st> points;
    // Copies of the control points' x and y, rebuilt only when points changed.
    std::vector<float> xs, ys;
    int32_t segment = 0;
    float t = 0.0f;
    bool moving = false;
    bool dirty = true;
};
