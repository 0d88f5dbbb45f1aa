// Random filling and column fitting at 100 equations, each beside its bare work: drawing
// and formatting the numbers; measuring the texts of the three grids.
// Run: build/bench/worksheet_bench
#include "WidgetBenchmarkMain.h"
#include "WorksheetGrid.h"
#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "worksheet/AjustarColumnas.h"
#include "worksheet/FillRandom.h"
#include "worksheet/RandomGenerator.h"
#include "worksheet/TextWidthTable.h"

#include <QApplication>
#include <QFontMetrics>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kN = 100;

// Factor-like texts of every form the general text form produces: "-0.1234567",
// "1.234568E+07", "3", "-42.5".
void fillMatrix(GridControl& g, int n, std::mt19937& engine)
{
    std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-8, 9);
    g.setRows(n);
    g.setCols(n);
    const GridControl::BulkUpdate bulk(g);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const float v = mantissa(engine) * std::pow(10.0f, float(exponent(engine)));
            g.setTextMatrix(r, c, QString::fromStdString(solver::generalText(v, ".")));
        }
}

struct Grids
{
    GridControl cuadric;
    std::array<GridControl, 2> fRint;

    Grids()
    {
        layOutWorksheet(cuadric, kN);
        // The widest corner indicator, as after a move to the last cell.
        cuadric.setTextMatrix(0, 0, QStringLiteral("100,101"));
        RandomGenerator rng;
        fillRandom(cuadric, kN, rng);
        std::mt19937 engine(11);
        for (GridControl& g : fRint)
            fillMatrix(g, kN, engine);
    }

    std::vector<std::vector<QString>> columns() const
    {
        std::vector<std::vector<QString>> result;
        for (const GridControl* g : {&cuadric, &fRint[0], &fRint[1]})
            for (int c = 0; c < g->Cols(); ++c) {
                std::vector<QString>& column = result.emplace_back();
                for (int r = 0; r < g->Rows(); ++r)
                    column.push_back(g->TextMatrix(r, c));
            }
        return result;
    }
};

void BM_GenerarValores(benchmark::State& state)
{
    GridControl cuadric;
    layOutWorksheet(cuadric, kN);
    RandomGenerator rng;
    for (auto _ : state)
        fillRandom(cuadric, kN, rng);
}
BENCHMARK(BM_GenerarValores)->Unit(benchmark::kMillisecond);

void BM_DrawAndFormatBare(benchmark::State& state)
{
    std::vector<QString> texts(static_cast<std::size_t>(kN * (kN + 1)));
    RandomGenerator rng;
    for (auto _ : state) {
        std::size_t k = 0;
        for (int r = 1; r <= kN; ++r)
            for (int c = 1; c <= kN + 1; ++c) {
                const double range = c == kN + 1 ? 7100.0 : 100.0;
                texts[k++] = QString::number(int(std::floor(double(rng.next()) * range)));
            }
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_DrawAndFormatBare)->Unit(benchmark::kMillisecond);

void BM_AjustarColumnas(benchmark::State& state)
{
    Grids grids;
    const TextWidthTable measure(grids.cuadric.font());
    for (auto _ : state) {
        AjustarColumnas(grids.cuadric, measure);
        AjustarColumnas(grids.fRint[0], measure);
        AjustarColumnas(grids.fRint[1], measure);
    }
}
BENCHMARK(BM_AjustarColumnas)->Unit(benchmark::kMillisecond);

void BM_MeasureTextsBare(benchmark::State& state)
{
    const Grids grids;
    const auto columns = grids.columns();
    const TextWidthTable measure(grids.cuadric.font());
    std::vector<double> widths(columns.size());
    for (auto _ : state) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            double w = 0.0;
            for (const QString& text : columns[c])
                w = std::max(w, measure.TextWidth(text));
            widths[c] = w;
        }
        benchmark::DoNotOptimize(widths.data());
    }
}
BENCHMARK(BM_MeasureTextsBare)->Unit(benchmark::kMillisecond);

// For comparison: the same texts through the font's own measure.
void BM_MeasureTextsFontMetrics(benchmark::State& state)
{
    const Grids grids;
    const auto columns = grids.columns();
    const QFontMetrics metrics(grids.cuadric.font());
    std::vector<int> widths(columns.size());
    for (auto _ : state) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            int w = 0;
            for (const QString& text : columns[c])
                w = std::max(w, metrics.horizontalAdvance(text));
            widths[c] = w;
        }
        benchmark::DoNotOptimize(widths.data());
    }
}
BENCHMARK(BM_MeasureTextsFontMetrics)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
