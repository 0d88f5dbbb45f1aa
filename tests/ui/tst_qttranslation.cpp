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
QString asRead(const QString& text)
{
    return text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
}

// The button of a message box as the program shows them.
QString messageBoxButton()
{
    ModalCloser closer;
    QString button;
    closer.onShown = [&button](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            button = asRead(box->button(QMessageBox::Ok)->text());
    };
    showMessage(nullptr, QMessageBox::Warning, QStringLiteral("Prueba"));
    return button;
}

QStringList lineEditMenu()
{
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList entries;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            entries << asRead(a->text());
    return entries;
}

} // namespace

// Qt's own texts, from the system's catalogue.
class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void systemCatalogue()
    {
        QVERIFY(loadQtTranslation(*qApp));
        QCOMPARE(messageBoxButton(), QStringLiteral("Aceptar"));
        QCOMPARE(lineEditMenu(), QStringList({"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Eliminar", "Seleccionar todo"}));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
