#pragma once

#include <functional>

class GridControl;
class QObject;

// Runs `changed` whenever the text of a cell at or beyond (firstRow, firstCol) changes or
// the grid changes shape, for as long as `context` lives. Headers, and the corner that
// follows the current cell, stay out of it by the first row and column given.
void onCellChanges(const GridControl& grid, int firstRow, int firstCol, QObject* context,
                   const std::function<void()>& changed);
