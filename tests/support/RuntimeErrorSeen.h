#pragma once

#include "ProgramTexts.h"

#include "solver/RuntimeError.h"

#include <QTest>

#include <utility>

// A run-time error as the user reads it: its number and its description.
struct RuntimeErrorSeen
{
    int number = 0; // 0: the step ran through
    QString description;

    // Against a bare number both must match: the number, and the program's text for it.
    friend bool operator==(const RuntimeErrorSeen& e, int number)
    {
        return e.number == number && e.description == texts::description(number);
    }
    friend bool operator==(const RuntimeErrorSeen&, const RuntimeErrorSeen&) = default;
};

inline char* toString(const RuntimeErrorSeen& e)
{
    return QTest::toString(QStringLiteral("%1 (%2)").arg(e.number).arg(e.description));
}

// What the step raised, for QCOMPARE(errorOf([&] { ... }), RuntimeError::SubscriptOutOfRange).
template <typename Step> RuntimeErrorSeen errorOf(Step&& step)
{
    try {
        std::forward<Step>(step)();
    } catch (const solver::RuntimeError& e) {
        return {e.number(), QString::fromStdString(e.description())};
    }
    return {};
}
