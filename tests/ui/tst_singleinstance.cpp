#include "ui/SingleInstance.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
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
        QTest::newRow("minimizada") << true << false;
        QTest::newRow("detrás de otra ventana") << false << false;
        QTest::newRow("tras una instancia matada") << true << true;
    }

    void segundaTraeLaVentana()
    {
        QFETCH(bool, minimizada);
        QFETCH(bool, restos);
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
            respondio = !otraInstancia.tomar() && otraInstancia.llamarALaPrimera(10s);
        }));
        segunda->start();
        QTRY_VERIFY(segunda->isFinished());
        QVERIFY(respondio);
        QVERIFY(!(ventana.windowState() & Qt::WindowMinimized));
        QTRY_VERIFY(ventana.isActiveWindow());
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
