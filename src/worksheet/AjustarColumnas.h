#pragma once

class GridControl;
class TextWidthTable;

// Makes every column of g, the header column included, as wide as its widest text plus
// a 240-twip margin (an empty column gets the margin alone), left-aligned and vertically
// centred. The scroll bars are switched off during the fitting and back on, both of
// them, at its end.
void AjustarColumnas(GridControl& g, const TextWidthTable& measure);
