#pragma once

#include "steps/StepTrace.h"

#include <QDialog>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

class GridControl;
class QCheckBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;
class StatusLine;
class StepMarks;
class StepTreeModel;
class DigitsLostLegend;

// A solve shown step by step: the tree of its stages and steps, the matrix as it stands
// after the selected step (the cells it wrote marked, the pivot outlined), the single and
// double values of a cell, and, for a solve that did not complete, why. Modal; Escape and
// "Cerrar" close it.
class frmPasos : public QDialog
{
    Q_OBJECT

public:
    // `explanation`: why the solve did not complete and what the system is; empty when it
    // completed.
    frmPasos(solver::StepTrace trace, const QString& explanation, QWidget* parent = nullptr);
    ~frmPasos() override;

    // The steps shown: stage by stage, then the matrix after the step k (-1: before the
    // first).
    void showStep(std::ptrdiff_t k);
    std::ptrdiff_t shownStep() const { return shown_; }

private:
    struct Cell
    {
        solver::MatrixName matrix;
        int row;
        int col;
    };

    void buildGrid();
    void selectionChanged(const QModelIndex& current);
    void moveTo(std::ptrdiff_t step);
    void Inicio_Click();
    void Anterior_Click();
    void Siguiente_Click();
    void Fin_Click();
    void Copiar_Click();
    void colouringToggled(bool on);
    void cellChanged();

    // Where the element lies in F_Paso, if shown there.
    std::optional<QPoint> gridCell(solver::MatrixName m, int row, int col) const;
    std::optional<Cell> matrixCell(int gridRow, int gridCol) const;
    bool columnShown(solver::MatrixName m, int col) const;
    void writeAll();
    void writeRuns(std::uint32_t from, std::uint32_t to);
    void writeCell(solver::MatrixName m, int row, int col);
    void markStep();
    std::uint32_t runsAfter(std::ptrdiff_t k) const;

    solver::StepTrace trace_;
    std::string separator_;
    std::unique_ptr<solver::TraceCursor> cursor_;
    StepTreeModel* model_;
    QTreeView* LstPasos;
    GridControl* F_Paso;
    StepMarks* marks_;
    QLabel* Et_Celda;
    QLabel* Et_Matriz;
    StatusLine* Et_Paso;
    QCheckBox* Ch_Cifras;
    DigitsLostLegend* legend_;
    QPushButton* B_Inicio;
    QPushButton* B_Anterior;
    QPushButton* B_Siguiente;
    QPushButton* B_Fin;
    std::ptrdiff_t shown_ = -2;
    // First steps of the substitutions: the work columns y and x are shown from there on.
    std::ptrdiff_t forwardStart_ = -1;
    std::ptrdiff_t backStart_ = -1;
    bool yShown_ = false;
    bool xShown_ = false;
};
