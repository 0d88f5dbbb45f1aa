#pragma once

#include "grid/TextBlock.h"

#include <QChar>

class GridControl;

// The worksheet's body as cell texts: rows 1 … n, columns 1 … n + 1.
namespace WorksheetTexts {

TextBlock body(const GridControl& cuadric);
// Writes the block's texts into the body from cell (1, 1) on, as one grouped update.
void fill(GridControl& cuadric, const TextBlock& rows);
// Whether any body cell holds text.
bool holdsValues(const GridControl& cuadric);
// The locale's decimal mark, as numbers in the worksheet are written.
char16_t decimalMark();

} // namespace WorksheetTexts
