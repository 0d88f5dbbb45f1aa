#pragma once

#include "grid/GridGeometry.h"

#include <QFont>
#include <QPalette>

class CellSelection;
class CellTextCache;
class CellTextFit;
class GridModel;
class QWidget;

// Everything one paint of a grid reads, handed to the painter by the widget as an item
// view hands its delegate an option: where the cells lie and which are in view, which
// cells are current and selected, their texts, how texts are fitted, and the widget's
// look. What a single cell adds to its look is read from the model, never passed here.
struct GridPaintState
{
    const GridGeometry& geometry;
    GridGeometry::View view;
    const CellSelection& selection;
    const GridModel& model;
    // Caches, which painting fills: how headers fit, and the body texts laid out lately.
    CellTextFit& textFit;
    CellTextCache& texts;
    QFont font;
    // The font's line height, by which a text is centred.
    qreal lineHeight = 0;
    QPalette palette;
    bool enabled = true;
    bool hasFocus = false;
    // The body's texts drawn subdued: what the grid shows no longer holds.
    bool muted = false;
    // The widget whose style draws the focus frame, for that widget.
    const QWidget* styleSource = nullptr;
};
