#include "ui/Accesibilidad.h"
#include "ui/EtiquetaEnlace.h"
#include "ui/LineaEstado.h"

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

class TestAccesibilidad : public QObject
{
    Q_OBJECT

private slots:
    void lineaDeEstadoLeeSuTexto_data();
    void lineaDeEstadoLeeSuTexto();
    void enlaceSePulsaDesdeElLector();
    void decoracionFueraDelArbol_data();
    void decoracionFueraDelArbol();
};

void TestAccesibilidad::lineaDeEstadoLeeSuTexto_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("listo") << "Listo";
    QTest::newRow("hoja") << "Ingrese todos los datos para el sistema de 3 ecuaciones, luego "
                             "pulse Calcular.";
    QTest::newRow("vacía") << "";
}

void TestAccesibilidad::lineaDeEstadoLeeSuTexto()
{
    QFETCH(QString, texto);
    LineaEstado linea(QStringLiteral("Listo"));
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

void TestAccesibilidad::enlaceSePulsaDesdeElLector()
{
    EtiquetaEnlace enlace(QStringLiteral("sorvani@example.org"));
    enlace.setToolTip(QStringLiteral("Escribir mensaje de correo"));
    QSignalSpy activado(&enlace, &EtiquetaEnlace::activado);
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

void TestAccesibilidad::decoracionFueraDelArbol_data()
{
    QTest::addColumn<QList<bool>>("decorativos");
    QTest::addColumn<QStringList>("leidos");

    QTest::newRow("ninguno") << QList<bool>{false, false, false} << QStringList{"a", "b", "c"};
    QTest::newRow("en medio") << QList<bool>{false, true, false} << QStringList{"a", "c"};
    QTest::newRow("los cuatro bordes al final")
        << QList<bool>{false, true, true, true, true} << QStringList{"a"};
    QTest::newRow("todos") << QList<bool>{true, true} << QStringList();
}

void TestAccesibilidad::decoracionFueraDelArbol()
{
    QFETCH(QList<bool>, decorativos);
    instalarAccesibilidad();
    QWidget area;
    QList<QFrame*> hijos;
    for (qsizetype i = 0; i < decorativos.size(); ++i) {
        auto* hijo = new QFrame(&area);
        hijo->setAccessibleName(QString(QChar(char16_t(u'a' + i))));
        if (decorativos[i])
            marcarDecoracion(*hijo);
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

QTEST_MAIN(TestAccesibilidad)
#include "tst_accesibilidad.moc"
