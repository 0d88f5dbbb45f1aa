// What the user waits for at n = 100, to the pixels: every command with its grids shown
// and its update painted, one scroll step and a full repaint of each grid, a 5 MB paste,
// and opening and saving a system of 100 equations. Each is timed beside the same result on plain
// QTableViews standing where the grids stand (counter "tabla_ms"), in the same iterations. The
// platform is the one in QT_QPA_PLATFORM (offscreen when unset), so bench/run times it offscreen
// and on X. Run: build/bench/paint_bench
#include "ModalCloser.h"
#include "TableMirror.h"
#include "WidgetBenchmarkMain.h"
#include "WindowFixture.h"
#include "ui/FrmP.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <array>
#include <functional>
#include <memory>

namespace {

constexpr int kN = 100;

void accept(WindowControls& p, int n)
{
    p.T_Incog->setText(QString::number(n));
    p.B_Incog->click();
}

bool matricesShown(const WindowControls& p)
{
    return p.Cuadric->isHidden();
}

// The main window with a random system of 100 equations solved by Choleski, in either
// view, and beside it a window of table views where its four grids are.
struct Scene
{
    explicit Scene(bool matrices)
    {
        window.show();
        mirrors.show();
        for (QWidget* w : {static_cast<QWidget*>(&window), &mirrors})
            while (!w->windowHandle() || !w->windowHandle()->isExposed())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        accept(p, kN);
        p.MnuGenera->trigger();
        p.MnuCalcular->trigger();
        if (matrices)
            p.B_Mostrar->click();
        for (GridControl* g : grids()) {
            grid.watch(*g->viewport());
            table.push_back(std::make_unique<TableMirror>(mirrors, *g, tablePaints));
        }
        mirrors.setFixedSize(window.size());
        syncTables();
    }

    std::array<GridControl*, 4> grids() const
    {
        return {p.Cuadric, p.F_Resp, p.F_Rint[0], p.F_Rint[1]};
    }

    void syncTables()
    {
        for (auto& t : table)
            t->sync();
        settle(tablePaints);
    }

