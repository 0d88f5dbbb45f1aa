#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Starts the real program, each time with the same private runtime directory.
class TestInstanciaUnica : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(runtime_.isValid());
        entorno_ = QProcessEnvironment::systemEnvironment();
        entorno_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        entorno_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    void segundaInstanciaTerminaEnSilencio()
    {
        auto primera = iniciar();
        QVERIFY(!primera->waitForFinished(1500));

        auto segunda = iniciar();
        QVERIFY(segunda->waitForFinished(5000));
        QCOMPARE(segunda->exitStatus(), QProcess::NormalExit);
        QCOMPARE(segunda->exitCode(), 0);
        QCOMPARE(primera->state(), QProcess::Running);
        terminar(*primera);
    }

    // A killed instance leaves its lock file behind; it must not block the next start.
    void cerrojoAbandonadoNoImpide()
    {
        auto primera = iniciar();
        QVERIFY(!primera->waitForFinished(1500));
        primera->kill();
        QVERIFY(primera->waitForFinished(5000));
        QVERIFY(QFile::exists(runtime_.filePath(QStringLiteral("sorvani.lock"))));

        auto siguiente = iniciar();
        QVERIFY(!siguiente->waitForFinished(1500));
        terminar(*siguiente);
    }

private:
    std::unique_ptr<QProcess> iniciar()
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(entorno_);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(SORVANI_PROGRAMA), {});
        if (!p->waitForStarted(5000))
            qFatal("cannot start %s", SORVANI_PROGRAMA);
        return p;
    }

    static void terminar(QProcess& p)
    {
        p.terminate();
        if (!p.waitForFinished(5000))
            p.kill();
        p.waitForFinished(5000);
    }

    QTemporaryDir runtime_;
    QProcessEnvironment entorno_;
};

QTEST_GUILESS_MAIN(TestInstanciaUnica)
#include "tst_instanciaunica.moc"
