#include "Keyboard.h"
#include "ModalCloser.h"
#include "ProgramTexts.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include "grid/GridModel.h"
#include "solver/NumberText.h"
#include "solver/RuntimeError.h"
#include "ui/NoteHiddenDigits.h"
#include "worksheet/RefusedCells.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QTest>

// What the worksheet and the solution say of themselves beyond their texts: a cell a
// calculation would refuse is marked where it is, a value whose five decimals hide its
// digits gives them, and a block pasted into the cell editor lands in the cells.
class TestMarcas : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    // The reason in the user's words, given exactly where the solve's conversion refuses.
    void refusal_data()
    {
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("motivo");
        const QString nan = QStringLiteral(" no es un número: escriba cifras, con coma decimal si tiene decimales (12, -3,5, 1,5E+3)");
        QTest::newRow("a number, blanks around") << ","
                                                 << "  -2,5E+3 "
                                                 << "";
        QTest::newRow("underflow reads as zero") << ","
                                                 << "1E-50"
                                                 << "";
        QTest::newRow("a point") << ","
                                 << "1.5"
                                 << "«1.5» no es un número con coma decimal: escriba 1,5";
        QTest::newRow("a point before three digits")
            << ","
            << "1.234"
            << "«1.234» no es un número con coma decimal: escriba 1,234, o 1234 si es un número entero";
        QTest::newRow("two points") << ","
                                    << "1.234.567"
                                    << "«1.234.567»" + nan;
        QTest::newRow("blanks only") << ","
                                     << "   "
                                     << "La celda solo tiene espacios: escriba un número o vacíela con Supr";
        QTest::newRow("a comma and an exponent") << "."
                                                 << "2,5e3"
                                                 << "«2,5e3» no es un número con punto decimal: escriba 2.5e3";
        QTest::newRow("beyond single") << "."
                                       << "-1e39"
                                       << "«-1e39» se sale del intervalo de los números de precisión simple: escriba un valor entre "
                                          "-3.402823E+38 y 3.402823E+38";
    }

    void refusal()
    {
        QFETCH(QString, sep);
        QFETCH(QString, texto);
        QFETCH(QString, motivo);
        QCOMPARE(refusalOf(texto, sep), motivo);
        bool lee = true;
        try {
            solver::textToSingle(texto.toStdString(), sep.toStdString());
        } catch (const solver::RuntimeError&) {
            lee = false;
        }
        QCOMPARE(lee, motivo.isEmpty());
    }

    // Marked from the moment it is committed or pasted; the solve it stops makes it the
    // current cell, and leaves the focus where it was.
    void refusedCell_data()
    {
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("pegado");
        QTest::addColumn<int>("error");
        QTest::newRow("typed point, Choleski") << true << "2.5" << false << 13;
        QTest::newRow("pasted letters, Gauss - Jordan") << false << "x" << true << 13;
        QTest::newRow("typed overflow, Gauss - Jordan") << false << "1E+39" << false << 6;
        QTest::newRow("pasted overflow, Choleski") << true << "-4E+38" << true << 6;
    }

    void refusedCell()
    {
        QFETCH(bool, choleski);
        QFETCH(QString, texto);
        QFETCH(bool, pegado);
        QFETCH(int, error);
        WindowFixture w;
        w.aceptar(QStringLiteral("3"));
        w.llenar({{"1", "2", "3", "4"}, {"5", "", "7", "8"}, {"9", "1", "2", "3"}});
        if (pegado) {
            w.pegar(texto, 2, 3);
        } else {
            w.enCelda(2, 3);
            teclado::escribir(texto);
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }
        const QModelIndex celda = w.p.Cuadric->model()->index(2, 3);
        QVERIFY(celda.data(GridModel::MarkRole).toBool());
        QVERIFY(celda.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("«") + texto + QStringLiteral("»")));
        QAccessibleInterface* tabla = QAccessible::queryAccessibleInterface(w.p.Cuadric);
        QCOMPARE(tabla->child(2 * w.p.Cuadric->Cols() + 3)->text(QAccessible::Description), celda.data(Qt::ToolTipRole).toString());
        QVERIFY(!w.p.Cuadric->model()->index(2, 2).data(GridModel::MarkRole).toBool());

        (choleski ? w.p.Op_Ch : w.p.Op_Gauss)->setChecked(true);
        w.enCelda(3, 1);
        ModalCloser mensajes;
        w.p.B_Calcular->click();
        QCOMPARE(mensajes.textos(), QStringList{textos::errorDelCalculo(error)});
        QCOMPARE(w.p.Cuadric->Row(), 2);
        QCOMPARE(w.p.Cuadric->Col(), 3);
        QCOMPARE(w.v->focusWidget(), w.p.Cuadric);
        // The empty cell before it was read as "0", which carries no mark.
        QCOMPARE(w.p.Cuadric->TextMatrix(2, 2), QStringLiteral("0"));

        w.enCelda(2, 3);
        QTest::keyClick(w.p.Cuadric, Qt::Key_Delete);
        QVERIFY(!celda.data(GridModel::MarkRole).toBool());
        QVERIFY(celda.data(Qt::ToolTipRole).isNull());
    }

    // Ctrl+V in the open editor: a block ends the edit and is pasted from its cell on, a
    // single value goes into the editor's text; no cell holds a tab or a line break.
    void editorPaste_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("portapapeles");
        QTest::addColumn<QString>("editor"); // empty: the editor closed
        QTest::addColumn<QStringList>("cuerpo");
        QTest::addColumn<QList<int>>("marcadas");
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QStringList tecleado{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("es_ES, a block") << es << "1,5\t2\r\n3\t4.5\r\n"
                                        << "" << QStringList{"1", "2", "3", "4", "1,5", "2"} << QList<int>{};
        QTest::newRow("en_US, a block") << en << "1,5\t2\n3\t4.5\n"
                                        << "" << QStringList{"1", "2", "3", "4", "1,5", "2"} << QList<int>{4};
        QTest::newRow("es_ES, one cell with its line break") << es << "7,5\n"
                                                             << "97,5" << tecleado << QList<int>{};
        QTest::newRow("en_US, a tab alone") << en << "\t"
                                            << "" << QStringList{"1", "2", "3", "4", "", ""} << QList<int>{};
        QTest::newRow("en_US, blanks are text") << en << "1 2"
                                                << "91 2" << tecleado << QList<int>{};
    }

    void editorPaste()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, portapapeles);
        QFETCH(QString, editor);
        QFETCH(QStringList, cuerpo);
        QFETCH(QList<int>, marcadas);
        locale_.fijar(locale);
        WindowFixture w;
        w.aceptar(QStringLiteral("2"));
        w.llenar({{"1", "2", "3"}, {"4", "5", "6"}});
        w.enCelda(2, 2);
        QTest::keyClicks(w.p.Cuadric, QStringLiteral("9"));
        QGuiApplication::clipboard()->setText(portapapeles);
        QTest::keyClick(w.p.Text1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.p.Text1->isVisible() ? w.p.Text1->text() : QString(), editor);
        QCOMPARE(w.cuerpo(), cuerpo);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.p.Cuadric->model()->index(1 + i / 3, 1 + i % 3).data(GridModel::MarkRole).toBool(), marcadas.contains(i));
        if (!editor.isEmpty()) {
            // Whatever else reaches the editor, by its own menu or a program, no cell holds a
            // tab or a line break.
            w.p.Text1->insert(QStringLiteral("\t4\n\u2028"));
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
            const QString celda = w.p.Cuadric->TextMatrix(2, 2);
            QVERIFY(celda.startsWith(editor) && !celda.contains(u'\t') && !celda.contains(u'\n') && !celda.contains(QChar::LineSeparator));
        }
    }

    void hiddenDigits_data()
    {
        QTest::addColumn<float>("valor");
        QTest::addColumn<QString>("nota");
        QTest::newRow("shown in full") << 0.5f << "";
        QTest::newRow("seven digits") << -12.5f << "";
        QTest::newRow("zero") << 0.0f << "";
        QTest::newRow("shows as zero") << 1e-7f << "Con siete cifras significativas: 1E-07";
        QTest::newRow("shows as minus zero") << -0.000004f << "Con siete cifras significativas: -4E-06";
        QTest::newRow("eight digits") << 123.456f << "Con siete cifras significativas: 123,456";
        QTest::newRow("large") << 12345678.0f << "Con siete cifras significativas: 1,234568E+07";
    }

    void hiddenDigits()
    {
        QFETCH(float, valor);
        QFETCH(QString, nota);
        QCOMPARE(hiddenDigitsNote(valor, ","), nota);
    }

    // In the window, a Gauss-Jordan solution's cells give their hidden digits; a Choleski
    // solution, in the general form, none.
    void hiddenDigitsInTheSolution()
    {
        WindowFixture w;
        w.aceptar(QStringLiteral("3"));
        w.llenar({{"1", "0", "0", "0,0000001"}, {"0", "1", "0", "0,5"}, {"0", "0", "2", "500"}});
        for (const bool choleski : {false, true}) {
            (choleski ? w.p.Op_Ch : w.p.Op_Gauss)->setChecked(true);
            w.p.B_Calcular->click();
            const QStringList notas{choleski ? "" : "Con siete cifras significativas: 1E-07", "",
                                    choleski ? "" : "Con siete cifras significativas: 250"};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(w.p.F_Resp->model()->index(i, 1).data(Qt::ToolTipRole).toString(), notas[i]);
                QCOMPARE(QAccessible::queryAccessibleInterface(w.p.F_Resp)->child(i * 2 + 1)->text(QAccessible::Description), notas[i]);
            }
        }
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestMarcas)
#include "tst_worksheetmarks.moc"
