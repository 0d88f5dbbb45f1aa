#include "DataColumns.h"
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
// "randomUser:es_ES"). A long run: SORVANI_MONKEY_ACTIONS=100000.

namespace {

constexpr quint64 kFixedSeed = 20240611;
constexpr int kDefaultActions = 1500; // for each locale
constexpr int kHistory = 20;

// Qt's warnings while the student works: none is expected, except the offscreen
// platform's notes at every window and box it shows, which are dropped.
QtMessageHandler previousHandler = nullptr;
QStringList warnings;

void noteWarnings(QtMsgType kind, const QMessageLogContext& context, const QString& text)
{
    if (kind == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (kind == QtWarningMsg || kind == QtCriticalMsg)
        warnings << text;
    previousHandler(kind, context, text);
}

quint64 configuredSeed()
{
    bool ok = false;
    const quint64 s = qEnvironmentVariable("SORVANI_MONKEY_SEED").toULongLong(&ok);
    return ok ? s : kFixedSeed;
}

int actionCount()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("SORVANI_MONKEY_ACTIONS", &ok);
    return ok && n > 0 ? n : kDefaultActions;
}

} // namespace

class TestRandomUser : public QObject
{
    Q_OBJECT

public:
    TestRandomUser()
    {
        // A long run is one test function: QtTest's watchdog must give it the time.
        if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
            qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max(300'000LL, 20LL * actionCount())));
    }

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(noteWarnings); }
    void cleanup() { locale_.restore(); }

    void randomUser_data()
    {
        // The decimal comma and the decimal point, each from a seed of its own.
        addColumns<QLocale, quint64>("locale", "mix");
        QTest::newRow("es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << quint64(0);
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << quint64(0x9e3779b97f4a7c15);
    }

    void randomUser()
    {
        QFETCH(QLocale, locale);
        QFETCH(quint64, mix);
        locale_.set(locale);
        const quint64 s = configuredSeed() ^ mix;
        const int actions = actionCount();
        qInfo("SORVANI_MONKEY_SEED=%llu, %d acciones, locale %s", configuredSeed(), actions, qPrintable(locale.name()));

        warnings.clear();
        QElapsedTimer timer;
        timer.start();
        Watcher watcher(s ^ 0x5eedu);
        RandomStudent student(s, watcher);
        std::deque<QString> history;
        for (int i = 0; i < actions; ++i) {
            history.push_back(QStringLiteral("#%1 %2").arg(i).arg(student.act()));
            if (history.size() > kHistory)
                history.pop_front();
            watcher.afterAction();
            if (watcher.hasQuit())
                student.openWindow();
            QStringList failures = watcher.takeFailures();
            for (const QString& warning : std::exchange(warnings, {}))
                failures << QStringLiteral("aviso de Qt: ") + warning;
            if ((i + 1) % 10000 == 0)
                qInfo("%d acciones en %lld ms", i + 1, timer.elapsed());
            if (failures.isEmpty() && !QTest::currentTestFailed())
                continue;
            qWarning("Fallo en la acción %d (SORVANI_MONKEY_SEED=%llu, locale %s). "
                     "Últimas acciones:",
                     i, configuredSeed(), qPrintable(locale.name()));
            for (const QString& a : history)
                qWarning("  %s", qUtf8Printable(a));
            QFAIL(qUtf8Printable(failures.join(QStringLiteral("; "))));
        }
        qInfo("acciones=%d %s en %lld ms", actions, qUtf8Printable(watcher.summary()), timer.elapsed());
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestRandomUser)
#include "tst_randomuser.moc"
