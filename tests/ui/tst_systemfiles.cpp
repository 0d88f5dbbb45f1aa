#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString kSistemaDe = QStringLiteral("Ingrese todos los datos para el sistema de %1 ecuaciones, luego pulse Calcular.");

QLocale localeNamed(const QString& name)
{
    return name == QLatin1String("es") ? QLocale(QLocale::Spanish, QLocale::Spain) : QLocale(QLocale::English, QLocale::UnitedStates);
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window as a test sees it between two commands: what a refused file must not touch.
QStringList state(const WindowFixture& f)
{
    return QStringList{f.estado(), f.tip(), f.p.T_Incog->text(), QString::number(f.p.Cuadric->Rows()),
                       QString::number(f.p.Cuadric->Cols())} +
           f.cuerpo() + WindowFixture::columna(*f.p.F_Resp, 0);
}

} // namespace

class TestSystemFiles : public QObject
{
    Q_OBJECT

private slots:
    void init() { dir_.emplace(); }
    void cleanup()
    {
        locale_.restaurar();
        dir_.reset();
    }

    // The new entries sit between the random values and the exit, and every letter of the
    // menu opens one entry.
    void archivoMenu()
    {
        WindowFixture f;
        QStringList names;
        QString letters;
        for (const QAction* a : f.w<QMenu>("mnuArchivo")->actions()) {
            names << a->objectName();
            const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
            if (amp >= 0)
                letters += a->text().at(amp + 1).toLower();
        }
        QCOMPARE(names, (QStringList{"mnuNuevo", "MnuCalcular", "Sp", "MnuGenera", "SpSistema", "mnuAbrir", "mnuGuardar", "S", "mnuInforme",
                                     "mnuImprimir", "SpInforme", "mnuSalir"}));
        for (const QChar c : letters)
            QCOMPARE(letters.count(c), 1);
    }

    // Opening lays the worksheet out as "Ingresar" does for the file's n, then fills it.
    void openLaysOut_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("body");
        QTest::addColumn<bool>("notice");

