#pragma once

#include "solver/Solver.h"
#include "ui/Controls.h"
#include "worksheet/RandomGenerator.h"

#include <QMainWindow>

#include <memory>
#include <string>

class CellEditor;
class NoticeBalloon;
class SystemFiles;
class GridCells;
class StaleResults;
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

    // Opens the system in the file: a file that is not one is refused with a message; the
    // values typed in the worksheet are replaced only with the user's consent. The
    // worksheet is then laid out for the file's n as "Ingresar" does it, and filled.
    void AbrirSistema(const QString& ruta);
    // Writes the worksheet's texts, as they are, in the format the file's extension names.
    void GuardarSistema(const QString& ruta);

protected:
    // The worksheet as a calculation reads it and writes back the zeros of empty cells: the
    // grid itself. A test makes it fail part way to see the command end cleanly.
    virtual std::unique_ptr<GridCells> calculationSheet(GridControl& cuadric);
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    WorksheetControls sheet() const;

    void B_Incog_Click();
    void B_Num_Change(int value);
    void B_Nuevo_Click();
    void newCalculation();
    void B_Mostrar_Click();
    void B_Calcular_Click();
    void EditarCelda(int keyAscii);
    void Command2_Click();
    void MnuGenera_Click();
    void mnuOp_Click();
    void Command1_Click();
    void quit();
    void mnuAbrir_Click();
    void mnuGuardar_Click();

    void showAbout();
    void AjustarColumnas(GridControl& grid);

    // Switches the eleven controls that a calculation must not be disturbed by.
    void Habilitar(bool b);
    void solveCholeski(GridCells& sheet, const std::string& separator);
    void solveGaussJordan(GridCells& sheet, const std::string& separator);
    // LeerDatos; a cell it refuses becomes the worksheet's current cell.
    void readWorksheet(GridCells& sheet, const std::string& separator);
    void MostrarMatrices(const std::string& separator);
    void MostrarSolucion(const std::string& separator);

    Controls c_;
    CellEditor* editor_;
    solver::Solver data_;
    RandomGenerator random_;
    SolutionVerification* verification_;
    SolveSteps* steps_;
    WorksheetHistory* history_;
    NoticeBalloon* notice_;
    std::unique_ptr<SystemFiles> files_;
    StaleResults* stale_;
    // Column widths are measured in the window's font, which start-up makes the
    // worksheet's; measuring through a table keeps fitting 30,000 texts within a frame.
    // Built at the first fitting.
    std::unique_ptr<TextWidthTable> widths_;
};
