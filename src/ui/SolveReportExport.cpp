#include "ui/SolveReportExport.h"

#include "grid/GridControl.h"
#include "report/LatexReport.h"
#include "report/SolveReport.h"
#include "ui/Controls.h"
#include "ui/ReportPages.h"
#include "ui/SolutionVerification.h"
#include "worksheet/ShowMessage.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>

namespace {

const QString kFiltroPdf = QStringLiteral("PDF (*.pdf)");
const QString kFiltroLatex = QStringLiteral("LaTeX (*.tex)");

report::Cells celdas(const GridControl& g)
{
    report::Cells c(std::size_t(g.Rows()));
    for (int i = 0; i < g.Rows(); ++i)
        for (int j = 0; j < g.Cols(); ++j)
            c[std::size_t(i)].push_back(g.TextMatrix(i, j).toStdString());
    return c;
}

QAction* accion(QMenu& menu, QAction* antes, const char* nombre, const QString& texto,
                const QKeySequence& atajo = {})
{
    auto* a = new QAction(texto, &menu);
    a->setObjectName(QLatin1String(nombre));
    a->setShortcut(atajo);
    menu.insertAction(antes, a);
    return a;
}

} // namespace

SolveReportExport::SolveReportExport(QMainWindow& ventana, const Controls& c,
                                     const SolutionVerification& verificacion)
    : QObject(&ventana), ventana_(ventana), c_(c), verificacion_(verificacion)
{
    // "&Iniciar Cálculo" holds the I: printing takes the P of its shortcut.
    QMenu& menu = *c.mnuArchivo;
    mnuInforme_ = accion(menu, c.mnuSalir, "mnuInforme", QStringLiteral("&Exportar informe…"));
    mnuImprimir_ =
        accion(menu, c.mnuSalir, "mnuImprimir", QStringLiteral("Im&primir…"), QKeySequence::Print);
    menu.insertSeparator(c.mnuSalir)->setObjectName(QStringLiteral("SpInforme"));
    // The verification already follows every change of the worksheet and of the solution.
    for (QAction* a : {mnuInforme_, mnuImprimir_}) {
        a->setEnabled(verificacion.accion()->isEnabled());
        connect(verificacion.accion(), &QAction::enabledChanged, a, &QAction::setEnabled);
    }
    connect(mnuInforme_, &QAction::triggered, this, &SolveReportExport::exportar);
    connect(mnuImprimir_, &QAction::triggered, this, &SolveReportExport::imprimir);
}

report::SolveReport SolveReportExport::informe() const
{
    report::SolveRecord r;
    r.date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
    r.decimalSeparator = QLocale().decimalPoint().toStdString();
    r.worksheet = celdas(*c_.Cuadric);
    r.solve = *verificacion_.vigente();
    if (r.solve.method == verification::Method::Choleski) {
        r.b = celdas(*c_.F_Rint[0]);
        r.c = celdas(*c_.F_Rint[1]);
    }
    r.solution = celdas(*c_.F_Resp);
    return report::buildReport(r);
}

void SolveReportExport::exportar()
{
    if (!verificacion_.vigente())
        return;
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialogo(&ventana_, QStringLiteral("Exportar informe"),
                        QDir(carpeta).filePath(QStringLiteral("informe.pdf")));
    dialogo.setObjectName(QStringLiteral("dlgInforme"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilters({kFiltroPdf, kFiltroLatex});
    dialogo.setDefaultSuffix(QStringLiteral("pdf"));
    connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& filtro) {
        dialogo.setDefaultSuffix(filtro == kFiltroLatex ? QStringLiteral("tex")
                                                        : QStringLiteral("pdf"));
    });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    const QString archivo = dialogo.selectedFiles().front();
    // The name's own ending decides; without one, the filter chosen.
    const QString final = QFileInfo(archivo).suffix().toLower();
    const bool latex =
        final == QLatin1String("tex") ||
        (final != QLatin1String("pdf") && dialogo.selectedNameFilter() == kFiltroLatex);
    escribir(archivo, latex);
}

bool SolveReportExport::escribir(const QString& archivo, bool latex)
{
    const report::SolveReport r = informe();
    QSaveFile destino(archivo);
    bool escrito = destino.open(QIODevice::WriteOnly);
    if (escrito && latex) {
        const std::string texto = report::latexReport(r);
        escrito = destino.write(texto.data(), qint64(texto.size())) == qint64(texto.size());
    } else if (escrito) {
        escrito = escribirPdf(r, destino);
    }
    if (escrito && destino.commit())
        return true;
    showMessage(&ventana_, QMessageBox::Warning,
                QStringLiteral("No se pudo guardar el informe en «%1»:\n%2")
                    .arg(QDir::toNativeSeparators(archivo), destino.errorString()));
    return false;
}

bool SolveReportExport::escribirPdf(const report::SolveReport& informe, QIODevice& destino)
{
    QPdfWriter pdf(&destino);
    pdf.setTitle(QString::fromStdString(informe.title));
    pdf.setCreator(QStringLiteral("Sorvani"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    ReportPages::orient(informe, pdf);
    return ReportPages::paint(informe, pdf);
}

void SolveReportExport::imprimir()
{
    if (!verificacion_.vigente())
        return;
    const report::SolveReport r = informe();
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(QString::fromStdString(r.title));
    impresora.setPageSize(QPageSize(QPageSize::A4));
    impresora.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    ReportPages::orient(r, impresora);
    // The preview's print button opens the print dialog.
    QPrintPreviewDialog vista(&impresora, &ventana_);
    vista.setObjectName(QStringLiteral("dlgVistaPrevia"));
    vista.setWindowTitle(QStringLiteral("Vista previa del informe"));
    // Room for a whole page, where the screen has it.
    if (const QScreen* pantalla = ventana_.screen())
        vista.resize(pantalla->availableGeometry().size() * 0.8);
    connect(&vista, &QPrintPreviewDialog::paintRequested, &vista,
            [&r](QPrinter* p) { ReportPages::paint(r, *p); });
    vista.exec();
}
