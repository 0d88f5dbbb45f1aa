// The PDF report of a solve at n = 100, from the grids' texts to the last page, beside the
// verification it includes. Run: build/bench/report_bench (offscreen unless told otherwise).
#include "WidgetBenchmarkMain.h"
#include "report/SolveReport.h"
#include "ui/FrmP.h"
#include "ui/SolveReportExport.h"

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QLineEdit>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A random system at n = 100, solved by the method the argument names (0 Choleski).
std::unique_ptr<FrmP> solvedWindow(bool gaussJordan)
{
    auto window = std::make_unique<FrmP>();
    window->show();
    window->findChild<QLineEdit*>("T_Incog")->setText(QStringLiteral("100"));
    window->findChild<QAbstractButton*>("B_Incog")->click();
    window->findChild<QAction*>("MnuGenera")->trigger();
    window->findChild<QRadioButton*>(gaussJordan ? "Op_Gauss" : "Op_Ch")->setChecked(true);
    window->findChild<QAbstractButton*>("B_Calcular")->click();
    return window;
}

void ReportBuild(benchmark::State& state)
{
    const auto window = solvedWindow(state.range(0) != 0);
    const auto* export_ = window->findChild<SolveReportExport*>();
    for (auto _ : state)
        benchmark::DoNotOptimize(export_->report().figures.size());
}

void ReportPdf(benchmark::State& state)
{
    const auto window = solvedWindow(state.range(0) != 0);
    const auto* export_ = window->findChild<SolveReportExport*>();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        SolveReportExport::writePdf(export_->report(), pdf);
        bytes = pdf.size();
    }
    state.counters["kB"] = double(bytes) / 1024;
}

} // namespace

BENCHMARK(ReportBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ReportPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
