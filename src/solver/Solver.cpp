#include "solver/Solver.h"

#include "solver/Methods.h"

namespace solver {

void Solver::Redimensionar()
{
    A = B = C = SingleMatrix(n, n + 1);
}

void Solver::LeerDatos(WorksheetSource& sheet, std::string_view decimalSeparator)
{
    method::LeerDatos(*this, sheet, decimalSeparator, NullObserver{});
}

void Solver::IntercambiarFilas()
{
    method::IntercambiarFilas(*this, NullObserver{});
}

void Solver::CholeSki()
{
    method::CholeSki(*this, NullObserver{});
}

void Solver::SustAdelante()
{
    method::SustAdelante(*this, NullObserver{});
}

void Solver::SustAtras()
{
    method::SustAtras(*this, NullObserver{});
}

Solver::GaussJordanOutcome Solver::GaussJordan(WorksheetSource& sheet,
                                               std::string_view decimalSeparator)
{
    return method::GaussJordan(*this, sheet, decimalSeparator, NullObserver{})
               ? GaussJordanOutcome::Solved
               : GaussJordanOutcome::Insoluble;
}

} // namespace solver
