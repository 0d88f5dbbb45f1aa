#pragma once

struct Controls;
class QWidget;

namespace Generales {

// Widths of the solution grid's columns, in twips: the labels "X1", "X2", ... and the values.
inline constexpr int kAnchoEtiquetasSolucion = 380;
inline constexpr int kAnchoValoresSolucion = 1470;

// Gives the cell editor and the window the worksheet's font, hides the editor, sizes the
// solution grid's columns and puts the ready status and the first tip up.
void Inicializar(QWidget& ventana, const Controls& c);

// Empties the worksheet (disabled, 2 rows, no columns) and the result grids, then
// Inicializar. The number box, the method, the view and the solver's data stay.
void NuevoCalculo(QWidget& ventana, const Controls& c);

} // namespace Generales
