#pragma once

#include "steps/StepTrace.h"

#include <QDialog>
#include <QString>

#include <memory>

class GridControl;
class QCheckBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;
class StatusLine;
class StepGridFiller;
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
    std::ptrdiff_t shownStep() const;

private:
    void selectionChanged(const QModelIndex& current);
    void moveTo(std::ptrdiff_t step);
    void Inicio_Click();
    void Anterior_Click();
    void Siguiente_Click();
    void Fin_Click();
    void Copiar_Click();
    void colouringToggled(bool on);
    void cellChanged();

    void markStep();

    solver::StepTrace trace_;
    std::string separator_;
    std::unique_ptr<solver::TraceCursor> cursor_;
    std::unique_ptr<StepGridFiller> filler_;
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
};
