#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QFileDialog>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Zero first coefficient: Choleski exchanges rows once, Gauss - Jordan rotates its rows
// before reducing. The solution is 1, 1, 1.
const Filas kPrimerCeroTres{{"0", "1", "1", "2"}, {"1", "0", "1", "2"}, {"1", "1", "0", "2"}};

struct Ventana : WindowFixture
{
    // n equations, typed for three, random from F3 for more; then solved.
    void resolver(int n, bool choleski)
    {
        aceptar(QString::number(n));
        if (n == 3)
            llenar(kPrimerCeroTres);
        else
            QTest::keyClick(v.get(), Qt::Key_F3);
        (choleski ? p.Op_Ch : p.Op_Gauss)->setChecked(true);
        p.B_Calcular->click();
        QVERIFY(w<QAction>("mnuInforme")->isEnabled());
    }

    // "Exportar informe…" answered with a file name and a filter; what the modal windows said.
    QStringList exportar(const QString& archivo, const QString& filtro) const
    {
        ModalCloser cierre;
        cierre.alAparecer = [&](QWidget& m) {
            if (auto* d = qobject_cast<QFileDialog*>(&m)) {
                d->selectNameFilter(filtro);
                d->selectFile(archivo);
                static_cast<QDialog*>(d)->accept();
            }
        };
        w<QAction>("mnuInforme")->trigger();
        return cierre.textos();
    }
};