    FrmP window;
    WindowControls p{window};
    QWidget mirrors;
    PaintCounter grid;
    PaintCounter tablePaints;
    std::vector<std::unique_ptr<TableMirror>> table;
    ModalCloser boxes;
};

double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Times `act` up to the pixels on the grids, then the same new state brought to the
// table views and painted there. `prepare` runs untimed before each round.
void timeCommand(benchmark::State& state, Scene& s, const std::function<void()>& prepare,
                 const std::function<void()>& act)
{
    double tableMs = 0;
    int paints = 0;
    for (auto _ : state) {
        prepare();
        settle(s.grid);
        s.syncTables();
        QElapsedTimer timer;
        timer.start();
        act();
        paints += settle(s.grid);
        state.SetIterationTime(msSince(timer) / 1000);

        timer.start();
        for (auto& t : s.table)
            t->sync();
        settle(s.tablePaints);
        tableMs += msSince(timer);
    }
    state.counters["tabla_ms"] = benchmark::Counter(tableMs, benchmark::Counter::kAvgIterations);
    state.counters["pinturas"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.counters["mensajes"] = double(s.boxes.seen.size());
}

void SetUp(benchmark::State& state)
{
    Scene s(false);
    timeCommand(
        state, s, [&] { accept(s.p, 4); }, [&] { accept(s.p, kN); });
}

void Random(benchmark::State& state)
{
    Scene s(false);
    timeCommand(
        state, s, [] {}, [&] { s.p.MnuGenera->trigger(); });
}

// F4 on a freshly filled worksheet, by either method, in either view.
void Solve(benchmark::State& state)
{
    const bool matrices = state.range(0) != 0;
    const bool gauss = state.range(1) != 0;
    Scene s(matrices);
    (gauss ? s.p.Op_Gauss : s.p.Op_Ch)->setChecked(true);
    timeCommand(
        state, s, [&] { s.p.MnuGenera->trigger(); }, [&] { s.p.MnuCalcular->trigger(); });
}

// F5 after a fresh solve, so the widths have new texts to fit.
void FitColumns(benchmark::State& state)
{
    Scene s(state.range(0) != 0);
    timeCommand(
        state, s,
        [&] {
            s.p.MnuGenera->trigger();
            s.p.MnuCalcular->trigger();
        },
        [&] { s.p.mnuOp->trigger(); });
}

// "Matrices B-C" after a fresh solve, from the worksheet (0) or back to it (1).
void SwitchView(benchmark::State& state)
{
    const bool toWorksheet = state.range(0) != 0;
    Scene s(false);
    timeCommand(
        state, s,
        [&] {
            if (matricesShown(s.p))
                s.p.B_Mostrar->click();
            s.p.MnuGenera->trigger();
            s.p.MnuCalcular->trigger();
            if (toWorksheet)
                s.p.B_Mostrar->click();
        },
        [&] { s.p.B_Mostrar->click(); });
}

// Which grid: 0 worksheet, 1 solution, 2 and 3 the factors B and C.
GridControl& gridOf(Scene& s, int which)
{
    return *s.grids()[std::size_t(which)];
}

// One step of a scroll bar through the event loop, down (or right) until the end, then
// back to the start untimed.
void ScrollStep(benchmark::State& state)
{
    const int which = int(state.range(0));
    const bool horizontal = state.range(1) != 0;
    Scene s(which >= 2);
    GridControl& g = gridOf(s, which);
    QAbstractItemView& t = s.table[std::size_t(which)]->view();
    const auto bar = [horizontal](QAbstractScrollArea& a) {
        return horizontal ? a.horizontalScrollBar() : a.verticalScrollBar();
    };
    double tableMs = 0;
    for (auto _ : state) {
        for (QScrollBar* b : {bar(g), bar(t)})
            if (b->value() == b->maximum())
                b->setValue(0);
        settle(s.grid);
        settle(s.tablePaints);
        QElapsedTimer timer;
        timer.start();
        bar(g)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        settle(s.grid);
        state.SetIterationTime(msSince(timer) / 1000);
        timer.start();
        bar(t)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        settle(s.tablePaints);
        tableMs += msSince(timer);
    }
    state.counters["tabla_ms"] = benchmark::Counter(tableMs, benchmark::Counter::kAvgIterations);
}

void FullRepaint(benchmark::State& state)
{
    const int which = int(state.range(0));
    Scene s(which >= 2);
    QWidget& g = *gridOf(s, which).viewport();
    QWidget& t = *s.table[std::size_t(which)]->view().viewport();
    double tableMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        g.repaint();
        state.SetIterationTime(msSince(timer) / 1000);
        timer.start();
        t.repaint();
        tableMs += msSince(timer);
    }
    state.counters["tabla_ms"] = benchmark::Counter(tableMs, benchmark::Counter::kAvgIterations);
}

void sendClick(QWidget& viewport, QPoint at)
{
    const QPointF local(at);
    const QPointF global(viewport.mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&viewport, &press);
    QApplication::sendEvent(&viewport, &release);
}

// A single line of 5 MB pasted into the first cell with Ctrl+V, then a click on another
// cell (counter "clic_ms"), each to the pixels.
void PasteLongLine(benchmark::State& state)
{
    Scene s(false);
    GridControl& g = *s.p.Cuadric;
    double clickMs = 0;
    char first = '1';
    for (auto _ : state) {
        first = first == '9' ? '1' : char(first + 1);
        QString line(5 * 1024 * 1024, QLatin1Char('7'));
        line[0] = QLatin1Char(first);
        QGuiApplication::clipboard()->setText(line);
        g.setRow(1);
        g.setCol(1);
        g.setFocus();
        settle(s.grid);
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QElapsedTimer timer;
        timer.start();
        QApplication::sendEvent(&g, &paste);
        settle(s.grid);
        state.SetIterationTime(msSince(timer) / 1000);
        const QPoint target = g.visualRect(g.model()->index(3, 3)).center();
        timer.start();
        sendClick(*g.viewport(), target);
        settle(s.grid);
        clickMs += msSince(timer);
    }
    state.counters["clic_ms"] = benchmark::Counter(clickMs, benchmark::Counter::kAvgIterations);
}

// A file of 100 equations written by the program: CSV, in the locale's dialect.
QString savedSystem(Scene& s)
{
    static const QString path = QDir::temp().filePath(QStringLiteral("sorvani-bench-100.csv"));
    s.window.GuardarSistema(path);
    return path;
}

// "Abrir sistema…" of a 100 × 101 file over a new calculation, to the pixels.
void OpenSystem(benchmark::State& state)
{
    Scene s(false);
    const QString path = savedSystem(s);
    timeCommand(
        state, s, [&] { s.p.B_Nuevo->click(); }, [&] { s.window.AbrirSistema(path); });
}

// "Guardar sistema…" of the same worksheet: nothing on the screen changes.
void SaveSystem(benchmark::State& state)
{
    Scene s(false);
    const QString path = QDir::temp().filePath(QStringLiteral("sorvani-bench-save.csv"));
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        s.window.GuardarSistema(path);
        state.SetIterationTime(msSince(timer) / 1000);
    }
    state.counters["mensajes"] = double(s.boxes.seen.size());
    QFile::remove(path);
}

} // namespace

BENCHMARK(SetUp)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Random)->UseManualTime()->Unit(benchmark::kMillisecond);
// (matrices view, Gauss-Jordan)
BENCHMARK(Solve)->ArgsProduct({{0, 1}, {0, 1}})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FitColumns)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchView)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
// (grid, horizontal)
BENCHMARK(ScrollStep)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({3, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FullRepaint)->DenseRange(0, 3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PasteLongLine)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(OpenSystem)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SaveSystem)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
