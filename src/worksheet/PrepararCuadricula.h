#pragma once

#include <cstdint>

struct WorksheetControls;

namespace Generales {

// Width of the worksheet's header column ("EQ1", "EQ2", ...), in twips.
inline constexpr int kAnchoColumnaEcuaciones = 500;

// Lays Cuadric out for the number in the number box and stores that number into n:
// headers X1..Xn and "T.I", equations EQ1..EQn, the rows of F_Resp labelled, the current
// cell at (1, 1), the commands that need a worksheet enabled. Body cells inside the new
// size keep their text. On a failure it reports it and returns false; what was already
// done stays done.
bool PrepararCuadricula(const WorksheetControls& hoja, std::int16_t& n);

} // namespace Generales
