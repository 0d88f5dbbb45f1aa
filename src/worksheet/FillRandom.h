#pragma once

class GridControl;
class RandomGenerator;

// Fills the body of a worksheet laid out for n equations with random whole numbers,
// row by row and left to right: 0 to 99 for the coefficients, 0 to 7099 for the
// independent terms in column n + 1. Draws exactly n * (n + 1) values. Headers, widths,
// alignment and the current cell are left alone.
void fillRandom(GridControl& cuadric, int n, RandomGenerator& rng);
