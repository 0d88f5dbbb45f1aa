// A solve at n = 100 as a screen reader's user runs it: the solution takes the focus and
// is announced. Run it twice and compare:
//   build/bench/accessibility_bench                      accessibility off (offscreen)
//   tests/e2e/under_reader.sh build/bench/accessibility_bench /tmp/x
//                                                        accessibility on, on a bus
// The counter "activa" says which one ran.
#include "WidgetBenchmarkMain.h"
#include "grid/GridControl.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<FrmP> windowWithRandomSystem(int n)
{
    auto window = std::make_unique<FrmP>();
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
    window->findChild<QLineEdit*>("T_Incog")->setText(QString::number(n));
    window->findChild<QAbstractButton*>("B_Incog")->click();
    window->findChild<QAction*>("MnuGenera")->trigger();
    return window;
}

// From the worksheet, so that every round moves the focus onto the solution again.
void solveRounds(benchmark::State& state, bool gauss)
{
    auto window = windowWithRandomSystem(100);
    window->findChild<QRadioButton*>(gauss ? "Op_Gauss" : "Op_Ch")->setChecked(true);
    auto* calcular = window->findChild<QAbstractButton*>("B_Calcular");
    auto* hoja = window->findChild<GridControl*>("Cuadric");
    for (auto _ : state) {
        state.PauseTiming();
        hoja->setFocus();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        calcular->click();
        QCoreApplication::processEvents();
    }
    state.counters["activa"] = QAccessible::isActive() ? 1 : 0;
}

void SolveCholeskiAnnounced(benchmark::State& state)
{
    solveRounds(state, false);
}

void SolveGaussJordanAnnounced(benchmark::State& state)
{
    solveRounds(state, true);
}

// Random values over the whole worksheet: one block of 10,100 cells.
void RandomFillAnnounced(benchmark::State& state)
{
    auto window = windowWithRandomSystem(100);
    auto* genera = window->findChild<QAction*>("MnuGenera");
    for (auto _ : state) {
        genera->trigger();
        QCoreApplication::processEvents();
    }
    state.counters["activa"] = QAccessible::isActive() ? 1 : 0;
}

} // namespace

BENCHMARK(SolveCholeskiAnnounced)->Unit(benchmark::kMillisecond);
BENCHMARK(SolveGaussJordanAnnounced)->Unit(benchmark::kMillisecond);
BENCHMARK(RandomFillAnnounced)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // On a bus, Qt turns accessibility on shortly after start-up.
    return runWidgetBenchmarks(argc, argv, [] {
        if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
            QWidget probe;
            probe.show();
            (void)QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
        }
    });
}
