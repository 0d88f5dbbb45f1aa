#include "RandomStudent.h"
#include "TestLocale.h"
#include "Watcher.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTest>

#include <algorithm>
#include <deque>
#include <utility>

// A student who does anything, in any order, checked after every action against the
// workflow's rules. The run prints its seed; a failure replays with the same
// SORVANI_MONKEY_SEED and SORVANI_MONKEY_ACTIONS (and the locale's row, e.g.
// "usuarioAleatorio:es_ES"). A long run: SORVANI_MONKEY_ACTIONS=100000.

namespace {

constexpr quint64 kSemillaFija = 20240611;
constexpr int kAccionesPorDefecto = 1500; // for each locale
constexpr int kHistoria = 20;

// Qt's warnings while the student works: none is expected, except the offscreen
// platform's notes at every window and box it shows, which are dropped.
QtMessageHandler manejadorAnterior = nullptr;
QStringList avisos;

void anotarAvisos(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    if (tipo == QtWarningMsg && texto.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (tipo == QtWarningMsg || tipo == QtCriticalMsg)
        avisos << texto;
    manejadorAnterior(tipo, contexto, texto);
}

quint64 semilla()
{
    bool ok = false;
    const quint64 s = qEnvironmentVariable("SORVANI_MONKEY_SEED").toULongLong(&ok);
    return ok ? s : kSemillaFija;
}

int numeroDeAcciones()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("SORVANI_MONKEY_ACTIONS", &ok);
    return ok && n > 0 ? n : kAccionesPorDefecto;
}

} // namespace

class TestUsuarioAleatorio : public QObject
{
    Q_OBJECT

public:
    TestUsuarioAleatorio()
    {
        // A long run is one test function: QtTest's watchdog must give it the time.
        if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
            qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max(300'000LL, 20LL * numeroDeAcciones())));
    }

private slots:
    void initTestCase() { manejadorAnterior = qInstallMessageHandler(anotarAvisos); }
    void cleanup() { locale_.restaurar(); }

    void usuarioAleatorio_data()
    {
        // The decimal comma and the decimal point, each from a seed of its own.
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<quint64>("mezcla");
        QTest::newRow("es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << quint64(0);
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << quint64(0x9e3779b97f4a7c15);
    }

    void usuarioAleatorio()
    {
        QFETCH(QLocale, locale);
        QFETCH(quint64, mezcla);
        locale_.fijar(locale);
        const quint64 s = semilla() ^ mezcla;
        const int acciones = numeroDeAcciones();
        qInfo("SORVANI_MONKEY_SEED=%llu, %d acciones, locale %s", semilla(), acciones, qPrintable(locale.name()));

        avisos.clear();
        QElapsedTimer reloj;
        reloj.start();
        Watcher vigilante(s ^ 0x5eedu);
        RandomStudent estudiante(s, vigilante);
        std::deque<QString> historia;
        for (int i = 0; i < acciones; ++i) {
            historia.push_back(QStringLiteral("#%1 %2").arg(i).arg(estudiante.actuar()));
            if (historia.size() > kHistoria)
                historia.pop_front();
            vigilante.despuesDeAccion();
            if (vigilante.salio())
                estudiante.abrirVentana();
            QStringList fallos = vigilante.tomarFallos();
            for (const QString& aviso : std::exchange(avisos, {}))
                fallos << QStringLiteral("aviso de Qt: ") + aviso;
            if ((i + 1) % 10000 == 0)
                qInfo("%d acciones en %lld ms", i + 1, reloj.elapsed());
            if (fallos.isEmpty() && !QTest::currentTestFailed())
                continue;
            qWarning("Fallo en la acción %d (SORVANI_MONKEY_SEED=%llu, locale %s). "
                     "Últimas acciones:",
                     i, semilla(), qPrintable(locale.name()));
            for (const QString& a : historia)
                qWarning("  %s", qUtf8Printable(a));
            QFAIL(qUtf8Printable(fallos.join(QStringLiteral("; "))));
        }
        qInfo("acciones=%d %s en %lld ms", acciones, qUtf8Printable(vigilante.resumen()), reloj.elapsed());
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestUsuarioAleatorio)
#include "tst_randomuser.moc"
