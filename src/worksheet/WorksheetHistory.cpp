#include "worksheet/WorksheetHistory.h"

#include "grid/GridControl.h"
#include "grid/GridKey.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include <algorithm>
#include <utility>

// The texts of a rectangle of cells, row by row.
struct WorksheetHistory::Block
{
    int top = 0;
    int left = 0;
    int bottom = -1;
    int right = -1;
    PackedTexts texts;
};

// The whole worksheet: whether it is laid out, for which number as typed, and its body.
struct WorksheetHistory::Sheet
{
    bool laidOut = false;
    // An empty worksheet is enabled in a window that has not laid one out yet, disabled
    // after the new-calculation command: undo gives back whichever it was.
    bool enabled = false;
    QString count;
    int rows = 0;
    int cols = 0;
    PackedTexts body;

    bool sameCells(const Sheet& o) const
    {
        return laidOut == o.laidOut && rows == o.rows && cols == o.cols && body == o.body;
    }
};

class WorksheetHistory::Step
{
public:
    virtual ~Step() = default;
    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual bool isLayout() const = 0;
    virtual std::size_t bytes() const = 0;
};

// The same cells before and after.
class WorksheetHistory::CellStep : public Step
{
public:
    CellStep(GridControl& cuadric, Block antes, Block despues)
        : cuadric_(cuadric), antes_(std::move(antes)), despues_(std::move(despues))
    {}

    void undo() override { escribir(antes_); }
    void redo() override { escribir(despues_); }
    bool isLayout() const override { return false; }
    std::size_t bytes() const override
    {
        return sizeof(*this) + antes_.texts.bytes() + despues_.texts.bytes();
    }

private:
    // The cells written become the selection, so the user sees what came back.
    void escribir(const Block& t)
    {
        {
            const GridControl::BulkUpdate agrupado(cuadric_);
            std::size_t i = 0;
            for (int r = t.top; r <= t.bottom; ++r)
                for (int c = t.left; c <= t.right; ++c)
                    cuadric_.setTextMatrix(r, c, t.texts.at(i++).toString());
        }
        if (cuadric_.isValidCell(t.bottom, t.right) && cuadric_.hasCurrentCell()) {
            cuadric_.setRow(t.top);
            cuadric_.setCol(t.left);
            cuadric_.setRowSel(t.bottom);
            cuadric_.setColSel(t.right);
        }
    }

    GridControl& cuadric_;
    Block antes_;
    Block despues_;
};

// The worksheet before and after a new layout.
class WorksheetHistory::LayoutStep : public Step
{
public:
    LayoutStep(WorksheetHistory& history, Sheet antes, Sheet despues)
        : history_(history), antes_(std::move(antes)), despues_(std::move(despues))
    {}

    void undo() override { history_.restore(antes_); }
    void redo() override { history_.restore(despues_); }
    bool isLayout() const override { return true; }
    std::size_t bytes() const override
    {
        return sizeof(*this) + antes_.body.bytes() + despues_.body.bytes() +
               std::size_t(antes_.count.size() + despues_.count.size()) * sizeof(QChar);
    }

private:
    WorksheetHistory& history_;
    Sheet antes_;
    Sheet despues_;
};

namespace {

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

// The number box's own undo goes back to the text it now has: its older typing belongs to
// a layout that the history holds. The selection stays as it is.
void forgetTyping(QLineEdit& box)
{
    const int start = box.selectionStart();
    const int length = box.selectionLength();
    const int cursor = box.cursorPosition();
    box.setText(box.text());
    if (start >= 0)
        box.setSelection(start, length);
    else
        box.setCursorPosition(cursor);
}

} // namespace

WorksheetHistory::WorksheetHistory(GridControl& cuadric, QLineEdit& numberBox, Layouts layouts,
                                   QObject* parent)
    : QObject(parent), cuadric_(cuadric), numberBox_(numberBox), layouts_(std::move(layouts)),
      deshacer_(accion(QStringLiteral("Deshacer"), "mnuDeshacer",
                       {QKeySequence(Qt::ControlModifier | Qt::Key_Z)}, this)),
      rehacer_(accion(QStringLiteral("Rehacer"), "mnuRehacer",
                      {QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                       QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)},
                      this))
{
    connect(deshacer_, &QAction::triggered, this, &WorksheetHistory::undo);
    connect(rehacer_, &QAction::triggered, this, &WorksheetHistory::redo);
    connect(&cuadric_, &GridControl::UndoRequested, this, &WorksheetHistory::undo);
    connect(&cuadric_, &GridControl::RedoRequested, this, &WorksheetHistory::redo);
    cuadric_.installEventFilter(this);
    numberBox_.installEventFilter(this);
    connect(&cuadric_, &GridControl::BeforePaste, this, [this] {
        antesDePegar_ = std::make_unique<Block>(leer(cuadric_.FixedRows(), cuadric_.FixedCols(),
                                                     cuadric_.Rows() - 1, cuadric_.Cols() - 1));
    });
    connect(&cuadric_, &GridControl::Pasted, this, [this] {
        const int top = std::min(cuadric_.Row(), cuadric_.RowSel());
        const int left = std::min(cuadric_.Col(), cuadric_.ColSel());
        const int bottom = std::max(cuadric_.Row(), cuadric_.RowSel());
        const int right = std::max(cuadric_.Col(), cuadric_.ColSel());
        const std::unique_ptr<Block> todo = std::move(antesDePegar_);
        // The body changed shape between the two signals: nothing to compare it with.
        if (!todo || todo->top != cuadric_.FixedRows() || todo->left != cuadric_.FixedCols() ||
            todo->bottom != cuadric_.Rows() - 1 || todo->right != cuadric_.Cols() - 1)
            return;
        Block antes{top, left, bottom, right, {}};
        const int ancho = todo->right - todo->left + 1;
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                antes.texts.append(
                    todo->texts.at(std::size_t((r - todo->top) * ancho + (c - todo->left))));
        empujar(std::move(antes));
    });
}

