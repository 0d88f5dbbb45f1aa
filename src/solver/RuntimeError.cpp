#include "solver/RuntimeError.h"

#include <utility>

namespace solver {

[[gnu::cold]] void raise(int number)
{
    throw RuntimeError(number);
}

RuntimeError::RuntimeError(int number) : number_(number), description_(descriptionOf(number)) {}

std::string RuntimeError::descriptionOf(int number)
{
    constexpr std::pair<int, const char*> descriptions[] = {
        {Overflow, "Desbordamiento"},
        {OutOfMemory, "Memoria insuficiente"},
        {SubscriptOutOfRange, "Subíndice fuera del intervalo"},
        {DivisionByZero, "División por cero"},
        {TypeMismatch, "No coinciden los tipos"},
        {InternalError, "Error interno"}};
    for (const auto& [known, description] : descriptions)
        if (known == number)
            return description;
    return "Error " + std::to_string(number);
}

} // namespace solver
