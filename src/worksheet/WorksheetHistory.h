#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

class GridControl;
class QAction;

// The undo history of the worksheet's body cells: each committed edit, paste and random
// fill is one step, taken back by "Deshacer" (Ctrl+Z) and done again by "Rehacer" (Ctrl+Y,
// Ctrl+Shift+Z). A step stores the texts of the cells it changed, before and after. While
// a calculation runs the history is held: neither the keys nor the actions act.
class WorksheetHistory : public QObject
{
    Q_OBJECT

public:
    WorksheetHistory(GridControl& cuadric, QObject* parent = nullptr);

    QAction* deshacer() const { return deshacer_; }
    QAction* rehacer() const { return rehacer_; }

    // A new layout of the worksheet: nothing before it can be taken back.
    void olvidar();
    // Off while a calculation runs.
    void setActivo(bool activo);

    // Runs a change of the cells from (top, left) to (bottom, right) as one step.
    void registrar(int top, int left, int bottom, int right, const std::function<void()>& cambio);
    // The cell (row, col) was edited in place from `antes` to its present text.
    void celdaEditada(int row, int col, const QString& antes);

    void undo();
    void redo();

signals:
    // Before a step is undone or redone: an edit still open must land first.
    void antesDeAplicar();

private:
    struct Textos
    {
        int top = 0;
        int left = 0;
        int bottom = -1;
        int right = -1;
        std::vector<QString> celdas; // row-major
    };
    class Cambio;

    Textos leer(int top, int left, int bottom, int right) const;
    void empujar(Textos antes);
    void actualizar();

    GridControl& cuadric_;
    QUndoStack pila_;
    QAction* deshacer_;
    QAction* rehacer_;
    bool activo_ = true;
    // The body as it was when a paste began.
    Textos antesDePegar_;
};
