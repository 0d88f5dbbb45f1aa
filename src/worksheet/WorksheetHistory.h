#pragma once

#include "worksheet/PackedTexts.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>

class GridControl;
class QAction;
class QLineEdit;

// The undo history of the worksheet: each committed edit, paste, deletion and random fill
// is one step, and so is each new layout (a new n, "Nuevo Cálculo", an opened file). Steps
// are taken back by "Deshacer" (Ctrl+Z) and done again by "Rehacer" (Ctrl+Y,
// Ctrl+Shift+Z), on the worksheet or, where it has no typing of its own to take back, in
// the number box. A cell step stores the texts of the cells it changed, before and after;
// a layout step stores the whole worksheet and the number it was laid out for, and brings
// it back through the window's own set-up. While a calculation runs the history is held:
// neither the keys nor the actions act.
class WorksheetHistory : public QObject
{
    Q_OBJECT

public:
    // How the window lays the worksheet out and takes it away; the history restores a
    // layout through them, recording nothing.
    struct Layouts
    {
        // Writes the number into the number box and accepts it.
        std::function<void(const QString& count)> layOut;
        // The new-calculation command.
        std::function<void()> clear;
    };

    // A hundred steps, within this many bytes of texts: a long session at n = 100 must not
    // hold hundreds of megabytes for steps nobody takes back.
    static constexpr int kSteps = 100;
    static constexpr std::size_t kBudget = std::size_t(48) << 20;

    WorksheetHistory(GridControl& cuadric, QLineEdit& numberBox, Layouts layouts,
                     QObject* parent = nullptr);
    ~WorksheetHistory() override;

    QAction* deshacer() const { return deshacer_; }
    QAction* rehacer() const { return rehacer_; }

    // Off while a calculation runs.
    void setActivo(bool activo);

    // Runs a change of the cells from (top, left) to (bottom, right) as one step.
    void registrar(int top, int left, int bottom, int right, const std::function<void()>& cambio);
    // The cell (row, col) was edited in place from `antes` to its present text.
    void celdaEditada(int row, int col, const QString& antes);
    // Runs a change that may lay the worksheet out anew (or take it away) as one step.
    void recordLayoutChange(const std::function<void()>& change);
    // Empties the selected cells of the worksheet, as one step.
    void clearSelection();

    void undo();
    void redo();

    // Steps held, and the bytes they take.
    int stepCount() const { return int(steps_.size()); }
    std::size_t byteSize() const { return bytes_; }

signals:
    // Before a step is undone or redone: an edit still open must land first.
    void antesDeAplicar();
    // A step has been recorded.
    void recorded();
    // A step has been taken back or done again; `layout` when it laid the worksheet out.
    void applied(bool undone, bool layout);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Step;
    class CellStep;
    class LayoutStep;
    struct Block;
    struct Sheet;

    Block leer(int top, int left, int bottom, int right) const;
    Sheet sheet(const QString& count) const;
    void restore(const Sheet& s);
    void empujar(Block antes);
    void push(std::unique_ptr<Step> step);
    void actualizar();

    GridControl& cuadric_;
    QLineEdit& numberBox_;
    Layouts layouts_;
    QAction* deshacer_;
    QAction* rehacer_;
    bool activo_ = true;
    std::deque<std::unique_ptr<Step>> steps_;
    // Steps before this index are done; the rest have been undone.
    std::size_t done_ = 0;
    std::size_t bytes_ = 0;
    // The number the worksheet was last laid out for, as it was typed.
    QString count_;
    // The body as it was when a paste began.
    std::unique_ptr<Block> antesDePegar_;
};
