#pragma once

#include "TextosDelPrograma.h"

#include "solver/RuntimeError.h"

#include <QTest>

#include <utility>

// A run-time error as the user reads it: its number and its description.
struct ErrorDeEjecucion
{
    int numero = 0; // 0: the step ran through
    QString descripcion;

    // Against a bare number both must match: the number, and the program's text for it.
    friend bool operator==(const ErrorDeEjecucion& e, int numero)
    {
        return e.numero == numero && e.descripcion == textos::descripcion(numero);
    }
    friend bool operator==(const ErrorDeEjecucion&, const ErrorDeEjecucion&) = default;
};

inline char* toString(const ErrorDeEjecucion& e)
{
    return QTest::toString(QStringLiteral("%1 (%2)").arg(e.numero).arg(e.descripcion));
}

// What the step raised, for QCOMPARE(errorOf([&] { ... }), 9).
template <typename Paso> ErrorDeEjecucion errorOf(Paso&& paso)
{
    try {
        std::forward<Paso>(paso)();
    } catch (const solver::RuntimeError& e) {
        return {e.number(), QString::fromStdString(e.description())};
    }
    return {};
}
