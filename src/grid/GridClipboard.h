#pragma once

#include "grid/CellSelection.h"
#include "grid/TextBlock.h"

#include <functional>

class GridModel;

// The grid's side of copy and paste: cells to and from the system clipboard's text.
namespace GridClipboard {

// Puts the texts of the selected cells on the clipboard, exactly as they are shown.
void copy(const GridModel& model, const CellSelection& selection);

using Reader = std::function<TextBlock(std::u16string_view)>;

// The clipboard's text read as a block, by `reader` where there is one.
TextBlock pasted(const Reader& reader = {});

// Writes a block into the model with its first cell at `topLeft`, clipped to the model's
// size, and gives the last row and column written (`topLeft` when nothing is).
CellPosition write(GridModel& model, const TextBlock& block, CellPosition topLeft);

// Whether pasting the block writes any cell (lines of nothing but their end write none).
bool holdsCells(const TextBlock& block);

} // namespace GridClipboard
