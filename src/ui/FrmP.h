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
    WorksheetControls hoja() const;

    void B_Incog_Click();
    void B_Num_Change(int valor);
    void B_Nuevo_Click();
    void nuevoCalculo();
    void B_Mostrar_Click();
    void B_Calcular_Click();
    void EditarCelda(int keyAscii);
    void Command2_Click();
    void MnuGenera_Click();
    void mnuOp_Click();
    void Command1_Click();
    void salir();
    void mnuAbrir_Click();
    void mnuGuardar_Click();

    void mostrarAcercaDe();
    void AjustarColumnas(GridControl& grid);

    // Switches the eleven controls that a calculation must not be disturbed by.
    void Habilitar(bool b);
    void resolverCholeski(GridCells& hoja, const std::string& separador);
    void resolverGaussJordan(GridCells& hoja, const std::string& separador);
    // LeerDatos; a cell it refuses becomes the worksheet's current cell.
    void leerHoja(GridCells& hoja, const std::string& separador);
    void MostrarMatrices(const std::string& separador);
    void MostrarSolucion(const std::string& separador);

    Controls c_;
    CellEditor* editor_;
    solver::Solver datos_;
    RandomGenerator aleatorio_;
    SolutionVerification* verificacion_;
    SolveSteps* pasos_;
    WorksheetHistory* historial_;
    NoticeBalloon* aviso_;
    std::unique_ptr<SystemFiles> archivos_;
    StaleResults* caducados_;
    // Column widths are measured in the window's font, which start-up makes the
    // worksheet's; measuring through a table keeps fitting 30,000 texts within a frame.
    // Built at the first fitting.
    std::unique_ptr<TextWidthTable> medida_;
};
