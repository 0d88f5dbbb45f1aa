#include "worksheet/FillRandom.h"

#include "grid/GridControl.h"
#include "worksheet/RandomGenerator.h"

#include <QString>

#include <cmath>

namespace {
constexpr float kCoefficientRange = 100.0f;
constexpr float kTermRange = 7100.0f;
} // namespace

void fillRandom(GridControl& cuadric, int n, RandomGenerator& rng)
{
    const GridControl::BulkUpdate bulk(cuadric);
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n + 1; ++c) {
            const float u = rng.next();
            const float range = c == n + 1 ? kTermRange : kCoefficientRange;
            // The product is taken whole, not rounded to single, before the floor.
            const double x = static_cast<double>(u) * static_cast<double>(range);
            cuadric.setTextMatrix(r, c, QString::number(static_cast<int>(std::floor(x))));
        }
    }
}
