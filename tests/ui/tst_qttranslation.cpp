#include "ModalCloser.h"
#include "ui/LoadQtTranslation.h"
#include "worksheet/ShowMessage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

namespace {

// A caption as the user reads it: no mnemonic marker, no shortcut after the tab.
QString leido(const QString& texto)
{
    return texto.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
}

// The button of a message box as the program shows them.
QString botonDelMensaje()
{
    ModalCloser cierre;
    QString boton;
    cierre.alAparecer = [&boton](QWidget& modal) {
        if (auto* caja = qobject_cast<QMessageBox*>(&modal))
            boton = leido(caja->button(QMessageBox::Ok)->text());
    };
    showMessage(nullptr, QMessageBox::Warning, QStringLiteral("Prueba"));
    return boton;
}

QStringList menuDeUnaCaja()
{
    QLineEdit caja;
    const std::unique_ptr<QMenu> menu(caja.createStandardContextMenu());
    QStringList entradas;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            entradas << leido(a->text());
    return entradas;
}

} // namespace

// Qt's own texts, from the system's catalogue.
class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void catalogoDelSistema()
    {
        QVERIFY(loadQtTranslation(*qApp));
        QCOMPARE(botonDelMensaje(), QStringLiteral("Aceptar"));
        QCOMPARE(menuDeUnaCaja(), QStringList({"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Eliminar", "Seleccionar todo"}));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
