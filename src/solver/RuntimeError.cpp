#include "solver/RuntimeError.h"

namespace solver {

[[gnu::cold]] void raise(int number)
{
    throw RuntimeError(number);
}

RuntimeError::RuntimeError(int number) : number_(number), description_(descriptionOf(number)) {}

std::string RuntimeError::descriptionOf(int number)
{
    switch (number) {
    case Overflow:
        return "Desbordamiento";
    case OutOfMemory:
        return "Memoria insuficiente";
    case SubscriptOutOfRange:
        return "Subíndice fuera del intervalo";
    case DivisionByZero:
        return "División por cero";
    case TypeMismatch:
        return "No coinciden los tipos";
    case InternalError:
        return "Error interno";
    default:
        return "Error " + std::to_string(number);
    }
}

} // namespace solver
