#include "ui/SingleInstance.h"

#include "DataColumns.h"
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
    void secondStartRaisesTheWindow_data()
    {
        // clang-format off
        addColumns<bool, bool, QString>("minimized", "leftovers", "file");
        QTest::newRow("minimizada") << true << false << QString();
        QTest::newRow("detrás de otra ventana") << false << false << QString();
        QTest::newRow("tras una instancia matada") << true << true << QString();
        QTest::newRow("con un archivo") << true << false << QStringLiteral("/tmp/un sistema ñ.csv");
        // clang-format on
    }

    void secondStartRaisesTheWindow()
    {
        QFETCH(bool, minimized);
        QFETCH(bool, leftovers);
        QFETCH(QString, file);
        QTemporaryDir dir;
        // An instance killed outright leaves its socket file behind.
        if (leftovers)
            QVERIFY(QFile(dir.filePath(QStringLiteral("sorvani.socket"))).open(QIODevice::WriteOnly));
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QWidget window;
        QWidget other;
        window.show();
        QVERIFY(first.serve(window));
        QSignalSpy received(&first, &SingleInstance::fileReceived);
        if (minimized) {
            window.showMinimized();
        } else {
            other.show();
            QApplication::setActiveWindow(&other);
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }

        // The second start runs beside this thread, from whose event loop the first answers.
        std::atomic<bool> answered{false};
        std::unique_ptr<QThread> second(QThread::create([&] {
            SingleInstance secondInstance(dir.path());
            answered = !secondInstance.claim() && secondInstance.callFirst(10s, file);
        }));
        second->start();
        QTRY_VERIFY(second->isFinished());
        QVERIFY(answered);
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));
        QTRY_VERIFY(window.isActiveWindow());
        // The file goes over once, and only where there is one.
        QCOMPARE(received.size(), file.isEmpty() ? 0 : 1);
        if (!file.isEmpty())
            QCOMPARE(received.front().front().toString(), file);
    }

    // A running instance that never answers must not hold the real program's second
    // start up: this thread waits for it without running its event loop, so the socket
    // takes the call and nobody answers it.
    void unansweringFirstDoesNotHoldUp()
    {
        QTemporaryDir dir;
        SingleInstance hung(dir.path());
        QVERIFY(hung.claim());
        QWidget window;
        QVERIFY(hung.serve(window));
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(SORVANI_PROGRAMA), {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
