#include "Keyboard.h"
#include "ModalCloser.h"
#include "ProgramTexts.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include "grid/GridModel.h"
#include "ui/HiddenDigits.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QRegularExpression>
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
        QCOMPARE(w.p.Cuadric->TextMatrix(0, 0), QStringLiteral("2,3"));
        QCOMPARE(w.v->focusWidget(), w.p.Cuadric);
        // The empty cell before it was read as "0", the spec's way; it carries no mark.
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
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
            return;
        }
        // The block was pasted alone: one undo gives back the worksheet as it was typed.
        QCOMPARE(QApplication::focusWidget(), w.p.Cuadric);
        QTest::keyClick(w.p.Cuadric, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.cuerpo(), QStringList({"1", "2", "3", "4", "5", "6"}));
    }

    // Whatever reaches the editor by its own menu or by a program, the cell holds none.
    void noTabOrLineBreakInACell()
    {
        WindowFixture w;
        w.aceptar(QStringLiteral("2"));
        w.enCelda(1, 1);
        QTest::keyClicks(w.p.Cuadric, QStringLiteral("1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("\t2\n3\r\u2028"));
        w.p.Text1->paste();
        w.p.Text1->insert(QStringLiteral("\t4\n"));
        QTest::keyClick(w.p.Text1, Qt::Key_Return);
        const QString celda = w.p.Cuadric->TextMatrix(1, 1);
        QVERIFY2(!celda.contains(QRegularExpression(QStringLiteral("[\\t\\r\\n\\x{2028}\\x{2029}]"))), qPrintable(celda));
        QVERIFY(celda.startsWith(u'1'));
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

    // In the window: a Gauss-Jordan solution's cell gives its hidden digits, a Choleski one
    // (shown in the general form) none.
    void hiddenDigitsInTheSolution_data()
    {
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QStringList>("notas");
        QTest::newRow("Gauss - Jordan") << false
                                        << QStringList{"Con siete cifras significativas: 1E-07", "",
                                                       "Con siete cifras significativas: 250"};
        QTest::newRow("Choleski") << true << QStringList{"", "", ""};
    }

    void hiddenDigitsInTheSolution()
    {
        QFETCH(bool, choleski);
        QFETCH(QStringList, notas);
        WindowFixture w;
        w.aceptar(QStringLiteral("3"));
        w.llenar({{"1", "0", "0", "0,0000001"}, {"0", "1", "0", "0,5"}, {"0", "0", "2", "500"}});
        (choleski ? w.p.Op_Ch : w.p.Op_Gauss)->setChecked(true);
        w.p.B_Calcular->click();
        QAccessibleInterface* solucion = QAccessible::queryAccessibleInterface(w.p.F_Resp);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.p.F_Resp->model()->index(i, 1).data(Qt::ToolTipRole).toString(), notas[i]);
            QCOMPARE(solucion->child(i * 2 + 1)->text(QAccessible::Description), notas[i]);
        }
        // A later solve writes other texts: the notes go with the values they were for.
        w.p.Op_Ch->setChecked(true);
        w.p.B_Calcular->click();
        QVERIFY(w.p.F_Resp->model()->index(0, 1).data(Qt::ToolTipRole).isNull());
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestMarcas)
#include "tst_worksheetmarks.moc"
