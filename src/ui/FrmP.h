#pragma once

#include "solver/Solver.h"
#include "ui/Controls.h"
#include "worksheet/RandomGenerator.h"

#include <QMainWindow>

#include <memory>
#include <string>

class CellEditor;
class WorksheetHistory;
class TextWidthTable;
class SolutionVerification;
class SolveSteps;
struct WorksheetControls;

namespace solver {
class WorksheetSource;
}

// The program's one main window. It owns every control and the solver's data, and
// leads the user through a calculation: the number of equations, the worksheet, the
// method, the solution and the factors B and C.
class FrmP : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmP(QWidget* parent = nullptr);
    ~FrmP() override;

private:
    WorksheetControls hoja() const;

    void B_Incog_Click();
    void B_Num_Change(int valor);
    void B_Nuevo_Click();
    void B_Mostrar_Click();
    void B_Calcular_Click();
    void EditarCelda(int keyAscii);
    void Command2_Click();
    void MnuGenera_Click();
    void mnuOp_Click();
    void Command1_Click();
    void salir();

    void mostrarAcercaDe();
    void AjustarColumnas(GridControl& grid);

    // Switches the eleven controls that a calculation must not be disturbed by.
    void Habilitar(bool b);
    void resolverCholeski(solver::WorksheetSource& hoja, const std::string& separador);
    void resolverGaussJordan(solver::WorksheetSource& hoja, const std::string& separador);
    void MostrarMatrices(const std::string& separador);
    void MostrarSolucion(const std::string& separador);

    Controls c_;
    CellEditor* editor_;
    solver::Solver datos_;
    RandomGenerator aleatorio_;
    SolutionVerification* verificacion_;
    SolveSteps* pasos_;
    WorksheetHistory* historial_;
    // Column widths are measured in the window's font, which start-up makes the
    // worksheet's; measuring through a table keeps fitting 30,000 texts within a frame.
    // Built at the first fitting.
    std::unique_ptr<TextWidthTable> medida_;
};
