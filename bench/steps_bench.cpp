// "Ver paso a paso…" at n = 100: opening the dialog (the traced solve, the tree and the
// matrix, painted) and one step of navigation to the pixels, for both methods.
// Run: build/bench/steps_bench (offscreen unless QT_QPA_PLATFORM says otherwise).
#include "ModalCloser.h"
#include "WidgetBenchmarkMain.h"
#include "WindowFixture.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// A window with a random system of n equations, solved by the method.
std::unique_ptr<WindowFixture> solved(int n, bool choleski)
{
    auto f = std::make_unique<WindowFixture>();
    f->accept(QString::number(n));
    f->p.MnuGenera->trigger();
    (choleski ? f->p.Op_Ch : f->p.Op_Gauss)->setChecked(true);
    ModalCloser boxes;
    f->p.B_Calcular->click();
    return f;
}

// Opens the steps and runs `whileOpen` on the dialog, painted, before it closes.
void withSteps(WindowFixture& f, const std::function<void(QDialog&)>& whileOpen)
{
    ModalCloser closer;
    closer.onShown = [&](QWidget& d) {
        d.repaint();
        whileOpen(static_cast<QDialog&>(d));
    };
    f.w<QAction>("mnuPasos")->trigger();
}

void StepsOpen(benchmark::State& state)
{
    auto f = solved(int(state.range(0)), state.range(1) == 0);
    for (auto _ : state)
        withSteps(*f, [](QDialog&) {});
}

// One "Siguiente" to the pixels of the matrix, the tree and the step's line.
void StepsNext(benchmark::State& state)
{
    auto f = solved(int(state.range(0)), state.range(1) == 0);
    withSteps(*f, [&](QDialog& d) {
        auto* next = d.findChild<QAbstractButton*>(QStringLiteral("B_Siguiente"));
        auto* first = d.findChild<QAbstractButton*>(QStringLiteral("B_Inicio"));
        for (auto _ : state) {
            if (!next->isEnabled())
                first->click();
            next->click();
            d.repaint();
        }
    });
}

} // namespace

// Arguments: n, then 0 for Choleski and 1 for Gauss-Jordan.
BENCHMARK(StepsOpen)->Args({100, 0})->Args({100, 1})->Args({3, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(StepsNext)->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
