#pragma once

#include "grid/GridGeometry.h"

#include <QPoint>
#include <QRect>

#include <vector>

// What a scroll by whole rows or columns does to the pixels already shown: the body moves
// by as many pixels (the fixed rows sideways with it, the fixed columns up and down) and
// only what comes into view is painted. A cell cut by the right or bottom edge places its
// text in the part that is shown, so the one that was cut is painted again.
struct ScrollPlan
{
    bool repaintAll = true;
    QRect area;   // the pixels moved
    QPoint shift; // by how much
    std::vector<QRect> repaint;
};

namespace GridScrolling {

// `now` is the view after the scroll, which moved dx columns and dy rows back: a move in
// both directions, or too far for anything to stay in view, repaints everything.
ScrollPlan plan(const GridGeometry& geometry, const GridGeometry::View& now, int dx, int dy);

} // namespace GridScrolling
