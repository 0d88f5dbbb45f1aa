#include "ui/InstallControlAccessibility.h"
#include "ui/LinkLabel.h"
#include "ui/StatusLine.h"

#include "ProgramTexts.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QFrame>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList nombresDeHijos(QAccessibleInterface* iface)
{
    QStringList nombres;
    for (int i = 0; i < iface->childCount(); ++i)
        nombres << iface->child(i)->text(QAccessible::Name);
    return nombres;
}

} // namespace

class TestControlAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void lineaDeEstadoLeeSuTexto_data();
    void lineaDeEstadoLeeSuTexto();
    void enlaceSePulsaDesdeElLector();
    void decoracionFueraDelArbol_data();
    void decoracionFueraDelArbol();
    void ventanaParaElLector();
    void solucionLeidaEnOrden_data();
    void solucionLeidaEnOrden();
    void cleanup() { locale_.restaurar(); }

private:
    TestLocale locale_;
};

void TestControlAccessibility::lineaDeEstadoLeeSuTexto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("listo") << "Listo";
    QTest::newRow("hoja") << textos::estadoHoja(QStringLiteral("3"));
    QTest::newRow("vacía") << "";
}

void TestControlAccessibility::lineaDeEstadoLeeSuTexto()
{
    QFETCH(QString, texto);
    StatusLine linea(QStringLiteral("Listo"));
    linea.setAccessibleDescription(QStringLiteral("Estado"));
    linea.setText(texto);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&linea);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StatusBar);
    QCOMPARE(iface->text(QAccessible::Name), texto);
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Estado"));
    // Qt announces a label's new text only while its name is the text itself.
    QVERIFY(linea.accessibleName().isEmpty());
}

void TestControlAccessibility::enlaceSePulsaDesdeElLector()
{
    LinkLabel enlace(QStringLiteral("sorvani@example.org"));
    enlace.setToolTip(QStringLiteral("Escribir mensaje de correo"));
    QSignalSpy activado(&enlace, &LinkLabel::activado);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&enlace);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Link);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("sorvani@example.org"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Escribir mensaje de correo"));
    QVERIFY(iface->state().linked);
    QAccessibleActionInterface* acciones = iface->actionInterface();
    QVERIFY(acciones);
    QVERIFY(acciones->actionNames().contains(QAccessibleActionInterface::pressAction()));
    acciones->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(activado.size(), 1);
    // The mouse works as before: a press taken outside the label is no click.
    QTest::mouseClick(&enlace, Qt::LeftButton);
    QCOMPARE(activado.size(), 2);
    QTest::mousePress(&enlace, Qt::LeftButton);
    QTest::mouseRelease(&enlace, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(activado.size(), 2);
}

void TestControlAccessibility::decoracionFueraDelArbol_data()
{
    QTest::addColumn<QList<bool>>("decorativos");
    QTest::addColumn<QStringList>("leidos");

    QTest::newRow("ninguno") << QList<bool>{false, false, false} << QStringList{"a", "b", "c"};
    QTest::newRow("en medio") << QList<bool>{false, true, false} << QStringList{"a", "c"};
    QTest::newRow("los cuatro bordes al final") << QList<bool>{false, true, true, true, true} << QStringList{"a"};
    QTest::newRow("todos") << QList<bool>{true, true} << QStringList();
}

void TestControlAccessibility::decoracionFueraDelArbol()
{
    QFETCH(QList<bool>, decorativos);
    installControlAccessibility();
    QWidget area;
    QList<QFrame*> hijos;
    for (qsizetype i = 0; i < decorativos.size(); ++i) {
        auto* hijo = new QFrame(&area);
        hijo->setAccessibleName(QString(QChar(char16_t(u'a' + i))));
        if (decorativos[i])
            markDecoration(*hijo);
        hijos << hijo;
    }
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&area);
    QTEST(nombresDeHijos(iface), "leidos");
    int visto = 0;
    for (qsizetype i = 0; i < hijos.size(); ++i) {
        QAccessibleInterface* hijo = QAccessible::queryAccessibleInterface(hijos[i]);
        QCOMPARE(iface->indexOfChild(hijo), decorativos[i] ? -1 : visto);
        visto += decorativos[i] ? 0 : 1;
    }
    QCOMPARE(iface->child(iface->childCount()), nullptr);
}