QString pdfATexto(const QString& pdf)
{
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programa.isEmpty())
        qFatal("pdftotext no está instalado (scripts/install-deps.sh)");
    QProcess p;
    p.start(programa, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Each \begin closed by its own \end, in order; the environments met, in order.
QStringList entornos(const QString& tex, bool& equilibrado)
{
    static const QRegularExpression marca(QStringLiteral(R"(\\(begin|end)\{(\w+)\})"));
    QStringList abiertos, vistos;
    equilibrado = true;
    for (const auto& m : marca.globalMatch(tex)) {
        if (m.captured(1) == QLatin1String("begin")) {
            abiertos << m.captured(2);
            vistos << m.captured(2);
        } else if (abiertos.isEmpty() || abiertos.takeLast() != m.captured(2)) {
            equilibrado = false;
        }
    }
    equilibrado = equilibrado && abiertos.isEmpty();
    return vistos;
}

// The rows of each matrix environment, as the grids' texts.
QList<Filas> matrices(const QString& tex)
{
    static const QRegularExpression matriz(QStringLiteral(R"(\\begin\{(?:pmatrix|array)\}(?:\{[r|]+\})?\n(.*?)\\end\{)"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QList<Filas> todas;
    for (const auto& m : matriz.globalMatch(tex)) {
        Filas filas;
        for (QString fila : m.captured(1).split(QStringLiteral("\\\\\n"))) {
            fila.replace(QStringLiteral("{,}"), QStringLiteral(",")).replace(QStringLiteral("\\mathrm{E}"), QStringLiteral("E"));
            QStringList celdas;
            for (const QString& c : fila.split(u'&'))
                celdas << c.trimmed();
            filas << celdas;
        }
        todas << filas;
    }
    return todas;
}

} // namespace

class TestInforme : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void menuEntries()
    {
        Ventana w;
        const QList<QAction*> a = w.w<QMenu>("mnuArchivo")->actions();
        const auto en = [&](const char* nombre) { return a.indexOf(w.w<QAction>(nombre)); };
        QVERIFY(en("MnuGenera") < en("mnuInforme"));
        QCOMPARE(en("mnuImprimir"), en("mnuInforme") + 1);
        QVERIFY(a[en("mnuImprimir") + 1]->isSeparator());
        QCOMPARE(en("mnuSalir"), en("mnuImprimir") + 2);
        QCOMPARE(w.w<QAction>("mnuImprimir")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        // Each of the two answers to its own letter in the menu.
        for (const char* nombre : {"mnuInforme", "mnuImprimir"}) {
            const QKeySequence letra = QKeySequence::mnemonic(w.w<QAction>(nombre)->text());
            int mismas = 0;
            for (const QAction* otra : a)
                mismas += !otra->isSeparator() && QKeySequence::mnemonic(otra->text()) == letra;
            QVERIFY2(mismas == 1, nombre);
        }
    }

    void pdfReport_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QString>("frases"); // besides the solution, every text in turn, apart by |
        // The order of the rows: one exchange for Choleski; for Gauss - Jordan row 1 takes the
        // last equation with a first coefficient, each such row the one before it.
        QTest::newRow("3, Choleski") << 3 << true
                                     << "Sistema de ecuaciones|Ecuación X1 X2 X3 T.I|EQ1 0 1 1 2|FilaCambio = 1|Fila 1 EQ2|Fila 2 EQ1|"
                                        "Matriz B|Matriz C|Solución|X1 1|Cifras correctas esperadas";
        QTest::newRow("3, Gauss - Jordan") << 3 << false
                                           << "Sistema de ecuaciones|EQ3 1 1 0 2|FilaCambio = 0|primer coeficiente|Fila 1 EQ3|Fila 2 EQ1|"
                                              "Fila 3 EQ2|Solución|X1 1,00000|Cifras correctas esperadas";
        QTest::newRow("100, Choleski") << 100 << true
                                       << "Solución|Cifras correctas esperadas|Sistema de ecuaciones|Columnas X1 a|T.I|Matriz B|Matriz C";
        QTest::newRow("100, Gauss - Jordan") << 100 << false << "Solución|Número de condición|Sistema de ecuaciones|EQ100";
    }

    void pdfReport()
    {
        QFETCH(int, n);
        QFETCH(bool, choleski);
        QFETCH(QString, frases);
        Ventana w;
        w.resolver(n, choleski);
        QTemporaryDir carpeta;
        const QString archivo = carpeta.filePath(QStringLiteral("informe.pdf"));
        QCOMPARE(w.exportar(archivo, QStringLiteral("PDF (*.pdf)")), QStringList{"dlgInforme"});
        QString texto = pdfATexto(archivo);
        QVERIFY2(texto.contains(QLocale().toString(QDate::currentDate(), QLocale::LongFormat)), "sin la fecha");
        QCOMPARE(texto.contains(QLatin1String("Matriz B")), choleski);
        // Words apart by any spacing, in the order given.
        qsizetype desde = 0;
        for (const QString& frase : frases.split(u'|')) {
            const QRegularExpression r(QRegularExpression::escape(frase).replace(QLatin1String("\\ "), QLatin1String("\\s+")));
            const auto m = r.match(texto, desde);
            QVERIFY2(m.hasMatch(), qPrintable(frase));
            desde = m.capturedEnd();
        }
        // The solution as its grid shows it, each unknown beside its value.
        for (int i = 0; i < n; ++i) {
            const QString fila =
                QStringLiteral("(^|\\s)X%1\\s+%2(\\s|$)").arg(i + 1).arg(QRegularExpression::escape(w.p.F_Resp->TextMatrix(i, 1)));
            QVERIFY2(texto.contains(QRegularExpression(fila, QRegularExpression::MultilineOption)), qPrintable(fila));
        }
    }

    void latexReport_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("choleski");
        QTest::newRow("3, Choleski") << 3 << true;
        QTest::newRow("3, Gauss - Jordan") << 3 << false;
        QTest::newRow("100, Choleski") << 100 << true;
    }

    void latexReport()
    {
        QFETCH(int, n);
        QFETCH(bool, choleski);
        Ventana w;
        w.resolver(n, choleski);
        QTemporaryDir carpeta;
        const QString archivo = carpeta.filePath(QStringLiteral("informe.tex"));
        QCOMPARE(w.exportar(archivo, QStringLiteral("LaTeX (*.tex)")), QStringList{"dlgInforme"});
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString tex = QString::fromUtf8(f.readAll());
        bool equilibrado = false;
        const QStringList vistos = entornos(tex, equilibrado);
        QVERIFY(equilibrado);
        QCOMPARE(vistos.count(QStringLiteral("document")), 1);
        QCOMPARE(vistos.count(QStringLiteral("array")), 1);
        QCOMPARE(vistos.count(QStringLiteral("pmatrix")), choleski ? 3 : 1);
        QCOMPARE(tex.count(QStringLiteral("\\[")), tex.count(QStringLiteral("\\]")));
        QVERIFY(tex.contains(QStringLiteral("\\usepackage{amsmath}")));

        // The system (n + 1 columns), B and C (n), the solution (1): n rows each, as typed.
        const QList<Filas> m = matrices(tex);
        QCOMPARE(m.size(), choleski ? 4 : 2);
        Filas hoja, solucion;
        for (int i = 1; i <= n; ++i) {
            hoja << w.cuerpo().mid((i - 1) * (n + 1), n + 1);
            solucion << QStringList{w.p.F_Resp->TextMatrix(i - 1, 1)};
        }
        for (QStringList& fila : hoja)
            for (QString& c : fila)
                c = c.trimmed();
        // Their order is the report's: the solution first for large systems.
        QVERIFY(m.contains(hoja));
        QVERIFY(m.contains(solucion));
        for (int k = 0; choleski && k < 2; ++k) {
            Filas factor;
            for (int i = 0; i < n; ++i)
                factor << WindowFixture::celdas(*w.p.F_Rint[k]).mid(i * n, n);
            QVERIFY(m.contains(factor));
        }
    }

    void printPreview_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("orientacion");
        QTest::newRow("3") << 3 << int(QPageLayout::Portrait);
        QTest::newRow("100") << 100 << int(QPageLayout::Landscape);
    }

    void printPreview()
    {
        QFETCH(int, n);
        QFETCH(int, orientacion);
        Ventana w;
        w.resolver(n, true);
        int paginas = 0;
        int vista = -1;
        ModalCloser cierre;
        cierre.alAparecer = [&](QWidget& d) {
            auto* previa = buscar<QPrintPreviewWidget>(d, "");
            if (previa->pageCount() == 0)
                previa->updatePreview();
            paginas = previa->pageCount();
            vista = int(previa->orientation());
        };
        QTest::keyClick(w.v.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(cierre.textos(), QStringList{"dlgVistaPrevia"});
        QCOMPARE(vista, orientacion);
        QVERIFY2(n < 100 ? paginas == 1 : paginas > 10, qPrintable(QString::number(paginas)));
    }

    void unwritableFile()
    {
        Ventana w;
        w.resolver(3, true);
        QTemporaryDir carpeta;
        const QStringList vistos = w.exportar(carpeta.filePath(QStringLiteral("no/existe/informe.pdf")), QStringLiteral("PDF (*.pdf)"));
        QCOMPARE(vistos.size(), 2);
        QVERIFY2(vistos[1].startsWith(QStringLiteral("No se pudo guardar el informe en «")), qPrintable(vistos[1]));
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestInforme)
#include "tst_solvereport.moc"