        // clang-format off
        QTest::newRow("Spanish CSV") << "es" << "a.csv" << QByteArray(";X1;X2;T.I\r\nEQ1;1,5;2;3\r\nEQ2;4;-1;0,5\r\n") << QStringList{"1,5", "2", "3", "4", "-1", "0,5"} << false;
        QTest::newRow("English CSV in Spanish") << "es" << "b.csv" << QByteArray(",X1,X2,T.I\nEQ1,1.5,2,3\nEQ2,4,-1,0.5\n") << QStringList{"1,5", "2", "3", "4", "-1", "0,5"} << true;
        QTest::newRow("tabs") << "en" << "c.txt" << QByteArray("1.5\t2\t3\n4\t-1\t0.5") << QStringList{"1.5", "2", "3", "4", "-1", "0.5"} << false;
        QTest::newRow("Matrix Market, any name") << "es" << "d.dat" << QByteArray("%%MatrixMarket matrix array real general\n2 3\n1.5\n4\n2\n-1\n3\n0.5\n") << QStringList{"1,5", "2", "3", "4", "-1", "0,5"} << false;
        // clang-format on
    }

    void openLaysOut()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, body);
        QFETCH(bool, notice);
        locale_.fijar(localeNamed(locale));
        const QString path = dir_->filePath(name);
        write(path, bytes);

        WindowFixture f;
        ModalCloser closer;
        f.v->AbrirSistema(path);
        QCOMPARE(closer.vistos.size(), 0);
        QCOMPARE(f.cuerpo(), body);
        QCOMPARE(f.estado(), kSistemaDe.arg(2));
        QCOMPARE(f.p.T_Incog->text(), QStringLiteral("2"));
        QCOMPARE(f.deshabilitados(), QStringList());
        QCOMPARE(WindowFixture::columna(*f.p.F_Resp, 0), (QStringList{"X1", "X2"}));
        QCOMPARE(f.p.Cuadric->TextMatrix(0, 3), QStringLiteral("T.I"));
        const QLabel* aviso = f.w<QLabel>("Aviso");
        QCOMPARE(aviso->isVisible(), notice);
        // The solve reads what the user sees.
        f.p.B_Calcular->click();
        QCOMPARE(WindowFixture::columna(*f.p.F_Resp, 1).size(), 2);
        QVERIFY(!WindowFixture::columna(*f.p.F_Resp, 1).contains(QString()));
    }

    // A file dropped on the window opens once the drop has ended; other drops are refused.
    void dropOpens()
    {
        locale_.fijar(localeNamed(QStringLiteral("es")));
        const QString path = dir_->filePath(QStringLiteral("soltado.txt"));
        write(path, "1\t2\t3\n4\t5\t6\n");
        WindowFixture f;
        const auto drop = [&](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.v.get(), &enter);
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            if (enter.isAccepted())
                QApplication::sendEvent(f.v.get(), &dropped);
            return enter.isAccepted();
        };
        QVERIFY(!drop({QUrl(QStringLiteral("https://example.org/s.csv"))}));
        QVERIFY(!drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
        QVERIFY(drop({QUrl::fromLocalFile(path)}));
        QTRY_COMPARE(f.cuerpo(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    }

    // Saved and opened again, in either locale and any format, every text comes back exactly.
    void saveThenOpen_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");

        for (const char* locale : {"es", "en"}) {
            const bool es = QByteArray(locale) == "es";
            QTest::addRow("%s CSV", locale) << locale << "s.csv" << QByteArray(es ? ";X1;X2;X3;T.I\r\n" : ",X1,X2,X3,T.I\r\n");
            QTest::addRow("%s text", locale) << locale << "s.txt" << QByteArray();
            QTest::addRow("%s Matrix Market", locale) << locale << "s.mtx" << QByteArray("%%MatrixMarket matrix array real general\n");
        }
    }

    void saveThenOpen()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        locale_.fijar(localeNamed(locale));
        const QString mark = QLocale().decimalPoint();
        const bool numbersOnly = name.endsWith(QLatin1String(".mtx"));
        const QString path = dir_->filePath(name);

        WindowFixture f;
        ModalCloser closer;
        f.aceptar(QStringLiteral("3"));
        Filas filas{{"1" + mark + "5", "-2", "3E+2", "0" + mark + "125"}, {"7", "8", "9", "10"}, {"1", "0", "0", "-1"}};
        if (!numbersOnly)
            filas[1] = QStringList{" 8 ", "a;b,\"c\"", "EQ1", "l\nm"};
        f.llenar(filas);
        f.v->GuardarSistema(path);
        QCOMPARE(closer.textos(), QStringList());
        QVERIFY(read(path).startsWith(start));
        const QStringList saved = f.cuerpo();

        f.p.B_Nuevo->click();
        f.v->AbrirSistema(path);
        QCOMPARE(closer.textos(), QStringList());
        QCOMPARE(f.cuerpo(), saved);
        QVERIFY(!f.w<QLabel>("Aviso")->isVisible());
    }

    // A file that holds no system, or that cannot be read or written, is refused in one
    // warning that names it and its line; the window stays exactly as it was.
    void refusals_data()
    {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        // clang-format off
        QTest::newRow("empty") << false << "e.csv" << QByteArray() << "No se puede abrir «e.csv»:\nEl archivo está vacío.";
        QTest::newRow("unequal rows") << false << "u.csv" << QByteArray("1;2;3\n4;5;6\n7;8\n") << "No se puede abrir «u.csv», línea 3:\nLas filas no tienen todas el mismo número de valores: esta tiene 2 y la primera, 3.";
        QTest::newRow("not a system") << false << "n.txt" << QByteArray("1\t2\t3\t4\n") << "No se puede abrir «n.txt»:\nTiene 1 fila de 4 valores; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100.";
        QTest::newRow("not text") << false << "p.csv" << QByteArray("1;2;3\n\x00\x01", 8) << "No se puede abrir «p.csv», línea 2:\nNo es un archivo de texto.";
        QTest::newRow("too large") << false << "g.csv" << QByteArray(5 << 20, '1') << "No se puede abrir «g.csv»:\nEs más grande que cualquier sistema de ecuaciones (más de 4 MB).";
        QTest::newRow("missing") << false << "" << QByteArray() << "No se puede abrir «nada.csv»:\nEl archivo no existe.";
        QTest::newRow("a folder") << false << "carpeta" << QByteArray() << "No se puede abrir «carpeta»:\nEs una carpeta, no un archivo.";
        QTest::newRow("save into a folder") << true << "carpeta" << QByteArray() << "No se puede guardar «carpeta»:\nEs una carpeta, no un archivo.";
        QTest::newRow("save where there is no folder") << true << "" << QByteArray() << "No se puede guardar «nada.csv»:\nNo se puede escribir";
        QTest::newRow("save text as Matrix Market") << true << "t.mtx" << QByteArray() << "No se puede guardar «t.mtx»:\nEl valor de la ecuación 1, columna 2, «x», no es un número.";
        QTest::newRow("save over a read-only file") << true << "r.csv" << QByteArray("antes") << "No se puede guardar «r.csv»:\nNo se puede escribir";
        // clang-format on
    }

    void refusals()
    {
        QFETCH(bool, saving);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        locale_.fijar(localeNamed(QStringLiteral("es")));
        QString path = name.isEmpty() ? dir_->filePath(QStringLiteral("no/nada.csv")) : dir_->filePath(name);
        if (name == QLatin1String("carpeta"))
            QVERIFY(QDir(dir_->path()).mkdir(name));
        else if (!name.isEmpty())
            write(path, bytes);
        if (name.startsWith(QLatin1String("r."))) {
            if (geteuid() == 0)
                QSKIP("root writes into read-only folders");
            QFile(path).setPermissions(QFileDevice::ReadOwner);
            QFile(dir_->path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }

        WindowFixture f;
        ModalCloser closer;
        f.aceptar(QStringLiteral("2"));
        f.llenar({{"1", "x", "3"}, {"4", "5", "6"}});
        const QStringList before = state(f);
        if (saving)
            f.v->GuardarSistema(path);
        else
            f.v->AbrirSistema(path);
        QFile(dir_->path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QCOMPARE(closer.vistos.size(), 1);
        QCOMPARE(closer.vistos[0].titulo, QStringLiteral("Sorvani"));
        QCOMPARE(closer.vistos[0].icono, QMessageBox::Warning);
        QVERIFY2(closer.vistos[0].texto.startsWith(message), qPrintable(closer.vistos[0].texto));
        QCOMPARE(state(f), before);
        if (saving && !bytes.isEmpty())
            QCOMPARE(read(path), bytes);
    }

    // Typed values are replaced only when the user says so; an empty worksheet is not asked about.
    void replaceQuestion_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("body");

        const QStringList file{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("yes") << true << true << file;
        QTest::newRow("no") << true << false << QStringList{"9", "", "", "", "", "", "", "", "", "", "", ""};
        QTest::newRow("nothing typed") << false << false << file;
    }

    void replaceQuestion()
    {
        QFETCH(bool, typed);
        QFETCH(bool, yes);
        QFETCH(QStringList, body);
        locale_.fijar(localeNamed(QStringLiteral("es")));
        const QString path = dir_->filePath(QStringLiteral("q.csv"));
        write(path, "1;2;3\n4;5;6\n");

        WindowFixture f;
        f.aceptar(QStringLiteral("3"));
        if (typed) {
            // Still in the editor: an open edit is a typed value.
            f.enCelda(1, 1);
            QTest::keyClicks(f.p.Cuadric, QStringLiteral("9"));
        }
        ModalCloser closer;
        closer.cerrar = [yes](QWidget& w) { static_cast<QMessageBox&>(w).button(yes ? QMessageBox::Yes : QMessageBox::No)->click(); };
        f.v->AbrirSistema(path);
        if (typed) {
            QCOMPARE(closer.vistos.size(), 1);
            QCOMPARE(closer.vistos[0].titulo, QStringLiteral("Sorvani"));
            QCOMPARE(closer.vistos[0].texto,
                     QStringLiteral("La hoja tiene valores escritos. ¿Desea reemplazarlos por el sistema de «q.csv»?"));
            QCOMPARE(closer.vistos[0].botones, QMessageBox::Yes | QMessageBox::No);
        } else {
            QCOMPARE(closer.vistos.size(), 0);
        }
        QCOMPARE(f.cuerpo(), body);
    }

    // A block from a spreadsheet lands cell by cell in the locale's decimal mark; a change of
    // mark or a cut says so in a notice over the grid, and the two lines keep their texts.
    void pasteDialects_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("row1");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("fades");

        const QString converted =
            QStringLiteral("El bloque escribía los decimales con «.»; se pegaron con «,», como los escribe su configuración regional.");
        const QString cut = QStringLiteral("El bloque no cabía en la hoja: solo se pegó lo que cabe.");
        // clang-format off
        QTest::newRow("Spanish spreadsheet") << "4;1;0;5,5" << 1 << QStringList{"4", "1", "0", "5,5"} << "" << false;
        QTest::newRow("English CSV") << "4,1,0,5.5\r\n" << 1 << QStringList{"4", "1", "0", "5,5"} << converted << false;
        QTest::newRow("tabs, points, cut") << "4\t1.5\t0\t5.5\t9" << 1 << QStringList{"4", "1,5", "0", "5,5"} << converted + " " + cut << false;
        QTest::newRow("cut") << "1;2" << 4 << QStringList{"", "", "", "1"} << cut << true;
        // clang-format on
    }

    void pasteDialects()
    {
        QFETCH(QString, block);
        QFETCH(int, col);
        QFETCH(QStringList, row1);
        QFETCH(QString, notice);
        QFETCH(bool, fades);
        locale_.fijar(localeNamed(QStringLiteral("es")));

        WindowFixture f;
        f.aceptar(QStringLiteral("3"));
        const QString status = f.estado();
        const QString tip = f.tip();
        f.pegar(block, 1, col);
        QCOMPARE(f.cuerpo().mid(0, 4), row1);
        const QLabel* aviso = f.w<QLabel>("Aviso");
        QCOMPARE(aviso->isVisible(), !notice.isEmpty());
        if (!notice.isEmpty()) {
            QCOMPARE(aviso->text(), notice);
            QCOMPARE(aviso->accessibleName(), notice);
            QVERIFY(QRect(f.p.Cuadric->mapTo(f.v.get(), QPoint()), f.p.Cuadric->size()).contains(aviso->pos()));
            if (fades)
                QTRY_VERIFY_WITH_TIMEOUT(!aviso->isVisible(), 10000);
        }
        QCOMPARE(f.estado(), status);
        QCOMPARE(f.tip(), tip);
    }

private:
    TestLocale locale_;
    std::optional<QTemporaryDir> dir_;
};

QTEST_MAIN(TestSystemFiles)
#include "tst_systemfiles.moc"
