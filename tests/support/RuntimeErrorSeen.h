#pragma once

#include "ProgramTexts.h"

#include "solver/RuntimeError.h"

#include <QTest>

#include <utility>

// A run-time error as the user reads it: its number and its description.
struct RuntimeErrorSeen
{
    int numero = 0; // 0: the step ran through
    QString descripcion;

    // Against a bare number both must match: the number, and the program's text for it.
    friend bool operator==(const RuntimeErrorSeen& e, int numero)
    {
        return e.numero == numero && e.descripcion == textos::descripcion(numero);
    }
    friend bool operator==(const RuntimeErrorSeen&, const RuntimeErrorSeen&) = default;
};

inline char* toString(const RuntimeErrorSeen& e)
{
    return QTest::toString(QStringLiteral("%1 (%2)").arg(e.numero).arg(e.descripcion));
}

// What the step raised, for QCOMPARE(errorOf([&] { ... }), RuntimeError::SubscriptOutOfRange).
template <typename Paso> RuntimeErrorSeen errorOf(Paso&& paso)
{
    try {
        std::forward<Paso>(paso)();
    } catch (const solver::RuntimeError& e) {
        return {e.number(), QString::fromStdString(e.description())};
    }
    return {};
}
