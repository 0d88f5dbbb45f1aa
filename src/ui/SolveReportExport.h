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
    SolveReportExport(QMainWindow& ventana, const Controls& c,
                      const SolutionVerification& verificacion);

    // The report of the solution shown, from the grids' texts and the solve.
    report::SolveReport informe() const;
    // The report as a PDF document, A4, on the device.
    static bool escribirPdf(const report::SolveReport& informe, QIODevice& destino);

private:
    void exportar();
    void imprimir();
    bool escribir(const QString& archivo, bool latex);

    QMainWindow& ventana_;
    const Controls& c_;
    const SolutionVerification& verificacion_;
    QAction* mnuInforme_;
    QAction* mnuImprimir_;
};
