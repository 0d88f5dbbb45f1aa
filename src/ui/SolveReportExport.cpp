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

const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");
const QString kLatexFilter = QStringLiteral("LaTeX (*.tex)");

report::Cells cellsOf(const GridControl& g)
{
    report::Cells c(std::size_t(g.Rows()));
    for (int i = 0; i < g.Rows(); ++i)
        for (int j = 0; j < g.Cols(); ++j)
            c[std::size_t(i)].push_back(g.TextMatrix(i, j).toStdString());
    return c;
}

QAction* addAction(QMenu& menu, QAction* before, const char* name, const QString& text,
                   const QKeySequence& shortcut = {})
{
    auto* a = new QAction(text, &menu);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(shortcut);
    menu.insertAction(before, a);
    return a;
}

} // namespace

SolveReportExport::SolveReportExport(QMainWindow& window, const Controls& c,
                                     const SolutionVerification& solutionCheck)
    : QObject(&window), window_(window), c_(c), solutionCheck_(solutionCheck)
{
    // "&Iniciar Cálculo" holds the I: printing takes the P of its shortcut.
    QMenu& menu = *c.mnuArchivo;
    mnuInforme_ = addAction(menu, c.mnuSalir, "mnuInforme", QStringLiteral("&Exportar informe…"));
    mnuImprimir_ = addAction(menu, c.mnuSalir, "mnuImprimir", QStringLiteral("Im&primir…"),
                             QKeySequence::Print);
    menu.insertSeparator(c.mnuSalir)->setObjectName(QStringLiteral("SpInforme"));
    // The verification already follows every change of the worksheet and of the solution.
    for (QAction* a : {mnuInforme_, mnuImprimir_}) {
        a->setEnabled(solutionCheck.action()->isEnabled());
        connect(solutionCheck.action(), &QAction::enabledChanged, a, &QAction::setEnabled);
    }
    connect(mnuInforme_, &QAction::triggered, this, &SolveReportExport::exportReport);
    connect(mnuImprimir_, &QAction::triggered, this, &SolveReportExport::printReport);
}

report::SolveReport SolveReportExport::report() const
{
    report::SolveRecord r;
    r.date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat).toStdString();
    r.decimalSeparator = QLocale().decimalPoint().toStdString();
    r.worksheet = cellsOf(*c_.Cuadric);
    r.solve = *solutionCheck_.current();
    if (r.solve.method == verification::Method::Choleski) {
        r.b = cellsOf(*c_.F_Rint[0]);
        r.c = cellsOf(*c_.F_Rint[1]);
    }
    r.solution = cellsOf(*c_.F_Resp);
    return report::buildReport(r);
}

void SolveReportExport::exportReport()
{
    if (!solutionCheck_.current())
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(&window_, QStringLiteral("Exportar informe"),
                       QDir(folder).filePath(QStringLiteral("informe.pdf")));
    dialog.setObjectName(QStringLiteral("dlgInforme"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPdfFilter, kLatexFilter});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kLatexFilter ? QStringLiteral("tex")
                                                       : QStringLiteral("pdf"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file = dialog.selectedFiles().front();
    // The name's own ending decides; without one, the filter chosen.
    const QString suffix = QFileInfo(file).suffix().toLower();
    const bool latex =
        suffix == QLatin1String("tex") ||
        (suffix != QLatin1String("pdf") && dialog.selectedNameFilter() == kLatexFilter);
    writeReport(file, latex);
}

bool SolveReportExport::writeReport(const QString& file, bool latex)
{
    const report::SolveReport r = report();
    QSaveFile target(file);
    bool written = target.open(QIODevice::WriteOnly);
    if (written && latex) {
        const std::string text = report::latexReport(r);
        written = target.write(text.data(), qint64(text.size())) == qint64(text.size());
    } else if (written) {
        written = writePdf(r, target);
    }
    if (written && target.commit())
        return true;
    showMessage(&window_, QMessageBox::Warning,
                QStringLiteral("No se pudo guardar el informe en «%1»:\n%2")
                    .arg(QDir::toNativeSeparators(file), target.errorString()));
    return false;
}

bool SolveReportExport::writePdf(const report::SolveReport& informe, QIODevice& target)
{
    QPdfWriter pdf(&target);
    pdf.setTitle(QString::fromStdString(informe.title));
    pdf.setCreator(QStringLiteral("Sorvani"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    ReportPages::orient(informe, pdf);
    return ReportPages::paint(informe, pdf);
}

void SolveReportExport::printReport()
{
    if (!solutionCheck_.current())
        return;
    const report::SolveReport r = report();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(r.title));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    ReportPages::orient(r, printer);
    // The preview's print button opens the print dialog.
    QPrintPreviewDialog preview(&printer, &window_);
    preview.setObjectName(QStringLiteral("dlgVistaPrevia"));
    preview.setWindowTitle(QStringLiteral("Vista previa del informe"));
    // Room for a whole page, where the screen has it.
    if (const QScreen* screen = window_.screen())
        preview.resize(screen->availableGeometry().size() * 0.8);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&r](QPrinter* p) { ReportPages::paint(r, *p); });
    preview.exec();
}
