#include "ui/SingleInstance.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>

using namespace std::chrono_literals;

// The single-instance class on its own; the real program's starts are in the end-to-end
// tests.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void segundaTraeLaVentana_data()
    {
        QTest::addColumn<bool>("minimizada");
        QTest::addColumn<bool>("restos");
        QTest::addColumn<QString>("archivo");
        QTest::newRow("minimizada") << true << false << QString();
        QTest::newRow("detrás de otra ventana") << false << false << QString();
        QTest::newRow("tras una instancia matada") << true << true << QString();
        QTest::newRow("con un archivo") << true << false << QStringLiteral("/tmp/un sistema ñ.csv");
    }

    void segundaTraeLaVentana()
    {
        QFETCH(bool, minimizada);
        QFETCH(bool, restos);
        QFETCH(QString, archivo);
        QTemporaryDir carpeta;
        // An instance killed outright leaves its socket file behind.
        if (restos)
            QVERIFY(QFile(carpeta.filePath(QStringLiteral("sorvani.socket"))).open(QIODevice::WriteOnly));
        SingleInstance primera(carpeta.path());
        QVERIFY(primera.tomar());
        QWidget ventana;
        QWidget otra;
        ventana.show();
        QVERIFY(primera.atender(ventana));
        QSignalSpy recibidos(&primera, &SingleInstance::archivoRecibido);
        if (minimizada) {
            ventana.showMinimized();
        } else {
            otra.show();
            QApplication::setActiveWindow(&otra);
            QVERIFY(QTest::qWaitForWindowActive(&otra));
        }

        // The second start runs beside this thread, from whose event loop the first answers.
        std::atomic<bool> respondio{false};
        std::unique_ptr<QThread> segunda(QThread::create([&] {
            SingleInstance otraInstancia(carpeta.path());
            respondio = !otraInstancia.tomar() && otraInstancia.llamarALaPrimera(10s, archivo);
        }));
        segunda->start();
        QTRY_VERIFY(segunda->isFinished());
        QVERIFY(respondio);
        QVERIFY(!(ventana.windowState() & Qt::WindowMinimized));
        QTRY_VERIFY(ventana.isActiveWindow());
        // The file goes over once, and only where there is one.
        QCOMPARE(recibidos.size(), archivo.isEmpty() ? 0 : 1);
        if (!archivo.isEmpty())
            QCOMPARE(recibidos.front().front().toString(), archivo);
    }

    // A running instance that never answers must not hold the real program's second
    // start up: this thread waits for it without running its event loop, so the socket
    // takes the call and nobody answers it.
    void primeraQueNoRespondeNoRetiene()
    {
        QTemporaryDir carpeta;
        SingleInstance colgada(carpeta.path());
        QVERIFY(colgada.tomar());
        QWidget ventana;
        QVERIFY(colgada.atender(ventana));
        QProcess segunda;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("XDG_RUNTIME_DIR"), carpeta.path());
        segunda.setProcessEnvironment(entorno);
        segunda.start(QStringLiteral(SORVANI_PROGRAMA), {});
        QVERIFY(segunda.waitForFinished(5000));
        QCOMPARE(segunda.exitStatus(), QProcess::NormalExit);
        QCOMPARE(segunda.exitCode(), 0);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
