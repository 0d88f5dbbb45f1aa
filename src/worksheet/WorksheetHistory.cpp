#include "worksheet/WorksheetHistory.h"

#include "grid/GridControl.h"

#include <QAction>
#include <QKeySequence>
#include <QUndoCommand>

#include <algorithm>
#include <utility>

// One step: the same cells before and after. Its first redo is the change itself, which
// has already happened when the step is pushed.
class WorksheetHistory::Cambio : public QUndoCommand
{
public:
    Cambio(GridControl& cuadric, Textos antes, Textos despues)
        : cuadric_(cuadric), antes_(std::move(antes)), despues_(std::move(despues))
    {}

    void undo() override { escribir(antes_); }
    void redo() override
    {
        if (hecho_)
            escribir(despues_);
        hecho_ = true;
    }

private:
    // The cells written become the selection, so the user sees what came back.
    void escribir(const Textos& t)
    {
        {
            const GridControl::BulkUpdate agrupado(cuadric_);
            const int ancho = t.right - t.left + 1;
            for (int r = t.top; r <= t.bottom; ++r)
                for (int c = t.left; c <= t.right; ++c)
                    cuadric_.setTextMatrix(
                        r, c, t.celdas[std::size_t((r - t.top) * ancho + (c - t.left))]);
        }
        if (cuadric_.isValidCell(t.bottom, t.right) && cuadric_.hasCurrentCell()) {
            cuadric_.setRow(t.top);
            cuadric_.setCol(t.left);
            cuadric_.setRowSel(t.bottom);
            cuadric_.setColSel(t.right);
        }
    }

    GridControl& cuadric_;
    Textos antes_;
    Textos despues_;
    bool hecho_ = false;
};

namespace {

// A random fill of 100 equations keeps two copies of 10,100 texts: a long history of them
// would hold a lot of memory for steps nobody takes back.
constexpr int kPasos = 100;

QAction* accion(const QString& texto, const char* nombre, const QList<QKeySequence>& teclas,
                QObject* dueno)
{
    auto* a = new QAction(texto, dueno);
    a->setObjectName(QLatin1String(nombre));
    a->setShortcuts(teclas);
    // The keys reach the history through the grid; in the context menu they are shown.
    a->setShortcutContext(Qt::WidgetShortcut);
    a->setShortcutVisibleInContextMenu(true);
    a->setEnabled(false);
    return a;
}

} // namespace

WorksheetHistory::WorksheetHistory(GridControl& cuadric, QObject* parent)
    : QObject(parent), cuadric_(cuadric),
      deshacer_(accion(QStringLiteral("Deshacer"), "mnuDeshacer",
                       {QKeySequence(Qt::ControlModifier | Qt::Key_Z)}, this)),
      rehacer_(accion(QStringLiteral("Rehacer"), "mnuRehacer",
                      {QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                       QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)},
                      this))
{
    pila_.setUndoLimit(kPasos);
    connect(deshacer_, &QAction::triggered, this, &WorksheetHistory::undo);
    connect(rehacer_, &QAction::triggered, this, &WorksheetHistory::redo);
    connect(&pila_, &QUndoStack::canUndoChanged, this, &WorksheetHistory::actualizar);
    connect(&pila_, &QUndoStack::canRedoChanged, this, &WorksheetHistory::actualizar);
    connect(&cuadric_, &GridControl::UndoRequested, this, &WorksheetHistory::undo);
    connect(&cuadric_, &GridControl::RedoRequested, this, &WorksheetHistory::redo);
    connect(&cuadric_, &GridControl::BeforePaste, this, [this] {
        antesDePegar_ = leer(cuadric_.FixedRows(), cuadric_.FixedCols(), cuadric_.Rows() - 1,
                             cuadric_.Cols() - 1);
    });
    connect(&cuadric_, &GridControl::Pasted, this, [this] {
        const int top = std::min(cuadric_.Row(), cuadric_.RowSel());
        const int left = std::min(cuadric_.Col(), cuadric_.ColSel());
        const int bottom = std::max(cuadric_.Row(), cuadric_.RowSel());
        const int right = std::max(cuadric_.Col(), cuadric_.ColSel());
        const Textos todo = std::exchange(antesDePegar_, {});
        // The body changed shape between the two signals: nothing to compare it with.
        if (todo.top != cuadric_.FixedRows() || todo.left != cuadric_.FixedCols() ||
            todo.bottom != cuadric_.Rows() - 1 || todo.right != cuadric_.Cols() - 1)
            return;
        Textos antes{top, left, bottom, right, {}};
        const int ancho = todo.right - todo.left + 1;
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                antes.celdas.push_back(
                    todo.celdas[std::size_t((r - todo.top) * ancho + (c - todo.left))]);
        empujar(std::move(antes));
    });
}

WorksheetHistory::Textos WorksheetHistory::leer(int top, int left, int bottom, int right) const
{
    Textos t{top, left, bottom, right, {}};
    if (bottom < top || right < left)
        return t;
    t.celdas.reserve(std::size_t(bottom - top + 1) * std::size_t(right - left + 1));
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            t.celdas.push_back(cuadric_.TextMatrix(r, c));
    return t;
}

// Pushes the step from `antes` to the cells as they are now, unless nothing changed.
void WorksheetHistory::empujar(Textos antes)
{
    if (antes.bottom < antes.top || antes.right < antes.left)
        return;
    Textos despues = leer(antes.top, antes.left, antes.bottom, antes.right);
    if (despues.celdas == antes.celdas)
        return;
    pila_.push(new Cambio(cuadric_, std::move(antes), std::move(despues)));
}

void WorksheetHistory::registrar(int top, int left, int bottom, int right,
                                 const std::function<void()>& cambio)
{
    Textos antes = leer(top, left, bottom, right);
    cambio();
    empujar(std::move(antes));
}

void WorksheetHistory::celdaEditada(int row, int col, const QString& antes)
{
    if (row >= cuadric_.FixedRows() && col >= cuadric_.FixedCols())
        empujar({row, col, row, col, {antes}});
}

void WorksheetHistory::olvidar()
{
    pila_.clear();
}

void WorksheetHistory::setActivo(bool activo)
{
    activo_ = activo;
    actualizar();
}

void WorksheetHistory::undo()
{
    if (!activo_)
        return;
    emit antesDeAplicar();
    if (pila_.canUndo())
        pila_.undo();
}

void WorksheetHistory::redo()
{
    if (!activo_)
        return;
    emit antesDeAplicar();
    if (pila_.canRedo())
        pila_.redo();
}

void WorksheetHistory::actualizar()
{
    deshacer_->setEnabled(activo_ && pila_.canUndo());
    rehacer_->setEnabled(activo_ && pila_.canRedo());
}
