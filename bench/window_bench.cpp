// The window's commands at n = 100 beside the solver's own work on the same data.
// Run: build-rel/bench/window_bench (uses Qt's offscreen platform unless told otherwise).
#include "RandomSystem.h"
#include "WidgetBenchmarkMain.h"
#include "grid/GridControl.h"
#include "solver/Solver.h"
#include "solver/WorksheetSource.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

std::unique_ptr<FrmP> windowWithRandomSystem(int n)
{
    auto window = std::make_unique<FrmP>();
    window->show();
    window->findChild<QLineEdit*>("T_Incog")->setText(QString::number(n));
    window->findChild<QAbstractButton*>("B_Incog")->click();
    window->findChild<QAction*>("MnuGenera")->trigger();
    return window;
}

class CopiedSheet : public solver::WorksheetSource
{
public:
    explicit CopiedSheet(const GridControl& grid)
    {
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c)
                cells[{r, c}] = grid.TextMatrix(r, c).toStdString();
    }
    std::string TextMatrix(int r, int c) const override { return cells.at({r, c}); }
    void setTextMatrix(int r, int c, std::string_view t) override { cells[{r, c}] = t; }
    std::map<std::pair<int, int>, std::string> cells;
};

void SolveCommandCholeski(benchmark::State& state)
{
    auto window = windowWithRandomSystem(100);
    auto* calcular = window->findChild<QAbstractButton*>("B_Calcular");
    for (auto _ : state) {
        calcular->click();
        benchmark::DoNotOptimize(window->findChild<GridControl*>("F_Resp")->TextMatrix(99, 1));
    }
}

// The same, with the window painted afterwards, as the user sees it; the matrices view is
// shown so that both factor grids are painted too.
void SolveCommandCholeskiPainted(benchmark::State& state)
{
    auto window = windowWithRandomSystem(100);
    window->findChild<QAbstractButton*>("B_Mostrar")->click();
    auto* calcular = window->findChild<QAbstractButton*>("B_Calcular");
    for (auto _ : state) {
        calcular->click();
        window->repaint();
    }
}

void SolveCommandGaussJordan(benchmark::State& state)
{
    auto window = windowWithRandomSystem(100);
    window->findChild<QRadioButton*>("Op_Gauss")->setChecked(true);
    auto* calcular = window->findChild<QAbstractButton*>("B_Calcular");
    for (auto _ : state)
        calcular->click();
}

// The same worksheet read into the solver, factorized and solved, with no window.
void SolverAloneCholeski(benchmark::State& state)
{
    auto window = windowWithRandomSystem(100);
    CopiedSheet sheet(*window->findChild<GridControl*>("Cuadric"));
    solver::Solver s;
    s.n = 100;
    s.Redimensionar();
    s.LeerDatos(sheet, ",");
    for (auto _ : state) {
        solveByCholeski(s);
        benchmark::DoNotOptimize(s.C.row(0));
    }
}

void SetUpCommand(benchmark::State& state)
{
    FrmP window;
    window.show();
    auto* box = window.findChild<QLineEdit*>("T_Incog");
    auto* accept = window.findChild<QAbstractButton*>("B_Incog");
    int n = 99;
    for (auto _ : state) {
        // Alternate sizes so every round really lays the worksheet out again.
        n = n == 100 ? 99 : 100;
        box->setText(QString::number(n));
        accept->click();
    }
}

void SolverAloneRedimension(benchmark::State& state)
{
    solver::Solver s;
    s.n = 100;
    for (auto _ : state) {
        s.Redimensionar();
        benchmark::DoNotOptimize(s.A.row(0));
    }
}

} // namespace

BENCHMARK(SolveCommandCholeski)->Unit(benchmark::kMillisecond);
BENCHMARK(SolveCommandCholeskiPainted)->Unit(benchmark::kMillisecond);
BENCHMARK(SolveCommandGaussJordan)->Unit(benchmark::kMillisecond);
BENCHMARK(SolverAloneCholeski)->Unit(benchmark::kMillisecond);
BENCHMARK(SetUpCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(SolverAloneRedimension)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