WorksheetHistory::~WorksheetHistory() = default;

WorksheetHistory::Block WorksheetHistory::leer(int top, int left, int bottom, int right) const
{
    Block t{top, left, bottom, right, {}};
    for (int r = top; r <= bottom; ++r)
        for (int c = left; c <= right; ++c)
            t.texts.append(cuadric_.TextView(r, c));
    t.texts.shrink();
    return t;
}

WorksheetHistory::Sheet WorksheetHistory::sheet(const QString& count) const
{
    Sheet s;
    s.laidOut = cuadric_.Cols() > 0;
    s.enabled = cuadric_.isEnabled();
    s.count = s.laidOut ? count : QString();
    s.rows = cuadric_.Rows();
    s.cols = cuadric_.Cols();
    if (s.laidOut)
        s.body = leer(1, 1, s.rows - 1, s.cols - 1).texts;
    return s;
}

// Through the window's own set-up, so that every header, state and text is the one that
// number gives; then the texts of the body.
void WorksheetHistory::restore(const Sheet& s)
{
    if (!s.laidOut) {
        layouts_.clear();
        cuadric_.setEnabled(s.enabled);
    } else {
        layouts_.layOut(s.count);
        const GridControl::BulkUpdate agrupado(cuadric_);
        const int ancho = s.cols - 1;
        for (int r = 1; r < std::min(s.rows, cuadric_.Rows()); ++r)
            for (int c = 1; c < std::min(s.cols, cuadric_.Cols()); ++c)
                cuadric_.setTextMatrix(
                    r, c, s.body.at(std::size_t((r - 1) * ancho + (c - 1))).toString());
    }
    count_ = s.count;
    forgetTyping(numberBox_);
}

// Pushes the step from `antes` to the cells as they are now, unless nothing changed.
void WorksheetHistory::empujar(Block antes)
{
    if (antes.bottom < antes.top || antes.right < antes.left)
        return;
    Block despues = leer(antes.top, antes.left, antes.bottom, antes.right);
    if (despues.texts == antes.texts)
        return;
    push(std::make_unique<CellStep>(cuadric_, std::move(antes), std::move(despues)));
}

// The steps undone are dropped, then the oldest ones beyond the count or the budget.
void WorksheetHistory::push(std::unique_ptr<Step> step)
{
    while (steps_.size() > done_) {
        bytes_ -= steps_.back()->bytes();
        steps_.pop_back();
    }
    bytes_ += step->bytes();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    while (steps_.size() > 1 && (steps_.size() > std::size_t(kSteps) || bytes_ > kBudget)) {
        bytes_ -= steps_.front()->bytes();
        steps_.pop_front();
        --done_;
    }
    actualizar();
    emit recorded();
}

void WorksheetHistory::registrar(int top, int left, int bottom, int right,
                                 const std::function<void()>& cambio)
{
    Block antes = leer(top, left, bottom, right);
    cambio();
    empujar(std::move(antes));
}

void WorksheetHistory::celdaEditada(int row, int col, const QString& antes)
{
    if (row < cuadric_.FixedRows() || col < cuadric_.FixedCols())
        return;
    Block b{row, col, row, col, {}};
    b.texts.append(antes);
    empujar(std::move(b));
}

void WorksheetHistory::recordLayoutChange(const std::function<void()>& change)
{
    Sheet antes = sheet(count_);
    change();
    Sheet despues = sheet(numberBox_.text());
    // A number refused leaves the worksheet, and the number it was laid out for, as they were.
    if (despues.sameCells(antes))
        return;
    if (despues.laidOut)
        count_ = despues.count;
    forgetTyping(numberBox_);
    push(std::make_unique<LayoutStep>(*this, std::move(antes), std::move(despues)));
}

void WorksheetHistory::clearSelection()
{
    if (!activo_ || !cuadric_.isEnabled() || !cuadric_.hasCurrentCell())
        return;
    const CellSelection s = cuadric_.selection();
    registrar(s.top(), s.left(), s.bottom(), s.right(), [this, s] {
        const GridControl::BulkUpdate agrupado(cuadric_);
        for (int r = s.top(); r <= s.bottom(); ++r)
            for (int c = s.left(); c <= s.right(); ++c)
                cuadric_.setTextMatrix(r, c, {});
    });
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
    if (done_ == 0)
        return;
    Step& step = *steps_[--done_];
    step.undo();
    actualizar();
    emit applied(true, step.isLayout());
}

void WorksheetHistory::redo()
{
    if (!activo_)
        return;
    emit antesDeAplicar();
    if (done_ == steps_.size())
        return;
    Step& step = *steps_[done_++];
    step.redo();
    actualizar();
    emit applied(false, step.isLayout());
}

void WorksheetHistory::actualizar()
{
    deshacer_->setEnabled(activo_ && done_ > 0);
    rehacer_->setEnabled(activo_ && done_ < steps_.size());
}

// Supr on the worksheet empties its selection; in the number box, the undo keys reach the
// worksheet once the box has no typing of its own to take back.
bool WorksheetHistory::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == &cuadric_ && key.key() == Qt::Key_Delete &&
        !(key.modifiers() & ~Qt::KeypadModifier)) {
        clearSelection();
        return true;
    }
    if (watched == &numberBox_) {
        const GridKey::Command command = GridKey::command(key);
        if (command == GridKey::Command::Undo && !numberBox_.isUndoAvailable()) {
            undo();
            return true;
        }
        if (command == GridKey::Command::Redo && !numberBox_.isRedoAvailable()) {
            redo();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
