#pragma once

#include "grid/CellSelection.h"
#include "grid/TextBlock.h"

class GridModel;

// The grid's side of copy and paste: cells to and from the system clipboard's text.
namespace GridClipboard {

// Puts the texts of the selected cells on the clipboard, exactly as they are shown.
void copy(const GridModel& model, const CellSelection& selection);

// The clipboard's text read as a block.
TextBlock pasted();

// Writes a block into the model with its first cell at `topLeft`, clipped to the model's
// size, and gives the last row and column written (`topLeft` when nothing is).
CellPosition write(GridModel& model, const TextBlock& block, CellPosition topLeft);

// Whether pasting the block writes any cell (lines of nothing but their end write none).
bool holdsCells(const TextBlock& block);

} // namespace GridClipboard
