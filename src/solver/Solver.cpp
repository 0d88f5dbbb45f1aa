#include "solver/Solver.h"

#include "solver/Methods.h"

namespace solver {

void Solver::Redimensionar()
{
    A = SingleMatrix(n, n + 1);
    B = SingleMatrix(n, n + 1);
    C = SingleMatrix(n, n + 1);
}

void Solver::LeerDatos(WorksheetSource& sheet, std::string_view decimalSeparator)
{
    NullObserver none;
    method::LeerDatos(*this, sheet, decimalSeparator, none);
}

void Solver::IntercambiarFilas()
{
    NullObserver none;
    method::IntercambiarFilas(*this, ExchangeReason::ZeroDivisor, none);
}

void Solver::CholeSki()
{
    NullObserver none;
    method::CholeSki(*this, none);
}

void Solver::SustAdelante()
{
    NullObserver none;
    method::SustAdelante(*this, none);
}

void Solver::SustAtras()
{
    NullObserver none;
    method::SustAtras(*this, none);
}

Solver::GaussJordanOutcome Solver::GaussJordan(WorksheetSource& sheet,
                                               std::string_view decimalSeparator)
{
    NullObserver none;
    return method::GaussJordan(*this, sheet, decimalSeparator, none)
               ? GaussJordanOutcome::Solved
               : GaussJordanOutcome::Insoluble;
}

} // namespace solver