void TestControlAccessibility::ventanaParaElLector()
{
    WindowFixture v;
    QAccessibleInterface* estado = QAccessible::queryAccessibleInterface(v.p.Et_st);
    QCOMPARE(estado->role(), QAccessible::StatusBar);
    QCOMPARE(estado->text(QAccessible::Name), QStringLiteral("Listo"));
    QCOMPARE(estado->text(QAccessible::Description), QStringLiteral("Estado"));
    v.aceptar(QStringLiteral("3"));
    QCOMPARE(estado->text(QAccessible::Name), v.estado());
    QAccessibleInterface* sugerencia = QAccessible::queryAccessibleInterface(v.p.Et_tip);
    QCOMPARE(sugerencia->text(QAccessible::Name), v.tip());
    QCOMPARE(sugerencia->text(QAccessible::Description), QStringLiteral("Sugerencia"));
    QVERIFY(v.p.Et_st->accessibleName().isEmpty() && v.p.Et_tip->accessibleName().isEmpty());

    // The status line's border lines are drawn but never read; the line itself is.
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(v.p.Et_st->parentWidget());
    QVERIFY(area->indexOfChild(estado) >= 0);
    for (const char* nombre : {"Line1", "Line2", "Line3", "Line4"})
        QCOMPARE(area->indexOfChild(QAccessible::queryAccessibleInterface(v.w(nombre))), -1);
    for (int i = 0; i < area->childCount(); ++i)
        QVERIFY(!area->child(i)->text(QAccessible::Name).startsWith(QStringLiteral("Borde")));

    const std::pair<GridControl*, const char*> rejillas[] = {
        {v.p.Cuadric, "Hoja de datos"}, {v.p.F_Resp, "Solución"}, {v.p.F_Rint[0], "Matriz B"}, {v.p.F_Rint[1], "Matriz C"}};
    for (const auto& [rejilla, nombre] : rejillas) {
        QAccessibleInterface* tabla = QAccessible::queryAccessibleInterface(rejilla);
        QCOMPARE(tabla->role(), QAccessible::Table);
        QCOMPARE(tabla->text(QAccessible::Name), QString::fromUtf8(nombre));
    }
}

void TestControlAccessibility::solucionLeidaEnOrden_data()
{
    QTest::addColumn<bool>("gauss");
    QTest::addColumn<QStringList>("leido");
    QTest::newRow("Choleski") << false << QStringList{"X1 2", "X2 3", "X3 -1"};
    QTest::newRow("Gauss - Jordan") << true << QStringList{"X1 2.00000", "X2 3.00000", "X3 -1.00000"};
}

// After a solve the focus is on the solution, whose cells read as unknown and value, top down.
void TestControlAccessibility::solucionLeidaEnOrden()
{
    QFETCH(bool, gauss);
    locale_.fijar(QLocale::c());
    WindowFixture v;
    v.aceptar(QStringLiteral("3"));
    v.llenar({{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}});
    (gauss ? v.p.Op_Gauss : v.p.Op_Ch)->setChecked(true);
    v.p.B_Calcular->click();
    QVERIFY(v.p.F_Resp->hasFocus());
    QAccessibleInterface* tabla = QAccessible::queryAccessibleInterface(v.p.F_Resp);
    QCOMPARE(tabla->tableInterface()->rowCount(), 3);
    QCOMPARE(tabla->tableInterface()->columnCount(), 1);
    QStringList leido;
    for (int fila = 0; fila < 3; ++fila) {
        QAccessibleInterface* celda = tabla->focusChild();
        QVERIFY(celda->state().focused);
        const QList<QAccessibleInterface*> cabeceras = celda->tableCellInterface()->rowHeaderCells();
        QCOMPARE(cabeceras.size(), 1);
        leido << cabeceras.first()->text(QAccessible::Name) + QLatin1Char(' ') + celda->text(QAccessible::Name);
        QTest::keyClick(v.p.F_Resp, Qt::Key_Down);
    }
    QTEST(leido, "leido");
}

QTEST_MAIN(TestControlAccessibility)
#include "tst_controlaccessibility.moc"
