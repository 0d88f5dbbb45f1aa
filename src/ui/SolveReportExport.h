#pragma once

#include <QObject>
#include <QString>

class QAction;
class QIODevice;
class QMainWindow;
class SolutionVerification;
struct Controls;

namespace report {
struct SolveReport;
}

// "Exportar informe…" (PDF, or LaTeX for a teacher) and "Imprimir…" (with a preview) in the
// "&Archivo" menu, just before "&Salir". Both are enabled exactly while "Verificar
// solución…" is: while the solution shown is that of the worksheet as it stands.
class SolveReportExport : public QObject
{
    Q_OBJECT

public:
    SolveReportExport(QMainWindow& window, const Controls& c,
                      const SolutionVerification& solutionCheck);

    // The report of the solution shown, from the grids' texts and the solve.
    report::SolveReport report() const;
    // The report as a PDF document, A4, on the device.
    static bool writePdf(const report::SolveReport& informe, QIODevice& target);

private:
    void exportReport();
    void printReport();
    bool writeReport(const QString& file, bool latex);

    QMainWindow& window_;
    const Controls& c_;
    const SolutionVerification& solutionCheck_;
    QAction* mnuInforme_;
    QAction* mnuImprimir_;
};
